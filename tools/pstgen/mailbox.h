#pragma once

// The mailbox to write: folders, items of every kind with their values, and attachments.

#include "property.h"
#include "property_values.h"
#include "recurrence_blob.h"

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pstgen {

enum class ItemKind { Mail, Appointment, Task, Contact, DistributionList, StickyNote, Journal };

enum class RecipientType : std::uint32_t { To = 1, Cc = 2, Bcc = 3 };

struct Address {
    std::string name;
    std::string address;
};

struct Recipient {
    Address who;
    RecipientType type = RecipientType::To;
};

struct Item;

// By value (content), an embedded item (embedded), or a link to a file kept elsewhere (link: a
// path, or an address such as a cloud attachment's, with no bytes in the data file).
struct Attachment {
    std::string fileName;
    std::shared_ptr<const ByteSource> content;
    std::shared_ptr<const Item> embedded;
    std::string link{};
    // PidTagAttachmentFlags and PidTagAttachmentHidden: how Outlook marks the occurrences it keeps
    // in a recurring appointment, and pictures inside an HTML body
    std::uint32_t flags = 0;
    bool hidden = false;
};

struct Item {
    ItemKind kind = ItemKind::Mail;
    std::string messageClass;  // empty: the kind's usual class
    std::string subject;
    std::string body;
    std::string html;       // stored as bytes, the Internet code page saying UTF-8
    std::string messageId;  // "<id@host>"
    Address sender;
    std::vector<Recipient> recipients;
    std::optional<FileTime> delivered, submitted, created, reminder;
    std::uint32_t importance = 1;  // 0 low, 1 normal, 2 high
    std::vector<std::string> categories;
    // appointments: start and end; tasks: start and due dates
    std::optional<FileTime> start, end, due;
    std::string location;
    bool recurring = false;  // appointments: a series
    std::optional<Recurrence> recurrence;  // its pattern (makes it recurring)
    // contacts: values by the keys of ContactFieldKeys(), and the ones not held as text
    std::map<std::string, std::string> contact;
    std::vector<std::string> children;
    std::optional<FileTime> birthday, anniversary;
    // Outlook's second copies of those days: local midnight written as if it were UTC
    std::optional<FileTime> birthdayLocal, anniversaryLocal;
    // distribution lists
    std::string listName;
    std::vector<Address> members;
    std::vector<Attachment> attachments;
};

struct Folder {
    std::string name;
    std::string containerClass;  // empty: none (a mail folder)
    std::vector<Item> items;
    std::vector<Folder> folders;
};

// How the file encodes its item data, in Outlook's words: no encryption, compressible
// encryption, high encryption.
enum class Encoding : std::uint8_t { None = 0, Compressible = 1, High = 2 };

struct Mailbox {
    std::string displayName = "Personal Folders";
    Encoding encoding = Encoding::None;
    // The provider id of every entry id in the file.
    std::array<std::uint8_t, 16> recordKey{0x5A, 0x1C, 0x3E, 0x9B, 0x47, 0x02, 0x4D, 0x8E,
                                           0xA1, 0x6F, 0x33, 0xC5, 0x70, 0x2B, 0x98, 0xD4};
    // The folders below "Top of Personal Folders".
    std::vector<Folder> folders;
};

std::string_view DefaultMessageClass(ItemKind kind);
// "none", "compressible" or "high"; nothing for any other name.
std::optional<Encoding> EncodingNamed(std::string_view name);

}  // namespace pstgen
