#pragma once

#include "source/mapi.h"
#include "source/pff/item_node.h"
#include "source/pff/property_bag.h"

#include <cstdint>
#include <memory>
#include <string>

namespace varnemo::mapi::pff {

class PffFolder : public mapi::Folder {
public:
    explicit PffFolder(ItemNode node);

    std::string Name() override { return name_; }
    std::string EntryID() override;
    std::string DefaultMessageClass() override;
    std::unique_ptr<mapi::Folders> GetFolders() override;
    std::unique_ptr<mapi::Items> GetItems() override;

private:
    ItemNode node_;
    PropertyBag properties_;
    std::string name_;
    std::string where_;
};

// The folder with this node id; throws ComponentError when the file has no such folder.
std::unique_ptr<PffFolder> OpenFolder(std::shared_ptr<const PffFile> file, std::uint32_t nodeId);

// The sub-folders of a folder, in the order of the file's hierarchy table.
class PffFolders : public mapi::Folders {
public:
    PffFolders(ItemNode folder, std::string where);

    long Count() override { return count_; }
    std::unique_ptr<mapi::Folder> Item(long index) override;

private:
    ItemNode folder_;
    std::string where_;
    long count_ = 0;
};

// The items of a folder, in the order of its contents table. Each Item(index) goes straight to
// its row: reading all items is one pass.
class PffItems : public mapi::Items {
public:
    PffItems(ItemNode folder, std::string where);

    long Count() override { return count_; }
    std::unique_ptr<mapi::Item> Item(long index) override;

private:
    ItemNode folder_;
    std::string where_;
    long count_ = 0;
};

}  // namespace varnemo::mapi::pff
