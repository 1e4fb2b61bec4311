#include "source/pff/libpff_library.h"

namespace varnemo::mapi::pff {

const LibpffLibrary& Libpff()
{
    // A failed load throws out of the initialisation, and the next call tries again.
    static const LibpffLibrary libpff = LoadLibrary<LibpffLibrary>(VARNEMO_LIBPFF_LIBRARY);
    return libpff;
}

}  // namespace varnemo::mapi::pff
