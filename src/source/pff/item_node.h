#pragma once

#include "source/pff/pff_file.h"
#include "source/pff/property_source.h"

#include <memory>

namespace varnemo::mapi::pff {

// An item of an open data file: where its parts come from, and the file it belongs to (for the
// entry ids it hands out and the names in error messages).
struct ItemNode {
    std::shared_ptr<const PffFile> file;
    SourceRef source;
};

}  // namespace varnemo::mapi::pff
