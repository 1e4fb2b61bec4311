#include "source/pff/libpff_source.h"

#include "source/pff/pff_error.h"

#include <fmt/format.h>

#include <utility>
#include <vector>

namespace varnemo::mapi::pff {
namespace {

PropertyKey NamedKey(libpff_name_to_id_map_entry_t* named, const std::string& where)
{
    const char* what = "cannot resolve a named property";
    uint8_t type = 0;
    Guid set{};
    CheckPff(what, where, [&](libpff_error_t** e) {
        return Libpff().libpff_name_to_id_map_entry_get_type(named, &type, e);
    });
    CheckPff(what, where, [&](libpff_error_t** e) {
        return Libpff().libpff_name_to_id_map_entry_get_guid(named, set.data(), set.size(), e);
    });
    if (type == LIBPFF_NAME_TO_ID_MAP_ENTRY_TYPE_NUMERIC) {
        uint32_t longId = 0;
        CheckPff(what, where, [&](libpff_error_t** e) {
            return Libpff().libpff_name_to_id_map_entry_get_number(named, &longId, e);
        });
        return PropertyKey::LongId(set, longId);
    }
    size_t size = 0;
    CheckPff(what, where, [&](libpff_error_t** e) {
        return Libpff().libpff_name_to_id_map_entry_get_utf8_string_size(named, &size, e);
    });
    std::string name(size, '\0');
    if (size > 0) {
        CheckPff(what, where, [&](libpff_error_t** e) {
            return Libpff().libpff_name_to_id_map_entry_get_utf8_string(named, reinterpret_cast<uint8_t*>(name.data()),
                                                                         size, e);
        });
    }
    name.resize(name.find('\0') == std::string::npos ? name.size() : name.find('\0'));
    return PropertyKey::Name(set, std::move(name));
}

// The key of a record entry: its named property when libpff resolved its local id through the
// file's name-to-id map, its tag otherwise.
PropertyKey KeyOf(libpff_record_entry_t* entry, const std::string& where)
{
    libpff_name_to_id_map_entry_t* named = nullptr;
    const int isNamed = CheckPff("cannot read a property name", where, [&](libpff_error_t** e) {
        return Libpff().libpff_record_entry_get_name_to_id_map_entry(entry, &named, e);
    });
    if (isNamed == 1 && named)
        return NamedKey(named, where);
    uint32_t type = 0;
    CheckPff("cannot read a property tag", where, [&](libpff_error_t** e) {
        return Libpff().libpff_record_entry_get_entry_type(entry, &type, e);
    });
    return PropertyKey::Tag(static_cast<std::uint16_t>(type));
}

std::string EntryData(libpff_record_entry_t* entry, const std::string& where)
{
    const char* what = "cannot read a property value";
    size_t size = 0;
    CheckPff(what, where, [&](libpff_error_t** e) {
        return Libpff().libpff_record_entry_get_data_size(entry, &size, e);
    });
    std::string data(size, '\0');
    if (size > 0) {
        CheckPff(what, where, [&](libpff_error_t** e) {
            return Libpff().libpff_record_entry_get_data(entry, reinterpret_cast<uint8_t*>(data.data()), size, e);
        });
    }
    return data;
}

// Hands the stored bytes of an attachment to sink in pieces of at most 1 MiB, so that a large
// attachment never sits in memory as a whole.
void ReadAttachmentData(libpff_item_t* attachment, const std::string& where, const ByteSink& sink)
{
    const char* what = "cannot read the attachment's data";
    size64_t size = 0;
    const int hasData = CheckPff(what, where, [&](libpff_error_t** e) {
        return Libpff().libpff_attachment_get_data_size(attachment, &size, e);
    });
    if (hasData != 1 || size == 0)
        return;
    CheckPff(what, where, [&](libpff_error_t** e) {
        return Libpff().libpff_attachment_data_seek_offset(attachment, 0, SEEK_SET, e) < 0 ? -1 : 1;
    });
    constexpr size_t ChunkSize = 1 << 20;
    std::vector<char> chunk(static_cast<size_t>(std::min<size64_t>(size, ChunkSize)));
    for (size64_t done = 0; done < size;) {
        ssize_t read = 0;
        CheckPff(what, where, [&](libpff_error_t** e) {
            read = Libpff().libpff_attachment_data_read_buffer(attachment, reinterpret_cast<uint8_t*>(chunk.data()),
                                                               chunk.size(), e);
            return read < 0 ? -1 : 1;
        });
        if (read == 0)
            throw ComponentError(fmt::format("{} ({}): the data ends after {} of {} bytes", what, where, done, size));
        sink(std::string_view(chunk.data(), static_cast<size_t>(read)));
        done += static_cast<size64_t>(read);
    }
}

}  // namespace

PropertyBag LibpffProperties(libpff_item_t* item, std::string where, int recordSet)
{
    const char* what = "cannot read the properties";
    int setCount = 0;
    CheckPff(what, where, [&](libpff_error_t** e) {
        return Libpff().libpff_item_get_number_of_record_sets(item, &setCount, e);
    });
    std::vector<StoredValue> values;
    if (recordSet < setCount) {
        auto set = std::make_shared<RecordSetHandle>();
        CheckPff(what, where, [&](libpff_error_t** e) {
            return Libpff().libpff_item_get_record_set_by_index(item, recordSet, set->out(), e);
        });
        int entryCount = 0;
        CheckPff(what, where, [&](libpff_error_t** e) {
            return Libpff().libpff_record_set_get_number_of_entries(set->get(), &entryCount, e);
        });
        for (int index = 0; index < entryCount; ++index) {
            auto entry = std::make_shared<RecordEntryHandle>();
            CheckPff(what, where, [&](libpff_error_t** e) {
                return Libpff().libpff_record_set_get_entry_by_index(set->get(), index, entry->out(), e);
            });
            StoredValue value{KeyOf(entry->get(), where), 0, std::nullopt, {}};
            CheckPff(what, where, [&](libpff_error_t** e) {
                return Libpff().libpff_record_entry_get_value_type(entry->get(), &value.valueType, e);
            });
            // The entry is read when its value is asked for; it needs its record set alive.
            value.read = [set, entry, where] { return EntryData(entry->get(), where); };
            values.push_back(std::move(value));
        }
    }
    return PropertyBag(std::move(values), std::move(where));
}

LibpffSource::LibpffSource(std::shared_ptr<const void> parent, ItemHandle item)
    : parent_(std::move(parent)), item_(std::make_shared<ItemHandle>(std::move(item)))
{
}

SourceRef LibpffSource::Child(ItemHandle item) const
{
    using KeepAlive = std::pair<std::shared_ptr<const void>, std::shared_ptr<ItemHandle>>;
    return std::make_shared<LibpffSource>(std::make_shared<const KeepAlive>(parent_, item_), std::move(item));
}

std::uint32_t LibpffSource::NodeId() const
{
    std::uint32_t id = 0;
    CheckPff("cannot read an item's node id", "", [&](libpff_error_t** e) {
        return Libpff().libpff_item_get_identifier(item_->get(), &id, e);
    });
    return id;
}

PropertyBag LibpffSource::Properties(std::string where) const
{
    return LibpffProperties(item_->get(), std::move(where));
}

int LibpffSource::SubFolderCount(const std::string& where) const
{
    int count = 0;
    CheckPff("cannot read the sub-folders", where, [&](libpff_error_t** e) {
        return Libpff().libpff_folder_get_number_of_sub_folders(item_->get(), &count, e);
    });
    return count;
}

SourceRef LibpffSource::SubFolder(int at, const std::string& where) const
{
    ItemHandle folder;
    CheckPff(fmt::format("cannot open sub-folder {}", at + 1), where, [&](libpff_error_t** e) {
        return Libpff().libpff_folder_get_sub_folder(item_->get(), at, folder.out(), e);
    });
    return Child(std::move(folder));
}

int LibpffSource::MessageCount(const std::string& where) const
{
    int count = 0;
    CheckPff("cannot read the contents table", where, [&](libpff_error_t** e) {
        return Libpff().libpff_folder_get_number_of_sub_messages(item_->get(), &count, e);
    });
    return count;
}

SourceRef LibpffSource::Message(int at, const std::string& where) const
{
    ItemHandle message;
    CheckPff(fmt::format("cannot open item {}", at + 1), where, [&](libpff_error_t** e) {
        return Libpff().libpff_folder_get_sub_message(item_->get(), at, message.out(), e);
    });
    return Child(std::move(message));
}

std::vector<PropertyBag> LibpffSource::RecipientRows(const std::string& where) const
{
    const auto what = "cannot read the recipient table";
    ItemHandle table;
    const int found = CheckPff(what, where, [&](libpff_error_t** e) {
        return Libpff().libpff_message_get_recipients(item_->get(), table.out(), e);
    });
    if (found != 1 || !table)
        return {};
    int rows = 0;
    CheckPff(what, where, [&](libpff_error_t** e) {
        return Libpff().libpff_item_get_number_of_record_sets(table.get(), &rows, e);
    });
    std::vector<PropertyBag> bags;
    for (int index = 0; index < rows; ++index)
        bags.push_back(LibpffProperties(table.get(), fmt::format("recipient {} of {}", index + 1, where), index));
    // The rows' values are read at once: they must not outlive the table.
    for (auto& bag : bags) {
        std::vector<StoredValue> values;
        for (const auto& key : bag.Keys())
            values.push_back({key, *bag.ValueType(key), bag.Bytes(key), {}});
        bag = PropertyBag(std::move(values), bag.where());
    }
    return bags;
}

int LibpffSource::AttachmentCount(const std::string& where) const
{
    int count = 0;
    CheckPff("cannot read the attachment table", where, [&](libpff_error_t** e) {
        return Libpff().libpff_message_get_number_of_attachments(item_->get(), &count, e);
    });
    return count;
}

SourceRef LibpffSource::Attachment(int at, const std::string& where) const
{
    ItemHandle attachment;
    CheckPff(fmt::format("cannot open attachment {}", at + 1), where, [&](libpff_error_t** e) {
        return Libpff().libpff_message_get_attachment(item_->get(), at, attachment.out(), e);
    });
    return Child(std::move(attachment));
}

std::optional<std::string> LibpffSource::RtfBody(const std::string& where) const
{
    const char* what = "cannot decompress the RTF body";
    size_t size = 0;
    const int found = CheckPff(what, where, [&](libpff_error_t** e) {
        return Libpff().libpff_message_get_rtf_body_size(item_->get(), &size, e);
    });
    if (found != 1 || size == 0)
        return std::nullopt;
    std::string rtf(size, '\0');
    CheckPff(what, where, [&](libpff_error_t** e) {
        return Libpff().libpff_message_get_rtf_body(item_->get(), reinterpret_cast<uint8_t*>(rtf.data()), size, e);
    });
    // libpff counts the terminator it writes.
    while (!rtf.empty() && rtf.back() == '\0')
        rtf.pop_back();
    return rtf;
}

bool LibpffSource::HoldsItem(const std::string& where) const
{
    int type = LIBPFF_ATTACHMENT_TYPE_UNDEFINED;
    CheckPff("cannot read the attachment's kind", where, [&](libpff_error_t** e) {
        return Libpff().libpff_attachment_get_type(item_->get(), &type, e);
    });
    return type == LIBPFF_ATTACHMENT_TYPE_ITEM;
}

SourceRef LibpffSource::EmbeddedItem(const std::string& where) const
{
    if (embedded_)
        return embedded_;
    ItemHandle item;
    const int found = CheckPff("cannot open the embedded item", where, [&](libpff_error_t** e) {
        return Libpff().libpff_attachment_get_item(item_->get(), item.out(), e);
    });
    if (found != 1)
        throw ComponentError(fmt::format("cannot open the embedded item ({}): it is missing", where));
    embedded_ = Child(std::move(item));
    return embedded_;
}

void LibpffSource::ReadData(const ByteSink& sink, const std::string& where) const
{
    ReadAttachmentData(item_->get(), where, sink);
}

}  // namespace varnemo::mapi::pff
