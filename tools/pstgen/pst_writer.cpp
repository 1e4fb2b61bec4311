#include "pst_writer.h"

#include "format_constants.h"
#include "item_properties.h"
#include "named_properties.h"
#include "ndb_file.h"
#include "property_context.h"
#include "table_columns.h"
#include "table_context.h"

#include <fmt/format.h>

#include <algorithm>
#include <stdexcept>

namespace pstgen {

namespace {

constexpr std::uint32_t kFirstFolderIndex = NidIndex(nid::kDeletedItems) + 1;
constexpr std::uint32_t kFirstMessageIndex = 0x10000;
// Valid: IPM subtree, Deleted Items, search root.
constexpr std::uint32_t kValidFolderMask = 0x01 | 0x08 | 0x80;
constexpr std::string_view kDeletedItemsName = "Deleted Items";

using FolderChildren = std::vector<std::pair<const Folder*, std::uint32_t>>;

PropertyList FolderProperties(const Folder& folder, bool hasSubfolders)
{
    PropertyList properties;
    properties.Set(0x3001, StringValue(folder.name));
    properties.Set(0x3602, Int32Value(static_cast<std::uint32_t>(folder.items.size())));
    properties.Set(0x3603, Int32Value(0));
    properties.Set(0x360A, BoolValue(hasSubfolders));
    if (!folder.containerClass.empty())
        properties.Set(0x3613, StringValue(folder.containerClass));
    properties.Set(0x3617, Int32Value(0));
    return properties;
}

PropertyValue ObjectValue(std::uint32_t nid, std::uint64_t size)
{
    PropertyValue value{prop_type::kObject, {}, nullptr};
    PutLE(value.data, nid);
    PutLE(value.data, static_cast<std::uint32_t>(std::min<std::uint64_t>(size, 0xFFFFFFFF)));
    return value;
}

class MailboxWriter {
public:
    MailboxWriter(const Mailbox& mailbox, const std::filesystem::path& path)
        : mailbox_(mailbox), file_(path, mailbox.encoding)
    {
        // libpff refuses a file whose map has no entries; Outlook's new files already hold these.
        names_.IdOf({property_set::kPublicStrings, 0, "Keywords"});
        names_.IdOf({property_set::kCommon, 0x8502, {}});
        names_.IdOf({property_set::kCommon, 0x8503, {}});
    }

    void Write()
    {
        WriteFolderTree();
        WriteStore();
        WriteTableTemplates();
        WriteNode(nid::kNameToIdMap, 0, names_.Properties());
        file_.Finish();
    }

private:
    void WriteFolderTree()
    {
        const Folder root{"", "", {}, {}}, top{"Top of Personal Folders", "", {}, {}};
        const Folder searchRoot{"Search Root", "", {}, {}}, spam{"SPAM Search Folder 2", "", {}, {}};
        WriteFolderNode(root, nid::kRootFolder, nid::kRootFolder,
                        {{&top, nid::kIpmSubtree}, {&searchRoot, nid::kSearchRoot}, {&spam, nid::kSpamSearchFolder}});
        WriteFolderNode(searchRoot, nid::kSearchRoot, nid::kRootFolder, {});
        WriteFolderNode(spam, nid::kSpamSearchFolder, nid::kRootFolder, {});

        const Folder emptyDeletedItems{std::string(kDeletedItemsName), "", {}, {}};
        const auto named = std::find_if(mailbox_.folders.begin(), mailbox_.folders.end(),
                                        [](const Folder& f) { return f.name == kDeletedItemsName; });
        const Folder& deletedItems = named != mailbox_.folders.end() ? *named : emptyDeletedItems;
        // "Deleted Items" comes first in the table as in the node B-tree, where its id sorts first.
        FolderChildren topChildren{{&deletedItems, nid::kDeletedItems}};
        for (const auto& folder : mailbox_.folders)
            if (&folder != &deletedItems)
                topChildren.emplace_back(&folder, NewFolderNid());
        WriteFolderNode(top, nid::kIpmSubtree, nid::kRootFolder, topChildren);
        for (const auto& [folder, folderNid] : topChildren)
            WriteFolder(*folder, folderNid, nid::kIpmSubtree);
    }

