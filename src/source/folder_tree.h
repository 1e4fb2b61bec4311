#pragma once

#include "common/program_state.h"
#include "source/mapi.h"

#include <functional>
#include <string>
#include <vector>

namespace varnemo {

// One node of the mailbox's folder tree as the main window shows it.
struct FolderNode {
    // The store's entry identifier for the root, the folder's for a folder: unique within the
    // tree, but empty for a folder whose entry identifier cannot be read.
    std::string key;
    // The store's name, or the folder's name and item count: "Projects (12)"; for a folder that
    // cannot be read, "Projects (cannot be read)".
    std::string text;
    // Position of the node's icon in the small icon list.
    int image = 0;
    // Number (from 1) of the parent node; 0 for the root.
    size_t parent = 0;
    // Empty for the root; "entry id#folder path" for a folder.
    std::string tag;
    bool hasItems = false;
    bool checked = false;
    // Depth below the root, 0 for the root itself.
    int level = 0;
    // Why the folder cannot be read; empty for a folder read whole. Such a node is never ticked.
    std::string error;

    bool Readable() const { return error.empty(); }
};

// Told of every change the build makes, so that a tree widget can follow the model while the
// build yields to the window system.
class FolderTreeObserver {
public:
    virtual ~FolderTreeObserver() = default;
    virtual void NodesCleared() = 0;
    virtual void NodeAdded(size_t number) = 0;
    virtual void AllTicked() = 0;
};

// The nodes in the order the build added them, numbered from 1; node 1 is the root.
class FolderTree {
public:
    void Clear();
    // Takes the nodes and left-out folders of a tree built elsewhere (on another thread), telling
    // the observer of each node as a build here would.
    void Adopt(FolderTree&& built);
    size_t Add(FolderNode node);
    size_t Count() const { return nodes_.size(); }
    FolderNode& Node(size_t number) { return nodes_.at(number - 1); }
    const FolderNode& Node(size_t number) const { return nodes_.at(number - 1); }
    // Ticks every node but those of folders that cannot be read.
    void TickAll();
    // The user's tick or untick of one node, as the widget reports it; a folder that cannot be
    // read stays unticked.
    void SetChecked(size_t number, bool checked);
    // Ticks or unticks the node and every node below it, those of unreadable folders aside;
    // node 1 takes the whole tree. Returns the number of the last node it set.
    size_t SetCheckedBelow(size_t number, bool checked);

    // At most one observer; nullptr stops the notifications.
    void SetObserver(FolderTreeObserver* observer) { observer_ = observer; }

    // The hand-over to the conversion run: Count() + 1 entries, the tags of the ticked folder
    // nodes in node order first, empty entries after them. The root and the folders that cannot
    // be read are never taken.
    std::vector<std::string> SelectedFolders() const;

    // What the conversion cannot take of the store, found by the build in tree order; handed over
    // with SelectedFolders.
    void LeaveOut(LeftOutFolder folder) { leftOut_.push_back(std::move(folder)); }
    const std::vector<LeftOutFolder>& LeftOutFolders() const { return leftOut_; }

private:
    std::vector<FolderNode> nodes_;
    std::vector<LeftOutFolder> leftOut_;
    FolderTreeObserver* observer_ = nullptr;
};

// The icon of a folder of this default message class, or -1 for a class the tree does not show.
int FolderImage(const std::string& defaultMessageClass);
// The icon of a folder that cannot be read and is of no class the tree shows.
inline constexpr int kPlainFolderImage = 1;

// Rebuilds the tree from the store: the root, then every folder of a shown class and every
// folder that cannot be read, in pre-order, each below its nearest shown ancestor; and the list
// of what the conversion cannot take. A folder that cannot be read costs only itself: the build
// goes on with its siblings and with whatever of its sub-folders can be listed. Yields after
// every sub-folder below the first level. Throws ComponentError only when the store or its top
// folder's sub-folders cannot be read. Nothing is ticked: the caller ticks every node once the
// build has succeeded.
void BuildFolderTree(mapi::Store& store, FolderTree& tree, const std::function<void()>& yield);

}  // namespace varnemo
