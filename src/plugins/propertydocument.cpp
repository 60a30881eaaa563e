// SPDX-License-Identifier: LGPL-2.1-or-later
#include "propertydocument_p.h"

#include <QUtf8StringView>

#include <libxml/xpath.h>

#include <algorithm>
#include <cstring>

namespace Kapio::PropertyDocument {

namespace {

void ignoreError(void *, xmlErrorPtr) { }

} // namespace

ParseResult parse(const QByteArray &text)
{
    ParseResult result;
    // NUL bytes are valid UTF-8, but they are what a UTF-16 or UTF-32 text holds.
    if (!text.isEmpty() && text.size() <= MaximumSize
        && (text.contains('\0') || !QUtf8StringView(text).isValidUtf8())) {
        result.error = "not UTF-8";
        return result;
    }
    Quorvex::UntrustedXml::Document document =
        Quorvex::UntrustedXml::parse(text.constData(), std::size_t(text.size()), &result.error);
    if (!document)
        return result;
    if (document->encoding && xmlStrcasecmp(document->encoding, BAD_CAST "UTF-8") != 0) {
        result.error = std::string("declares the encoding ")
            + reinterpret_cast<const char *>(document->encoding) + ", not UTF-8";
        return result;
    }
    const xmlNode *root = xmlDocGetRootElement(document.get());
    if (!root || std::strcmp(reinterpret_cast<const char *>(root->name), "properties") != 0) {
        result.error = std::string("root element <")
            + (root ? reinterpret_cast<const char *>(root->name) : "") + ">, not <properties>";
        return result;
    }
    result.document = document.release();
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
