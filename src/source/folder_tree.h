#pragma once

#include "source/mapi.h"

#include <functional>
#include <string>
#include <vector>

namespace varnemo {

// One node of the mailbox's folder tree as the main window shows it.
struct FolderNode {
    // Unique within the tree: the store's entry identifier for the root, the folder's for a folder.
    std::string key;
    // The store's name, or the folder's name and item count: "Projects (12)".
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
    size_t Add(FolderNode node);
    size_t Count() const { return nodes_.size(); }
    FolderNode& Node(size_t number) { return nodes_.at(number - 1); }
    const FolderNode& Node(size_t number) const { return nodes_.at(number - 1); }
    void TickAll();
    // The user's tick or untick of one node, as the widget reports it.
    void SetChecked(size_t number, bool checked) { Node(number).checked = checked; }

    // At most one observer; nullptr stops the notifications.
    void SetObserver(FolderTreeObserver* observer) { observer_ = observer; }

    // The hand-over to the conversion run: Count() + 1 entries, the tags of the ticked folder
    // nodes in node order first, empty entries after them. The root is never taken.
    std::vector<std::string> SelectedFolders() const;

private:
    std::vector<FolderNode> nodes_;
    FolderTreeObserver* observer_ = nullptr;
};

// The icon of a folder of this default message class, or -1 for a class the tree does not show.
int FolderImage(const std::string& defaultMessageClass);

// Rebuilds the tree from the store: the root, then every folder of a shown class in pre-order,
// each below its nearest shown ancestor. Yields after every sub-folder below the first level.
// Nothing is ticked: the caller ticks every node once the build has succeeded.
void BuildFolderTree(mapi::Store& store, FolderTree& tree, const std::function<void()>& yield);

}  // namespace varnemo
