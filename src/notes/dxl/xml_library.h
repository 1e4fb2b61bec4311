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
struct XmlLibrary {
    VARNEMO_XML_FUNCTIONS(VARNEMO_LIBRARY_MEMBER)
    void ResolveIn(const SharedLibrary& library) { VARNEMO_XML_FUNCTIONS(VARNEMO_LIBRARY_RESOLVE) }
};

// libxml2, loaded; a ComponentError when it cannot be loaded.
const XmlLibrary& Xml();

}  // namespace varnemo::notes::dxl
