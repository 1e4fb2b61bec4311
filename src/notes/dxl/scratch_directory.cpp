#include "notes/dxl/scratch_directory.h"

#include "common/errors.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fmt/format.h>

namespace varnemo::notes::dxl {

ScratchDirectory::ScratchDirectory()
{
    std::error_code error;
    const auto temporary = std::filesystem::temp_directory_path(error);
    if (error)
        throw ComponentError(fmt::format("there is no temporary folder: {}", error.message()));
    std::string pattern = (temporary / "varnemo-dxl-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw ComponentError(fmt::format("cannot create a folder in {}: {}", temporary.string(), std::strerror(errno)));
    path_ = pattern;
}

ScratchDirectory::~ScratchDirectory()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace varnemo::notes::dxl
