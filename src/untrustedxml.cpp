// SPDX-License-Identifier: LGPL-2.1-or-later
#include "untrustedxml_p.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>

#include <mutex>
#include <utility>

namespace Quorvex::UntrustedXml {

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

void DocumentDeleter::operator()(_xmlDoc *document) const
{
    xmlFreeDoc(document);
}

Document parse(const char *data, std::size_t size, std::string *error)
{
    static std::once_flag initialised;
    std::call_once(initialised, xmlInitParser);

    const auto fail = [error](std::string reason) {
        if (error)
            *error = std::move(reason);
        return Document();
    };
    if (!data || size == 0)
        return fail("empty");
    if (size > MaximumSize)
        return fail("larger than " + std::to_string(MaximumSize) + " bytes");

    std::unique_ptr<xmlParserCtxt, ContextDeleter> parser(
        xmlCreateMemoryParserCtxt(data, int(size)));
    if (!parser)
        return fail("out of memory");
    // Never XML_PARSE_NOENT, XML_PARSE_DTDLOAD or XML_PARSE_HUGE.
    xmlCtxtUseOptions(parser.get(),
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING
                          | XML_PARSE_COMPACT);
    ParseState state;
    parser->_private = &state;
    parser->sax->internalSubset = refuseDocumentType;
    parser->sax->serror = ignoreError;
    parser->sax->error = nullptr;
    parser->sax->warning = nullptr;
    parser->vctxt.error = nullptr;
    parser->vctxt.warning = nullptr;

    xmlParseDocument(parser.get());
    Document document(std::exchange(parser->myDoc, nullptr));
    if (state.documentTypeSeen)
        return fail("has a document type declaration (entities and DTDs are not allowed)");
    if (!parser->wellFormed || !document)
        return fail(describe(xmlCtxtGetLastError(parser.get())));
    return document;
}

} // namespace Quorvex::UntrustedXml
