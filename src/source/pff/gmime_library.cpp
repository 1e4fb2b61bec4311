#include "source/pff/gmime_library.h"

namespace varnemo::mapi::pff {
namespace {

GMimeLibrary Load()
{
    auto gmime = LoadLibrary<GMimeLibrary>(VARNEMO_GMIME_LIBRARY);
    gmime.g_mime_init();
    return gmime;
}

}  // namespace

const GMimeLibrary& GMime()
{
    // A failed load throws out of the initialisation, and the next call tries again.
    static const GMimeLibrary gmime = Load();
    return gmime;
}

}  // namespace varnemo::mapi::pff