    void WriteFolder(const Folder& folder, std::uint32_t folderNid, std::uint32_t parentNid)
    {
        FolderChildren children;
        for (const auto& child : folder.folders)
            children.emplace_back(&child, NewFolderNid());
        WriteFolderNode(folder, folderNid, parentNid, children);
        for (const auto& [child, childNid] : children)
            WriteFolder(*child, childNid, folderNid);
    }

    // The folder's properties and its hierarchy, contents and associated contents tables.
    void WriteFolderNode(const Folder& folder, std::uint32_t folderNid, std::uint32_t parentNid,
                         const FolderChildren& children)
    {
        WriteNode(folderNid, parentNid, FolderProperties(folder, !children.empty()));
        WriteTable(WithType(folderNid, nid_type::kHierarchyTable), table_columns::Hierarchy(), [&](TableBuilder& table) {
            // The top folder is given without its sub-folders, but always holds Deleted Items.
            for (const auto& [child, childNid] : children)
                table.AddRow(childNid, FolderProperties(*child, childNid == nid::kIpmSubtree || !child->folders.empty()));
        });
        WriteTable(WithType(folderNid, nid_type::kContentsTable), table_columns::Contents(), [&](TableBuilder& table) {
            for (const auto& item : folder.items) {
                const auto messageNid = MakeNid(nid_type::kNormalMessage, nextMessageIndex_++);
                table.AddRow(messageNid, WriteMessage(item, messageNid, folderNid));
            }
        });
        WriteTable(WithType(folderNid, nid_type::kAssociatedContentsTable), table_columns::AssociatedContents(),
                   [](TableBuilder&) {});
    }

    // Writes the item as a top-level node and returns its properties for the contents table.
    PropertyList WriteMessage(const Item& item, std::uint32_t messageNid, std::uint32_t folderNid)
    {
        auto properties = ItemProperties(item, names_);
        Subnodes subnodes;
        const auto data = WriteMessageData(item, properties, subnodes);
        file_.AddNode({messageNid, data, subnodes.Write(file_.Blocks()), folderNid});
        return properties;
    }

    // The message's property context; its recipient and attachment tables and attachments go to
    // subnodes. Used for top-level and embedded items alike.
    std::uint64_t WriteMessageData(const Item& item, const PropertyList& properties, Subnodes& subnodes)
    {
        AddTable(subnodes, nid::kRecipientTable, table_columns::Recipients(), [&](TableBuilder& table) {
            std::uint32_t row = 0;
            for (const auto& recipient : item.recipients)
                table.AddRow(row++, RecipientProperties(recipient));
        });
        if (!item.attachments.empty())
            AddTable(subnodes, nid::kAttachmentTable, table_columns::Attachments(), [&](TableBuilder& table) {
                for (const auto& attachment : item.attachments) {
                    const auto attachmentNid = subnodes.NewNid(nid_type::kAttachment);
                    table.AddRow(attachmentNid, WriteAttachment(attachment, attachmentNid, subnodes));
                }
            });
        return WritePropertyContext(properties, subnodes, file_.Blocks());
    }

    PropertyList WriteAttachment(const Attachment& attachment, std::uint32_t attachmentNid, Subnodes& parent)
    {
        auto properties = AttachmentProperties(attachment);
        Subnodes subnodes;
        if (attachment.embedded) {
            const auto embeddedNid = subnodes.NewNid(nid_type::kNormalMessage);
            const auto embeddedProperties = ItemProperties(*attachment.embedded, names_);
            Subnodes embeddedSubnodes;
            const auto data = WriteMessageData(*attachment.embedded, embeddedProperties, embeddedSubnodes);
            subnodes.Add({embeddedNid, data, embeddedSubnodes.Write(file_.Blocks())});
            const auto* size = embeddedProperties.Find(0x0E08);
            properties.Set(0x3701, ObjectValue(embeddedNid, GetLE<std::uint32_t>(size->data, 0)));
        }
        const auto data = WritePropertyContext(properties, subnodes, file_.Blocks());
        parent.Add({attachmentNid, data, subnodes.Write(file_.Blocks())});
        return properties;
    }

