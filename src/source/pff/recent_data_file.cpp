#include "source/pff/recent_data_file.h"

namespace varnemo::mapi::pff {

std::shared_ptr<const PffFile> RecentDataFile::Open(const std::filesystem::path& path, const StopRequest* stop)
{
    const auto stamp = FileStamp::Of(path);
    if (!file_ || !(stamp == stamp_)) {
        file_.reset();
        file_ = PffFile::Open(path, {}, stop);
        stamp_ = stamp;
    }
    return file_;
}

std::shared_ptr<const PffFile> OpenThroughRecent(const std::shared_ptr<RecentDataFile>& recent,
                                                 const std::filesystem::path& path, const StopRequest* stop)
{
    return recent ? recent->Open(path, stop) : PffFile::Open(path, {}, stop);
}

}  // namespace varnemo::mapi::pff
