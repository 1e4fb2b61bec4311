#pragma once

#include "source/pff/direct/name_map.h"
#include "source/pff/direct/node_database.h"
#include "source/pff/direct/property_context.h"
#include "source/pff/property_source.h"

#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varnemo::mapi::pff {

// A data file read by the direct reader: its nodes and its name-to-id map.
struct DirectFile {
    std::unique_ptr<direct::NodeDatabase> nodes;
    direct::NameMap names;
    // Why the name-to-id map could not be read, when the file is read without it; empty else.
    std::string namesUnreadable;
};

// A node of a data file read straight from the file's structures: the node B-tree for folders,
// the messages of folders and the message store; the sub-node trees for attachments, embedded
// messages and the tables of a message. Nothing is read before it is asked for; what is kept is
// the node's own property records (large values stay in their sub-nodes) and its table's row ids.
class DirectSource : public PropertySource, public std::enable_shared_from_this<DirectSource> {
public:
    // The node of the node B-tree with this id; nothing when the file has none.
    static std::shared_ptr<DirectSource> FromNode(std::shared_ptr<const DirectFile> file, std::uint32_t nodeId);
    // The folder with this id. A damaged index page can lose a folder's own entry while its
    // parent's hierarchy table still lists it: such a folder is read from that row (its name and
    // class), and its tables, found as ever, give its items and sub-folders. parentId 0 when not
    // known: the tables are then walked down from the root to find the row. Nothing when neither
    // the index nor a table has the folder.
    static std::shared_ptr<DirectSource> Folder(std::shared_ptr<const DirectFile> file, std::uint32_t folderId,
                                                std::uint32_t parentId = 0);

    DirectSource(std::shared_ptr<const DirectFile> file, std::uint32_t nodeId, direct::NodeBlocks blocks,
                 std::shared_ptr<const DirectSource> parent);

    std::uint32_t NodeId() const override { return nodeId_; }
    PropertyBag Properties(std::string where) const override;

    int SubFolderCount(const std::string& where) const override;
    SourceRef SubFolder(int at, const std::string& where) const override;
    int MessageCount(const std::string& where) const override;
    SourceRef Message(int at, const std::string& where) const override;

    std::vector<PropertyBag> RecipientRows(const std::string& where) const override;
    int AttachmentCount(const std::string& where) const override;
    SourceRef Attachment(int at, const std::string& where) const override;
    std::optional<std::string> RtfBody(const std::string& where) const override;

    bool HoldsItem(const std::string& where) const override;
    SourceRef EmbeddedItem(const std::string& where) const override;
    void ReadData(const ByteSink& sink, const std::string& where) const override;

private:
    const direct::NodeDatabase& nodes() const { return *file_->nodes; }
    // A folder read from its row in its parent's table (see Folder) has no node, so no data block.
    bool ReadFromParentsRow() const { return blocks_.data == 0; }
    const std::vector<direct::StoredProperty>& StoredProperties(const std::string& where) const;
    std::optional<direct::StoredProperty> Stored(std::uint16_t id, const std::string& where) const;
    PropertyBag BagOf(std::vector<direct::StoredProperty> stored, std::string where) const;
    // What a folder's table of one kind lists. When the table cannot be read and the node index
    // lists less than the folder's own counts say it holds, `unlisted` more entries stand for the
    // rest; reading one of them fails with whyUnlisted.
    struct FolderListing {
        std::vector<std::uint32_t> ids;
        int unlisted = 0;
        std::string whyUnlisted;
        int Count() const { return static_cast<int>(ids.size()) + unlisted; }
        std::uint32_t At(int at) const;
    };
    // The row ids of the folder's table of this kind (0x0D hierarchy, 0x0E contents).
    const FolderListing& FolderTable(std::uint32_t kind, std::optional<FolderListing>& cache,
                                     const std::string& where) const;
    // What the node index lists under the folder when its table of this kind cannot be read
    // (tableDamage says why).
    FolderListing ListingFromIndex(std::uint32_t kind, const std::string& where,
                                   const std::exception_ptr& tableDamage) const;
    std::optional<std::int64_t> StoredNumber(std::uint16_t id) const;
    const std::vector<std::uint32_t>& AttachmentIds(const std::string& where) const;
    SourceRef NodeOfFile(std::uint32_t nodeId, const std::string& where) const;
    SourceRef Subnode(std::uint32_t nodeId, const std::string& where) const;

    std::shared_ptr<const DirectFile> file_;
    std::uint32_t nodeId_ = 0;
    direct::NodeBlocks blocks_;
    // An attachment keeps its message's blocks in use, an embedded message its attachment's.
    std::shared_ptr<const DirectSource> parent_;
    mutable std::optional<std::vector<direct::StoredProperty>> stored_;
    mutable std::optional<FolderListing> subFolders_;
    mutable std::optional<FolderListing> messages_;
    mutable std::optional<std::vector<std::uint32_t>> attachments_;
};

}  // namespace varnemo::mapi::pff
