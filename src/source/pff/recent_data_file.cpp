#include "source/pff/recent_data_file.h"

namespace varnemo::mapi::pff {

RecentDataFile::Stamp RecentDataFile::StampOf(const std::filesystem::path& path)
{
    // A file that cannot be looked at gets an empty stamp; PffFile::Open then says why.
    std::error_code error;
    Stamp stamp{path, std::filesystem::file_size(path, error), {}};
    stamp.modified = std::filesystem::last_write_time(path, error);
    return stamp;
}

std::shared_ptr<const PffFile> RecentDataFile::Open(const std::filesystem::path& path, const StopRequest* stop)
{
    const auto stamp = StampOf(path);
    if (!file_ || !(stamp == stamp_)) {
        file_.reset();
        file_ = PffFile::Open(path, {}, stop);
        stamp_ = stamp;
    }
    return file_;
}

}  // namespace varnemo::mapi::pff
