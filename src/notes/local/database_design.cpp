#include "notes/local/database_design.h"

#include "common/errors.h"

#include <fmt/format.h>

namespace varnemo::notes::local {

std::string_view DesignKindName(DesignKind kind)
{
    switch (kind) {
    case DesignKind::Form: return "form";
    case DesignKind::View: return "view";
    case DesignKind::Folder: return "folder";
    }
    return "form";
}

DesignKind DesignKindFromName(std::string_view name)
{
    for (const auto kind : {DesignKind::Form, DesignKind::View, DesignKind::Folder})
        if (DesignKindName(kind) == name)
            return kind;
    throw ComponentError(fmt::format("unknown kind of design element: {}", name));
}

}  // namespace varnemo::notes::local
