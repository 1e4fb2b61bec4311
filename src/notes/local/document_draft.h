#pragma once

#include "common/date_time.h"
#include "notes/local/item_encoding.h"

#include <set>
#include <string>
#include <vector>

namespace varnemo::notes::local {

struct DraftItem {
    std::string name;
    EncodedItem encoded;
};

// The content of a document while it is being written, before and between saves: its items in
// the order they were first assigned, and the attachment names it has taken.
class DocumentDraft {
public:
    DocumentDraft();

    const std::string& unid() const { return unid_; }
    const DateTime& created() const { return created_; }
    const std::vector<DraftItem>& items() const { return items_; }

    // Adds the item, or replaces the value of the item of that name (compared without regard to
    // case) where it stands. An empty name is refused.
    void SetItem(const std::string& name, EncodedItem encoded);

    // The name under which an attachment of the file is kept: the file name itself, or, when the
    // document already has an attachment of that name, the name with "-2", "-3", ... before its
    // extension, as Notes gives a second attachment of the same name a name of its own.
    std::string TakeAttachmentName(const std::string& fileName);

private:
    struct CaseInsensitiveLess {
        bool operator()(const std::string& left, const std::string& right) const;
    };

    std::string unid_;
    DateTime created_;
    std::vector<DraftItem> items_;
    std::set<std::string, CaseInsensitiveLess> attachmentNames_;
};

}  // namespace varnemo::notes::local
