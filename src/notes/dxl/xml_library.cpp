#include "notes/dxl/xml_library.h"

namespace varnemo::notes::dxl {

const XmlLibrary& Xml()
{
    // A failed load throws out of the initialisation, and the next call tries again.
    static const XmlLibrary xml = LoadLibrary<XmlLibrary>(VARNEMO_LIBXML2_LIBRARY);
    return xml;
}

}  // namespace varnemo::notes::dxl
