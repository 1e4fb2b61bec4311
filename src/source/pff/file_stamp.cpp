#include "source/pff/file_stamp.h"

namespace varnemo::mapi::pff {

FileStamp FileStamp::Of(const std::filesystem::path& path)
{
    std::error_code error;
    FileStamp stamp{path, std::filesystem::file_size(path, error), {}};
    stamp.modified = std::filesystem::last_write_time(path, error);
    return stamp;
}

}  // namespace varnemo::mapi::pff
