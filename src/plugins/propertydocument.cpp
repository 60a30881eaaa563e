// SPDX-License-Identifier: LGPL-2.1-or-later
#include "propertydocument_p.h"

#include <QUtf8StringView>

#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xpath.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>

namespace Kapio::PropertyDocument {

namespace {

struct ParseState
{
    bool documentTypeSeen = false;
};

// Called where <!DOCTYPE starts, before any declaration in it is read.
void refuseDocumentType(void *context, const xmlChar *, const xmlChar *, const xmlChar *)
{
    auto *parser = static_cast<xmlParserCtxtPtr>(context);
    static_cast<ParseState *>(parser->_private)->documentTypeSeen = true;
    xmlStopParser(parser);
}

void ignoreError(void *, xmlErrorPtr) { }

std::string describe(const xmlError *error)
{
    if (!error || !error->message)
        return "not well-formed XML";
    std::string message = error->message;
    while (!message.empty() && (message.back() == '\n' || message.back() == ' '))
        message.pop_back();
    return error->line > 0 ? "line " + std::to_string(error->line) + ": " + message : message;
}

struct ContextDeleter
{
    void operator()(xmlParserCtxtPtr context) const { xmlFreeParserCtxt(context); }
};

} // namespace

ParseResult parse(const QByteArray &text)
{
    static std::once_flag initialised;
    std::call_once(initialised, xmlInitParser);

    ParseResult result;
    if (text.isEmpty()) {
        result.error = "empty";
        return result;
    }
    if (text.size() > MaximumSize) {
        result.error = "larger than " + std::to_string(MaximumSize) + " bytes";
        return result;
    }
    // NUL bytes are valid UTF-8, but they are what a UTF-16 or UTF-32 text holds.
    if (text.contains('\0') || !QUtf8StringView(text).isValidUtf8()) {
        result.error = "not UTF-8";
        return result;
    }

    std::unique_ptr<xmlParserCtxt, ContextDeleter> parser(
        xmlCreateMemoryParserCtxt(text.constData(), int(text.size())));
    if (!parser) {
        result.error = "out of memory";
        return result;
    }
    // Never XML_PARSE_NOENT, XML_PARSE_DTDLOAD or XML_PARSE_HUGE.
    xmlCtxtUseOptions(parser.get(), XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    ParseState state;
    parser->_private = &state;
    parser->sax->internalSubset = refuseDocumentType;
    parser->sax->serror = ignoreError;
    parser->sax->error = nullptr;
    parser->sax->warning = nullptr;
    parser->vctxt.error = nullptr;
    parser->vctxt.warning = nullptr;

    xmlParseDocument(parser.get());
    xmlDocPtr document = std::exchange(parser->myDoc, nullptr);
    const auto refuse = [&](std::string reason) {
        result.error = std::move(reason);
        if (document)
            xmlFreeDoc(document);
        return result;
    };
    if (state.documentTypeSeen)
        return refuse("has a document type declaration (entities and DTDs are not allowed)");
    if (!parser->wellFormed || !document)
        return refuse(describe(xmlCtxtGetLastError(parser.get())));
    if (document->encoding && xmlStrcasecmp(document->encoding, BAD_CAST "UTF-8") != 0)
        return refuse(std::string("declares the encoding ")
                      + reinterpret_cast<const char *>(document->encoding) + ", not UTF-8");
    const xmlNode *root = xmlDocGetRootElement(document);
    if (!root || std::strcmp(reinterpret_cast<const char *>(root->name), "properties") != 0)
        return refuse(std::string("root element <")
                      + (root ? reinterpret_cast<const char *>(root->name) : "")
                      + ">, not <properties>");
    result.document = document;
    return result;
}

std::vector<std::string> lookup(const _xmlDoc *document, const char *path, bool firstOnly)
{
    std::vector<std::string> texts;
    if (!document || !path)
        return texts;
    xmlXPathContextPtr context = xmlXPathNewContext(const_cast<xmlDocPtr>(document));
    if (!context)
        return texts;
    context->error = ignoreError; // a malformed path is only a failed lookup
    xmlXPathObjectPtr found = xmlXPathEvalExpression(BAD_CAST path, context);
    if (found && found->type == XPATH_NODESET && found->nodesetval) {
        const int count =
            firstOnly ? std::min(1, found->nodesetval->nodeNr) : found->nodesetval->nodeNr;
        for (int i = 0; i < count; ++i) {
            xmlChar *content = xmlNodeGetContent(found->nodesetval->nodeTab[i]);
            texts.emplace_back(content ? reinterpret_cast<const char *>(content) : "");
            xmlFree(content);
        }
    }
    xmlXPathFreeObject(found);
    xmlXPathFreeContext(context);
    return texts;
}

} // namespace Kapio::PropertyDocument
