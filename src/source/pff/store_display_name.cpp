#include "source/pff/store_display_name.h"

#include "common/errors.h"
#include "source/pff/pff_file.h"
#include "source/pff/property_tags.h"

namespace varnemo::mapi::pff {

std::optional<std::string> ReadStoreDisplayName(const std::filesystem::path& dataFile)
{
    try {
        // The direct reader opens a file by its header, its name-to-id map and the message store.
        const auto file = PffFile::Open(dataFile, FileReader::Direct);
        return file->MessageStore()->Properties("the message store of " + dataFile.string())
            .Text(PropertyKey::Tag(tag::DisplayName));
    } catch (const ComponentError&) {
        return std::nullopt;
    }
}

}  // namespace varnemo::mapi::pff
