#include "source/pff/html_parser_library.h"

namespace varnemo::mapi::pff {

const HtmlParserLibrary& HtmlParser()
{
    // A failed load throws out of the initialisation, and the next call tries again.
    static const HtmlParserLibrary parser = LoadLibrary<HtmlParserLibrary>(VARNEMO_LIBXML2_LIBRARY);
    return parser;
}

}  // namespace varnemo::mapi::pff
