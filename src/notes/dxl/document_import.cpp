#include "notes/dxl/document_import.h"

#include "common/errors.h"
#include "notes/dxl/base64_file.h"
#include "notes/dxl/dxl_date_time.h"
#include "notes/dxl/dxl_vocabulary.h"
#include "notes/dxl/non_xml_chars.h"
#include "notes/dxl/xml_reader.h"
#include "notes/local/database_importer.h"

#include <charconv>
#include <map>
#include <stdexcept>

namespace varnemo::notes::dxl {
namespace {

using local::ImportedDocument;
using local::StoredItem;

// What the rich text says about an attachment: which item holds it and what the file was
// called. The $FILE item with the bytes follows later in the document.
struct AttachmentReference {
    std::string itemName;
    std::string fileName;
};

class DocumentReader {
public:
    DocumentReader(XmlReader& xml, local::DatabaseImporter& store, const std::filesystem::path& scratch)
        : xml_(xml), store_(store), scratch_(scratch)
    {
    }

    void Read()
    {
        xml_.ForEachChild([this] { ReadPart(); });
        if (document_.unid.empty())
            xml_.Fail("the document has no <noteinfo> with its UNID");
        try {
            store_.WriteDocument(document_);
        } catch (const ComponentError& error) {
            xml_.Fail(error.what());  // adds the place in the DXL file
        }
    }

private:
    void ReadPart()
    {
        const auto name = xml_.LocalName();
        if (name == "noteinfo")
            ReadNoteInfo();
        else if (name == "item")
            ReadItem();
        else
            xml_.SkipElement();
    }

    void ReadNoteInfo()
    {
        document_.unid = xml_.RequiredAttribute("unid");
        xml_.ForEachChild([this] {
            if (xml_.LocalName() == "created")
                document_.created = ReadTimeStamp();
            else if (xml_.LocalName() == "modified")
                document_.modified = ReadTimeStamp();
            else
                xml_.SkipElement();
        });
    }

    DateTime ReadTimeStamp()
    {
        DateTime value;
        xml_.ForEachChild([&] { value = ReadDateTime(); });
        return value;
    }

    DateTime ReadDateTime()
    {
        if (xml_.LocalName() != "datetime")
            xml_.Fail("a date-time value is expected here");
        const std::string text = xml_.ReadPlainText();
        try {
            return ParseDxlDateTime(text);
        } catch (const std::invalid_argument& error) {
            xml_.Fail(error.what());
        }
    }

    void ReadItem()
    {
        const std::string name = xml_.RequiredAttribute("name");
        if (name == kFileItemName) {
            xml_.ForEachChild([this] { ReadObject(); });
            return;
        }
        std::optional<StoredItem> item;
        xml_.ForEachChild([&] {
            if (item)
                xml_.Fail("the item " + name + " has more than one value");
            item = ReadValue(name);
        });
        if (!item)
            xml_.Fail("the item " + name + " has no value");
        if (name == kFoldersItemName)
            document_.folders = std::get<std::vector<std::string>>(item->value);
        else
            document_.items.push_back(std::move(*item));
    }

    StoredItem ReadValue(const std::string& name)
    {
        const auto type = xml_.LocalName();
        if (type == "text")
            return {name, ReadText(), false};
        if (type == "textlist")
            return {name, ReadTextList(), false};
        if (type == "datetime")
            return {name, ReadDateTime(), false};
        if (type == "datetimelist")
            return {name, ReadDateTimeList(), false};
        if (type == "richtext") {
            ReadRichText(name);
            return {name, std::string(), true};
        }
        xml_.Fail("the item " + name + " has a value of a type that is not imported: <" + std::string(type) + ">");
    }

    std::string ReadText()
    {
        std::string text;
        xml_.ForEachChild(
            [&] {
                if (xml_.LocalName() == "break")
                    text += '\n';
                else if (xml_.LocalName() == "nonxmlchar")
                    AppendCode(text, xml_.RequiredAttribute("value"));
                else
                    xml_.Fail("<text> holds <" + std::string(xml_.LocalName()) + ">");
                xml_.SkipElement();
            },
            [&](std::string_view part) { text += part; });
        return text;
    }

    void AppendCode(std::string& text, const std::string& hex)
    {
        unsigned value = 0;
        const auto [end, error] = std::from_chars(hex.data(), hex.data() + hex.size(), value, 16);
        if (error != std::errc() || end != hex.data() + hex.size())
            xml_.Fail("<nonxmlchar> has the value \"" + hex + "\", which is no hexadecimal number");
        try {
            AppendNonXmlChar(text, value);
        } catch (const std::invalid_argument& problem) {
            xml_.Fail(std::string("<nonxmlchar>: ") + problem.what());
        }
    }

    std::vector<std::string> ReadTextList()
    {
        std::vector<std::string> texts;
        xml_.ForEachChild([&] {
            if (xml_.LocalName() != "text")
                xml_.Fail("<textlist> holds <" + std::string(xml_.LocalName()) + ">");
            texts.push_back(ReadText());
        });
        return texts;
    }

    std::vector<DateTime> ReadDateTimeList()
    {
        std::vector<DateTime> values;
        xml_.ForEachChild([&] { values.push_back(ReadDateTime()); });
        return values;
    }

    // The store's rich text holds attachments only: their references are all that is read.
    void ReadRichText(const std::string& itemName)
    {
        xml_.ForEachChild([&] {
            if (xml_.LocalName() == "attachmentref") {
                const std::string objectName = xml_.RequiredAttribute("name");
                references_[objectName] = {itemName, xml_.Attribute("displayname").value_or(objectName)};
                xml_.SkipElement();
            } else {
                ReadRichText(itemName);
            }
        });
    }

    void ReadObject()
    {
        xml_.ForEachChild([this] {
            if (xml_.LocalName() == "file")
                ReadFile();
            else
                xml_.SkipElement();
        });
    }

    void ReadFile()
    {
        const std::string objectName = xml_.RequiredAttribute("name");
        const auto reference = references_.find(objectName);
        if (reference == references_.end())
            xml_.Fail("no rich-text item refers to the attachment " + objectName);
        if (document_.unid.empty())
            xml_.Fail("the attachment " + objectName + " comes before the document's <noteinfo>");
        xml_.ForEachChild([&] {
            if (xml_.LocalName() == "filedata")
                StageFileData(objectName, reference->second);
            else
                xml_.SkipElement();
        });
    }

    void StageFileData(const std::string& objectName, const AttachmentReference& reference)
    {
        const auto file = scratch_ / "attachment";
        const std::string base64 = xml_.ReadPlainText();
        try {
            DecodeBase64ToFile(base64, file);
            store_.StageAttachment(document_.unid, {reference.itemName, objectName, reference.fileName, file});
        } catch (const ComponentError& error) {
            xml_.Fail("document " + document_.unid + ", attachment " + objectName + ": " + error.what());
        }
        std::filesystem::remove(file);
    }

    XmlReader& xml_;
    local::DatabaseImporter& store_;
    const std::filesystem::path& scratch_;
    ImportedDocument document_;
    std::map<std::string, AttachmentReference> references_;
};

}  // namespace

void ImportDocument(XmlReader& xml, local::DatabaseImporter& store, const std::filesystem::path& scratch)
{
    DocumentReader(xml, store, scratch).Read();
}

}  // namespace varnemo::notes::dxl
