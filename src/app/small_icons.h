#pragma once

#include <QIcon>
#include <QMap>
#include <QString>
#include <QVector>

namespace varnemo::app {

// The image list SmallIcons of the folder tree: 76 small icons addressed by position from 0,
// some of them also by key. The tree takes the store's icon from position 0 and each folder's
// from the position of its class (source/folder_tree.h): mail 2, tasks 58, calendar 60,
// contacts 61, journal 62, notes 67. The positions in between hold a plain folder.
class SmallIcons {
public:
    static constexpr int kCount = 76;

    SmallIcons();

    int Count() const { return static_cast<int>(icons_.size()); }
    // Throws std::out_of_range for a position outside the list.
    const QIcon& At(int position) const;
    // The position of the icon with this key ("cal", "contacts", "journal", "tasks"), or -1.
    int Position(const QString& key) const { return keys_.value(key, -1); }

private:
    QVector<QIcon> icons_;
    QMap<QString, int> keys_;
};

}  // namespace varnemo::app
