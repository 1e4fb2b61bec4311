#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnemo::notes::local {

enum class DesignKind { Form, View, Folder };

// The word that stands for the kind in the store ("form", "view", "folder").
std::string_view DesignKindName(DesignKind kind);
DesignKind DesignKindFromName(std::string_view name);

struct DesignElement {
    DesignKind kind = DesignKind::Form;
    std::string name;

    friend bool operator==(const DesignElement&, const DesignElement&) = default;
};

struct DatabaseInfo {
    std::string title;
    bool isTemplate = false;
    std::string replicaId;  // 16 upper-case hex digits, new for every database file
};

// What a new database takes over from its template: its title, whether it is a template
// itself, and its forms, views and folders.
struct DatabaseDesign {
    std::string title;
    bool isTemplate = false;
    std::vector<DesignElement> elements;
};

}  // namespace varnemo::notes::local
