// SPDX-License-Identifier: LGPL-2.1-or-later
#include "propertydocumentgrammar_p.h"
#include "propertyschema_p.h"

#include <libxml/relaxng.h>
#include <libxml/tree.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <set>

namespace Kapio::PropertySchema {

namespace {

struct Vocabulary
{
    std::set<std::string> elements;
    std::set<std::string> attributes;
};

std::string text(const xmlChar *value)
{
    return value ? reinterpret_cast<const char *>(value) : "";
}

// Every element and attribute name the grammar mentions.
void collect(const xmlNode *node, Vocabulary &vocabulary)
{
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE)
            continue;
        const char *kind = reinterpret_cast<const char *>(node->name);
        if (std::strcmp(kind, "element") == 0 || std::strcmp(kind, "attribute") == 0) {
            xmlChar *name = xmlGetProp(node, BAD_CAST "name");
            (kind[0] == 'e' ? vocabulary.elements : vocabulary.attributes).insert(text(name));
            xmlFree(name);
        }
        collect(node->children, vocabulary);
    }
}

const Vocabulary &vocabulary()
{
    static const Vocabulary words = [] {
        Vocabulary collected;
        xmlDocPtr document =
            xmlReadMemory(grammar(), int(std::strlen(grammar())), "propertydocument.rng", nullptr,
                          XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
        if (document)
            collect(xmlDocGetRootElement(document), collected);
        xmlFreeDoc(document);
        return collected;
    }();
    return words;
}

void findUnknown(const xmlNode *node, std::map<int, std::string> &problems)
{
    const Vocabulary &words = vocabulary();
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE)
            continue;
        const int line = int(xmlGetLineNo(node));
        const std::string name = text(node->name);
        if (!words.elements.count(name)) {
            problems.emplace(line, "unknown element <" + name + ">");
            continue; // its content is unknown too
        }
        for (const xmlAttr *attribute = node->properties; attribute; attribute = attribute->next) {
            const std::string attributeName = text(attribute->name);
            if (!words.attributes.count(attributeName))
                problems.emplace(line, "unknown attribute " + attributeName + " of <" + name + ">");
        }
        findUnknown(node->children, problems);
    }
}

void collectError(void *data, xmlErrorPtr error)
{
    if (!error || !error->message)
        return;
    std::string message = error->message;
    while (!message.empty() && (message.back() == '\n' || message.back() == ' '))
        message.pop_back();
    const xmlNode *node = static_cast<const xmlNode *>(error->node);
    const int line = node ? int(xmlGetLineNo(node)) : error->line;
    static_cast<std::map<int, std::string> *>(data)->emplace(line, message);
}

struct Deleters
{
    void operator()(xmlRelaxNGParserCtxtPtr context) const { xmlRelaxNGFreeParserCtxt(context); }
    void operator()(xmlRelaxNGPtr schema) const { xmlRelaxNGFree(schema); }
    void operator()(xmlRelaxNGValidCtxtPtr context) const { xmlRelaxNGFreeValidCtxt(context); }
};

} // namespace

const char *grammar()
{
    return PropertyDocumentGrammar;
}

std::vector<Problem> validate(const _xmlDoc *document)
{
    std::vector<Problem> result;
    if (!document)
        return result;
    std::map<int, std::string> unknown;
    findUnknown(xmlDocGetRootElement(const_cast<xmlDocPtr>(document)), unknown);

    std::map<int, std::string> invalid;
    std::unique_ptr<xmlRelaxNGParserCtxt, Deleters> parser(
        xmlRelaxNGNewMemParserCtxt(grammar(), int(std::strlen(grammar()))));
    std::unique_ptr<xmlRelaxNG, Deleters> schema(parser ? xmlRelaxNGParse(parser.get()) : nullptr);
    std::unique_ptr<xmlRelaxNGValidCtxt, Deleters> validator(
        schema ? xmlRelaxNGNewValidCtxt(schema.get()) : nullptr);
    if (!validator) {
        result.push_back({0, "the property document grammar does not compile"});
        return result;
    }
    xmlRelaxNGSetValidStructuredErrors(validator.get(), collectError, &invalid);
    if (xmlRelaxNGValidateDoc(validator.get(), const_cast<xmlDocPtr>(document)) == 0)
        return result;

    // An unknown name explains every complaint about its line: the grammar's
    // own words for it are only noise.
    for (const auto &[line, message] : invalid)
        unknown.emplace(line, message);
    for (auto &[line, message] : unknown)
        result.push_back({line, std::move(message)});
    return result;
}

} // namespace Kapio::PropertySchema
