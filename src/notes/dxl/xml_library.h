#pragma once

#include "common/shared_library.h"

#include <libxml/xmlreader.h>
#include <libxml/xmlwriter.h>

namespace varnemo::notes::dxl {

// The functions of libxml2 that reading and writing DXL take; xmlFree is a variable holding the
// function that frees what libxml2 hands over.
#define VARNEMO_XML_FUNCTIONS(X)                                                                                     \
    X(xmlFree)                                                                                                       \
    X(xmlFreeTextReader)                                                                                             \
    X(xmlReaderForFile)                                                                                              \
    X(xmlTextReaderConstLocalName)                                                                                   \
    X(xmlTextReaderConstValue)                                                                                       \
    X(xmlTextReaderDepth)                                                                                            \
    X(xmlTextReaderGetAttribute)                                                                                     \
    X(xmlTextReaderGetParserLineNumber)                                                                              \
    X(xmlTextReaderIsEmptyElement)                                                                                   \
    X(xmlTextReaderNodeType)                                                                                         \
    X(xmlTextReaderRead)                                                                                             \
    X(xmlTextReaderSetErrorHandler)                                                                                  \
    X(xmlFreeTextWriter)                                                                                             \
    X(xmlNewTextWriter)                                                                                              \
    X(xmlOutputBufferClose)                                                                                          \
    X(xmlOutputBufferCreateIO)                                                                                       \
    X(xmlTextWriterEndDocument)                                                                                      \
    X(xmlTextWriterEndElement)                                                                                       \
    X(xmlTextWriterFlush)                                                                                            \
    X(xmlTextWriterStartDocument)                                                                                    \
    X(xmlTextWriterStartElement)                                                                                     \
    X(xmlTextWriterWriteAttribute)                                                                                   \
    X(xmlTextWriterWriteRawLen)                                                                                      \
    X(xmlTextWriterWriteString)

// libxml2, opened with the first DXL file to read or write: a conversion writes none, and libxml2
// with the ICU it links took 2 ms to load at every start.
VARNEMO_LIBRARY_TABLE(XmlLibrary, VARNEMO_XML_FUNCTIONS);

// Loaded by the first call; a ComponentError when it cannot be.
inline const XmlLibrary& Xml()
{
    return OpenedLibrary<XmlLibrary>(VARNEMO_LIBXML2_LIBRARY);
}

}  // namespace varnemo::notes::dxl
