#include "source/folder_tree.h"

#include "source/folder_readout.h"

#include <fmt/format.h>

namespace varnemo {
namespace {

using Why = LeftOutFolder::Why;

struct Visit {
    FolderTree& tree;
    const std::function<void()>& yield;
};

size_t AddNode(Visit& visit, const FolderReadout& folder, size_t parent, const std::string& path, int image)
{
    FolderNode node;
    node.key = folder.entryId;
    node.text = folder.Readable() ? fmt::format("{} ({})", folder.name, folder.itemCount)
                                  : fmt::format("{} (cannot be read)", folder.name);
    node.image = image;
    node.parent = parent;
    node.tag = node.key + "#" + path;
    node.hasItems = folder.itemCount > 0;
    node.level = visit.tree.Node(parent).level + 1;
    node.error = folder.error;
    return visit.tree.Add(std::move(node));
}

// Adds the folder's node below the parent node when its class is shown, or when it cannot be
// read, so that the user sees what is missing; records what the conversion cannot take of it.
// Returns the node that the folder's sub-folders hang below (its own, or the parent's).
size_t AddFolderNode(Visit& visit, const FolderReadout& folder, size_t parent, const std::string& path)
{
    const int image = FolderImage(folder.defaultMessageClass);
    if (!folder.Readable()) {
        visit.tree.LeaveOut({path, Why::Unreadable, folder.error, folder.itemCount});
        return AddNode(visit, folder, parent, path, image < 0 ? kPlainFolderImage : image);
    }
    if (image >= 0)
        return AddNode(visit, folder, parent, path, image);
    if (folder.itemCount > 0) {
        visit.tree.LeaveOut({path, Why::NotConverted,
                             fmt::format("folders of class {} are not converted", folder.defaultMessageClass),
                             folder.itemCount});
    }
    return parent;
}

void GetSubFolders(Visit& visit, FolderReadout& iSubFolder, size_t node, const std::string& path);

// Adds the folder at this index of the collection, then its whole subtree. A first-level
// folder's path is its name; a deeper one's is its parent's path, a backslash and its name.
void AddFolder(Visit& visit, mapi::Folders& folders, long index, size_t parent, const std::string& pathPrefix)
{
    auto folder = ReadSubFolder(folders, index);
    const std::string path = pathPrefix + folder.name;
    const size_t node = AddFolderNode(visit, folder, parent, path);
    GetSubFolders(visit, folder, node, path);
}

void GetSubFolders(Visit& visit, FolderReadout& iSubFolder, size_t node, const std::string& path)
{
    for (long index = 1; index <= iSubFolder.subFolderCount; ++index) {
        AddFolder(visit, *iSubFolder.subFolders, index, node, path + "\\");
        visit.yield();
    }
}

// The top folder's name only labels its own items, which are counted whatever the name.
std::string TopFolderLabel(mapi::Folder& top)
{
    try {
        return top.Name();
    } catch (const ComponentError&) {
        return "the top folder";
    }
}

// Items kept in the top folder itself belong to no folder of the tree.
void LeaveOutTopFolderItems(mapi::Folder& top, FolderTree& tree)
{
    const std::string label = TopFolderLabel(top);
    try {
        const long count = top.GetItems()->Count();
        if (count > 0)
            tree.LeaveOut({label, Why::NotConverted, "items stored in the top folder are not converted", count});
    } catch (const ComponentError& error) {
        tree.LeaveOut({label, Why::Unreadable, error.what(), -1});
    }
}

}  // namespace

void FolderTree::Clear()
{
    nodes_.clear();
    leftOut_.clear();
    if (observer_)
        observer_->NodesCleared();
}

void FolderTree::Adopt(FolderTree&& built)
{
    Clear();
    for (auto& node : built.nodes_)
        Add(std::move(node));
    leftOut_ = std::move(built.leftOut_);
    built.nodes_.clear();
}

size_t FolderTree::Add(FolderNode node)
{
    nodes_.push_back(std::move(node));
    if (observer_)
        observer_->NodeAdded(nodes_.size());
    return nodes_.size();
}

void FolderTree::SetChecked(size_t number, bool checked)
{
    FolderNode& node = Node(number);
    node.checked = checked && node.Readable();
}

// The build adds nodes in pre-order, so the nodes below one are the run of deeper ones after it.
size_t FolderTree::SetCheckedBelow(size_t number, bool checked)
{
    const int level = Node(number).level;
    size_t last = number;
    SetChecked(number, checked);
    while (last < Count() && Node(last + 1).level > level)
        SetChecked(++last, checked);
    return last;
}

void FolderTree::TickAll()
{
    for (auto& node : nodes_)
        node.checked = node.Readable();
    if (observer_)
        observer_->AllTicked();
}

std::vector<std::string> FolderTree::SelectedFolders() const
{
    std::vector<std::string> selected(nodes_.size() + 1);
    size_t taken = 0;
    for (size_t number = 2; number <= nodes_.size(); ++number)
        if (Node(number).checked && Node(number).Readable())
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
    LeaveOutTopFolderItems(*top, tree);
    const long count = firstLevel->Count();
    for (long index = 1; index <= count; ++index)
        AddFolder(visit, *firstLevel, index, rootNode, "");
}

}  // namespace varnemo
