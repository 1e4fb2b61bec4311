#pragma once

#include "common/stop_request.h"
#include "source/pff/file_stamp.h"
#include "source/pff/pff_file.h"

#include <filesystem>
#include <memory>

namespace varnemo::mapi::pff {

// The data file that the sessions of one component opened last, kept open for the next session:
// the conversion opens the file whose folder tree was just shown. Opening reads the file's whole
// node index, which takes libpff time that grows with the square of the number of items (minutes
// for a mailbox of a few hundred thousand), so it is worth doing once.
// A file that changed on disk since it was opened (size or modification time) is opened again.
class RecentDataFile {
public:
    // The file at path, open; throws ComponentError, or WorkStopped once stop is requested, as
    // PffFile::Open does.
    std::shared_ptr<const PffFile> Open(const std::filesystem::path& path, const StopRequest* stop = nullptr);

private:
    std::shared_ptr<const PffFile> file_;
    FileStamp stamp_;
};

// The file at path, open: through recent when there is one, else opened afresh.
std::shared_ptr<const PffFile> OpenThroughRecent(const std::shared_ptr<RecentDataFile>& recent,
                                                 const std::filesystem::path& path, const StopRequest* stop);

}  // namespace varnemo::mapi::pff