    void WriteStore()
    {
        PropertyList store;
        store.Set(0x0FF9, BinaryValue(Bytes(mailbox_.recordKey.begin(), mailbox_.recordKey.end())));
        store.Set(0x3001, StringValue(mailbox_.displayName));
        store.Set(0x35E0, BinaryValue(EntryId(nid::kIpmSubtree)));
        store.Set(0x35E3, BinaryValue(EntryId(nid::kDeletedItems)));
        store.Set(0x35E7, BinaryValue(EntryId(nid::kSearchRoot)));
        store.Set(0x35DF, Int32Value(kValidFolderMask));
        store.Set(0x67FF, Int32Value(0));
        WriteNode(nid::kMessageStore, 0, store);
    }

    // Empty tables whose columns new tables of each kind are made from.
    void WriteTableTemplates()
    {
        auto none = [](TableBuilder&) {};
        WriteTable(nid::kHierarchyTableTemplate, table_columns::Hierarchy(), none);
        WriteTable(nid::kContentsTableTemplate, table_columns::Contents(), none);
        WriteTable(nid::kAssociatedContentsTableTemplate, table_columns::AssociatedContents(), none);
        WriteTable(nid::kSearchContentsTableTemplate, table_columns::Contents(), none);
        WriteTable(nid::kAttachmentTable, table_columns::Attachments(), none);
        WriteTable(nid::kRecipientTable, table_columns::Recipients(), none);
    }

    struct NodeData {
        std::uint64_t data;
        std::uint64_t subnodes;
    };

    void WriteNode(std::uint32_t nodeNid, std::uint32_t parentNid, const PropertyList& properties)
    {
        Subnodes subnodes;
        const auto data = WritePropertyContext(properties, subnodes, file_.Blocks());
        file_.AddNode({nodeNid, data, subnodes.Write(file_.Blocks()), parentNid});
    }

    template <typename FillRows>
    NodeData BuildTable(const std::vector<std::uint32_t>& columns, FillRows fillRows)
    {
        Subnodes subnodes;
        TableBuilder table(columns, subnodes, file_.Blocks());
        fillRows(table);
        const auto data = table.Write();
        return {data, subnodes.Write(file_.Blocks())};
    }

    // Tables of folders and templates are top-level nodes without a parent.
    template <typename FillRows>
    void WriteTable(std::uint32_t tableNid, const std::vector<std::uint32_t>& columns, FillRows fillRows)
    {
        const auto built = BuildTable(columns, fillRows);
        file_.AddNode({tableNid, built.data, built.subnodes, 0});
    }

    template <typename FillRows>
    void AddTable(Subnodes& owner, std::uint32_t tableNid, const std::vector<std::uint32_t>& columns, FillRows fillRows)
    {
        const auto built = BuildTable(columns, fillRows);
        owner.Add({tableNid, built.data, built.subnodes});
    }

    Bytes EntryId(std::uint32_t target) const
    {
        Bytes id(4, 0);
        Append(id, mailbox_.recordKey);
        PutLE(id, target);
        return id;
    }

    std::uint32_t NewFolderNid() { return MakeNid(nid_type::kNormalFolder, nextFolderIndex_++); }

    const Mailbox& mailbox_;
    NdbFile file_;
    NameToIdMap names_;
    std::uint32_t nextFolderIndex_ = kFirstFolderIndex;
    std::uint32_t nextMessageIndex_ = kFirstMessageIndex;
};

}  // namespace

void WritePst(const Mailbox& mailbox, const std::filesystem::path& path)
{
    try {
        MailboxWriter(mailbox, path).Write();
    } catch (const std::exception& error) {
        throw std::runtime_error(fmt::format("writing {}: {}", path.string(), error.what()));
    }
}

}  // namespace pstgen
