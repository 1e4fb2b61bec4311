#include "notes/dxl/document_export.h"

#include "common/errors.h"
#include "notes/dxl/base64_stream.h"
#include "notes/dxl/dxl_date_time.h"
#include "notes/dxl/dxl_text.h"
#include "notes/dxl/dxl_vocabulary.h"
#include "notes/dxl/xml_writer.h"

#include <fmt/format.h>
#include <strings.h>

namespace varnemo::notes::dxl {
namespace {

using local::StoredAttachment;
using local::StoredDocument;
using local::StoredItem;

bool SameName(const std::string& left, const std::string& right)
{
    return strcasecmp(left.c_str(), right.c_str()) == 0;
}

void WriteDateTimeElement(XmlWriter& xml, const DateTime& value)
{
    const DxlDateTime dxl = FormatDxlDateTime(value);
    xml.StartElement("datetime");
    if (dxl.daylightSaving)
        xml.Attribute("dst", "true");
    xml.Text(dxl.text);
    xml.EndElement();
}

void WriteTimeStamp(XmlWriter& xml, const char* element, const DateTime& value)
{
    xml.StartElement(element);
    WriteDateTimeElement(xml, value);
    xml.EndElement();
}

void WriteTextList(XmlWriter& xml, const std::vector<std::string>& texts)
{
    xml.StartElement("textlist");
    for (const auto& text : texts)
        WriteTextElement(xml, text);
    xml.EndElement();
}

void WriteDateTimeList(XmlWriter& xml, const std::vector<DateTime>& values)
{
    xml.StartElement("datetimelist");
    for (const auto& value : values)
        WriteDateTimeElement(xml, value);
    xml.EndElement();
}

// A rich-text item of the store holds nothing but its attachments: one paragraph with a
// reference to each.
void WriteRichText(XmlWriter& xml, const StoredItem& item, const std::vector<StoredAttachment>& attachments)
{
    xml.StartElement("richtext");
    xml.StartElement("par");
    for (const auto& attachment : attachments) {
        if (!SameName(attachment.itemName, item.name))
            continue;
        xml.StartElement("attachmentref");
        WriteNameAttribute(xml, "name", attachment.objectName);
        WriteNameAttribute(xml, "displayname", attachment.fileName);
        xml.EndElement();
    }
    xml.EndElement();
    xml.EndElement();
}

void WriteValue(XmlWriter& xml, const StoredItem& item, const std::vector<StoredAttachment>& attachments)
{
    if (item.isRichText)
        WriteRichText(xml, item, attachments);
    else if (const auto* list = std::get_if<std::vector<std::string>>(&item.value))
        WriteTextList(xml, *list);
    else if (const auto* date = std::get_if<DateTime>(&item.value))
        WriteDateTimeElement(xml, *date);
    else if (const auto* dates = std::get_if<std::vector<DateTime>>(&item.value))
        WriteDateTimeList(xml, *dates);
    else
        WriteTextElement(xml, std::get<std::string>(item.value));
}

void WriteItem(XmlWriter& xml, const StoredItem& item, const std::vector<StoredAttachment>& attachments)
{
    if (SameName(item.name, kFoldersItemName))
        throw ComponentError(fmt::format("the item name {} is kept for the folder list of the export", item.name));
    xml.StartElement("item");
    WriteNameAttribute(xml, "name", item.name);
    WriteValue(xml, item, attachments);
    xml.EndElement();
    xml.Raw("\n");
}

void WriteFolderList(XmlWriter& xml, const std::vector<std::string>& folders)
{
    if (folders.empty())
        return;
    xml.StartElement("item");
    xml.Attribute("name", kFoldersItemName);
    WriteTextList(xml, folders);
    xml.EndElement();
    xml.Raw("\n");
}

void CheckHeldByRichText(const StoredDocument& document, const StoredAttachment& attachment)
{
    for (const auto& item : document.items)
        if (item.isRichText && SameName(item.name, attachment.itemName))
            return;
    throw ComponentError(fmt::format("its item {} is not a rich-text item of the document", attachment.itemName));
}

void WriteFileData(XmlWriter& xml, local::DatabaseReader& reader, const StoredAttachment& attachment)
{
    xml.StartElement("filedata");
    xml.Raw("\n");
    Base64Stream encoded([&](std::string_view text) { xml.Raw(text); });
    reader.CopyAttachment(attachment, encoded);
    encoded.Close();
    xml.EndElement();
}

// The file keeps no times of its own in the store; it takes its document's.
void WriteFileItem(XmlWriter& xml, local::DatabaseReader& reader, const StoredDocument& document,
                   const StoredAttachment& attachment)
{
    CheckHeldByRichText(document, attachment);
    xml.StartElement("item");
    xml.Attribute("name", kFileItemName);
    xml.StartElement("object");
    xml.StartElement("file");
    xml.Attribute("hosttype", kFileHostType);
    WriteNameAttribute(xml, "name", attachment.objectName);
    WriteTimeStamp(xml, "created", document.created);
    WriteTimeStamp(xml, "modified", document.modified);
    WriteFileData(xml, reader, attachment);
    xml.EndElement();
    xml.EndElement();
    xml.EndElement();
    xml.Raw("\n");
}

void WriteNoteInfo(XmlWriter& xml, const StoredDocument& document)
{
    xml.StartElement("noteinfo");
    xml.Attribute("unid", document.unid);
    WriteTimeStamp(xml, "created", document.created);
    WriteTimeStamp(xml, "modified", document.modified);
    xml.EndElement();
    xml.Raw("\n");
}

}  // namespace

void WriteDocument(XmlWriter& xml, local::DatabaseReader& reader, const StoredDocument& document,
                   const std::vector<std::string>& folders)
{
    std::string part;  // what is being written, for the message of a failure
    try {
        xml.StartElement("document");
        xml.Raw("\n");
        WriteNoteInfo(xml, document);
        for (const auto& item : document.items) {
            part = "item " + item.name;
            WriteItem(xml, item, document.attachments);
        }
        part = "the folder list";
        WriteFolderList(xml, folders);
        for (const auto& attachment : document.attachments) {
            part = "attachment " + attachment.objectName;
            WriteFileItem(xml, reader, document, attachment);
        }
        xml.EndElement();
        xml.Raw("\n");
    } catch (const ComponentError& error) {
        throw ComponentError(part.empty() ? fmt::format("document {}: {}", document.unid, error.what())
                                          : fmt::format("document {}, {}: {}", document.unid, part, error.what()));
    }
}

}  // namespace varnemo::notes::dxl
