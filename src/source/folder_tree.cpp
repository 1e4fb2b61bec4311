#include "source/folder_tree.h"

#include <fmt/format.h>

namespace varnemo {
namespace {

struct Visit {
    FolderTree& tree;
    const std::function<void()>& yield;
};

// Adds the folder's node below the parent node when its class is shown; returns the node that
// the folder's sub-folders hang below (its own, or the parent's when it got none).
size_t AddFolderNode(Visit& visit, mapi::Folder& folder, size_t parent, const std::string& path)
{
    const long count = folder.GetItems()->Count();
    const int image = FolderImage(folder.DefaultMessageClass());
    if (image < 0)
        return parent;
    FolderNode node;
    node.key = folder.EntryID();
    node.text = fmt::format("{} ({})", folder.Name(), count);
    node.image = image;
    node.parent = parent;
    node.tag = node.key + "#" + path;
    node.hasItems = count > 0;
    node.level = visit.tree.Node(parent).level + 1;
    return visit.tree.Add(std::move(node));
}

void GetSubFolders(Visit& visit, mapi::Folder& iSubFolder, size_t node, const std::string& path)
{
    auto folders = iSubFolder.GetFolders();
    const long count = folders->Count();
    for (long index = 1; index <= count; ++index) {
        auto child = folders->Item(index);
        const std::string childPath = path + "\\" + child->Name();
        const size_t childNode = AddFolderNode(visit, *child, node, childPath);
        GetSubFolders(visit, *child, childNode, childPath);
        visit.yield();
    }
}

}  // namespace

void FolderTree::Clear()
{
    nodes_.clear();
    if (observer_)
        observer_->NodesCleared();
}

size_t FolderTree::Add(FolderNode node)
{
    nodes_.push_back(std::move(node));
    if (observer_)
        observer_->NodeAdded(nodes_.size());
    return nodes_.size();
}

void FolderTree::TickAll()
{
    for (auto& node : nodes_)
        node.checked = true;
    if (observer_)
        observer_->AllTicked();
}

std::vector<std::string> FolderTree::SelectedFolders() const
{
    std::vector<std::string> selected(nodes_.size() + 1);
    size_t taken = 0;
    for (size_t number = 2; number <= nodes_.size(); ++number)
        if (Node(number).checked)
            selected[taken++] = Node(number).tag;
    return selected;
}

int FolderImage(const std::string& defaultMessageClass)
{
    if (defaultMessageClass == "IPM.Contact")
        return 61;
    if (defaultMessageClass == "IPM.Note")
        return 2;
    if (defaultMessageClass == "IPM.Appointment")
        return 60;
    if (defaultMessageClass == "IPM.Journal")
        return 62;
    if (defaultMessageClass == "IPM.StickyNote")
        return 67;
    if (defaultMessageClass == "IPM.Task")
        return 58;
    return -1;
}

void BuildFolderTree(mapi::Store& store, FolderTree& tree, const std::function<void()>& yield)
{
    tree.Clear();
    FolderNode root;
    root.key = store.EntryID();
    root.text = store.Name();
    root.hasItems = true;
    const size_t rootNode = tree.Add(std::move(root));

    Visit visit{tree, yield};
    auto top = store.TopFolder();
    auto firstLevel = top->GetFolders();
    const long count = firstLevel->Count();
    for (long index = 1; index <= count; ++index) {
        auto folder = firstLevel->Item(index);
        const std::string path = folder->Name();
        const size_t node = AddFolderNode(visit, *folder, rootNode, path);
        GetSubFolders(visit, *folder, node, path);
    }
}

}  // namespace varnemo
