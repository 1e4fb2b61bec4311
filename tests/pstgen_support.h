#pragma once

// Helpers of the pstgen tests: what the independent readers (libpff's pffexport, libpst's
// readpst) show of a data file, what they should show of a mailbox, and attachment digests.

#include "pstgen/mailbox.h"
#include "temp_dir.h"

#include <filesystem>
#include <functional>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace varnemo::testing {

struct CommandResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a shell command line; its standard error is caught in a file in scratch.
CommandResult RunCommand(const std::string& commandLine, const std::filesystem::path& scratch);
std::string Quote(const std::string& text);

// Lower-case hexadecimal SHA-256.
std::string Sha256(const pstgen::ByteSource& source);
std::string Sha256OfFile(const std::filesystem::path& path);

// What a reader shows of one folder; subjects and attachment digests sorted.
struct SeenFolder {
    std::size_t itemCount = 0;
    std::vector<std::string> subjects;
    std::vector<std::string> attachmentDigests;
    bool operator==(const SeenFolder&) const = default;
};
void PrintTo(const SeenFolder& folder, std::ostream* out);
// Folders by their path below the top folder, levels joined by " > ".
using SeenMailbox = std::map<std::string, SeenFolder>;
// Folder names with the count a reader reports for each (names may repeat).
using FolderCounts = std::multiset<std::pair<std::string, std::size_t>>;

// What each reader makes of names, items and attachments, so that the expectation can be
// derived from the mailbox.
struct ReaderView {
    std::function<std::string(const std::string&)> folderName;
    std::function<bool(const pstgen::Folder&)> showsFolder;
    std::function<bool(const pstgen::Item&)> showsItem;
    std::function<bool(const pstgen::Item&)> showsSubject;
    std::function<bool(const pstgen::Attachment&)> showsAttachment;
};
ReaderView PffexportView();
// readpst saves attachments as files only in its one-file-per-item mode (separateFiles), which
// slows down with the square of a folder's item count; large mailboxes are read as mbox files.
ReaderView ReadpstView(bool separateFiles);
bool ReadpstSeparateFiles(const pstgen::Mailbox& mailbox);

SeenMailbox Expected(const pstgen::Mailbox& mailbox, const ReaderView& view);

// Runs the reader on the file (output below outDir) and collects what it shows; fails the
// calling test when the reader reports an error.
SeenMailbox SeenByPffexport(const std::filesystem::path& pst, const std::filesystem::path& outDir);
struct ReadpstResult {
    SeenMailbox seen;
    // readpst's own account: "Inbox" - 2 items done, 1 items skipped (sub-folders count as items).
    FolderCounts reported;
};
ReadpstResult SeenByReadpst(const std::filesystem::path& pst, const std::filesystem::path& outDir, bool separateFiles);
// On a loaded machine readpst now and then writes less than it read (a few of 300 items, once an
// attachment's bytes), never when run again on the same file: a reading unlike expected is made
// once more, below outDir/again. A fault of the file shows in both.
ReadpstResult SeenByReadpstOnceMoreIfUnlike(const std::filesystem::path& pst, const std::filesystem::path& outDir,
                                            bool separateFiles, const SeenMailbox& expected);
// What readpst should report of the mailbox: every folder holding items or folders, and the
// store itself with the top folders.
FolderCounts ExpectedReadpstReport(const pstgen::Mailbox& mailbox);

// Checks that pffinfo reads the file, that pffexport (when exportEveryItem) and readpst see
// what the mailbox holds. Their output goes below scratch and is removed afterwards.
void ExpectIndependentReadersSee(const std::filesystem::path& pst, const pstgen::Mailbox& mailbox,
                                 const std::filesystem::path& scratch, bool exportEveryItem = true);

}  // namespace varnemo::testing
