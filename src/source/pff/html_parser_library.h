#pragma once

#include "common/shared_library.h"

#include <libxml/HTMLparser.h>

namespace varnemo::mapi::pff {

// The functions of libxml2 that reading an HTML body as text takes.
#define VARNEMO_HTML_PARSER_FUNCTIONS(X)                                                                             \
    X(htmlReadMemory)                                                                                                \
    X(xmlDocGetRootElement)                                                                                          \
    X(xmlFreeDoc)                                                                                                    \
    X(xmlStrcasecmp)

// libxml2, opened with the first item whose only text is HTML: most items carry plain text as
// well, and libxml2 with the ICU it links took 2 ms to load at every start.
VARNEMO_LIBRARY_TABLE(HtmlParserLibrary, VARNEMO_HTML_PARSER_FUNCTIONS);

// Loaded by the first call; a ComponentError when it cannot be.
inline const HtmlParserLibrary& HtmlParser()
{
    return OpenedLibrary<HtmlParserLibrary>(VARNEMO_LIBXML2_LIBRARY);
}

}  // namespace varnemo::mapi::pff
