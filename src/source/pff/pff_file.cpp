#include "source/pff/pff_file.h"

#include "common/errors.h"
#include "common/shared_calls.h"
#include "source/pff/direct/file_layout.h"
#include "source/pff/direct_source.h"
#include "source/pff/entry_ids.h"
#include "source/pff/file_stamp.h"
#include "source/pff/libpff_source.h"
#include "source/pff/pff_error.h"
#include "source/pff/property_tags.h"

#include <fmt/format.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <fstream>
#include <functional>
#include <unistd.h>

namespace varnemo::mapi::pff {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void Unreadable(const fs::path& path, std::string_view reason)
{
    throw ComponentError(fmt::format("cannot open the Outlook data file {}: {}", path.string(), reason));
}

// The checks that give a clear reason before any reader is asked to parse anything.
void CheckIsCandidate(const fs::path& path)
{
    std::error_code error;
    const auto status = fs::status(path, error);
    if (error || !fs::exists(status))
        Unreadable(path, error ? error.message() : "the file does not exist");
    if (fs::is_directory(status))
        Unreadable(path, "it is a folder, not a file");
    if (!fs::is_regular_file(status))
        Unreadable(path, "it is not a regular file");
    if (fs::file_size(path, error) == 0)
        Unreadable(path, "the file is empty");
    if (access(path.c_str(), R_OK) != 0)
        Unreadable(path, fmt::format("the file cannot be read ({})", std::strerror(errno)));
    // "!BDN", then the client's mark: "SM" for a personal folders file, "SO" for an offline one.
    char signature[10] = {};
    std::ifstream(path, std::ios::binary).read(signature, sizeof signature);
    if (std::memcmp(signature, "!BDN", 4) != 0 || signature[8] != 'S' || (signature[9] != 'M' && signature[9] != 'O'))
        Unreadable(path, "it is not an Outlook data file (no PST/OST signature)");
}

}  // namespace

struct LibpffFile {
    ~LibpffFile()
    {
        // Closing a file that failed to open reports an error that matters to nobody.
        libpff_error_t* closeError = nullptr;
        if (handle && Libpff().libpff_file_close(handle.get(), &closeError) != 0 && closeError)
            Libpff().libpff_error_free(&closeError);
    }  // then the handle frees the file

    PffHandle<libpff_file_t, &LibpffLibrary::libpff_file_free> handle;
};

namespace {

// The libpff opens under way in this process, by file. An open that the user stopped goes on to
// its end; opening the same file again meanwhile takes it up instead of reading the whole index
// a second time beside it.
SharedCalls<FileStamp, std::shared_ptr<LibpffFile>>& LibpffOpens()
{
    static SharedCalls<FileStamp, std::shared_ptr<LibpffFile>> opens;
    return opens;
}

}  // namespace

PffFile::PffFile(fs::path path) : path_(std::move(path)), where_(path_.string()) {}

std::shared_ptr<PffFile> PffFile::Open(const fs::path& path, std::optional<FileReader> reader, const StopRequest* stop)
{
    CheckIsCandidate(path);
    if (reader == FileReader::Libpff)
        return OpenedWithLibpff(path, "", stop);
    std::string unsupported;
    try {
        if (auto file = OpenedDirectly(path, Damage::Throws, unsupported))
            return file;
    } catch (const ComponentError& damage) {
        if (reader == FileReader::Direct)
            throw;
        // libpff reads past some damage that stops the direct reader at the start (a block of
        // the name-to-id map that fails its checksum, say): the file read, with that said, is
        // better than no file at all. When libpff cannot read it either, the direct reader's
        // reason is the one given.
        const auto damaged = std::current_exception();
        try {
            auto file =
                OpenedWithLibpff(path, fmt::format("the direct reader finds it damaged ({})", damage.what()), stop);
            file->readPastDamage_ = true;
            return file;
        } catch (const ComponentError&) {
        }
        if (auto file = OpenedAroundDamage(path))
            return file;
        std::rethrow_exception(damaged);
    }
    if (reader == FileReader::Direct)
        Unreadable(path, unsupported);
    return OpenedWithLibpff(path, std::move(unsupported), stop);
}

std::shared_ptr<PffFile> PffFile::OpenedDirectly(const fs::path& path, Damage damage, std::string& unsupported)
{
    auto opened = direct::NodeDatabase::Open(path);
    if (!opened.nodes) {
        unsupported = std::move(opened.unsupported);
        return nullptr;
    }
    std::shared_ptr<PffFile> file(new PffFile(path));
    auto direct = std::make_shared<DirectFile>();
    direct->nodes = std::move(opened.nodes);
    try {
        direct->names = direct::NameMap::Read(*direct->nodes);
    } catch (const ComponentError& error) {
        if (damage == Damage::Throws)
            throw;
        direct->namesUnreadable = error.what();
    }
    file->OpenDirectly(std::move(direct), damage);
    return file;
}

// Neither the name-to-id map nor the message store holds any item: the map only says what the
// named properties stand for, the store names the mailbox and its top folder. A file whose map or
// store neither reader can read is still read; its items say what they lack, its store what it
// does without. Nothing when the damage lies elsewhere too.
std::shared_ptr<PffFile> PffFile::OpenedAroundDamage(const fs::path& path)
{
    try {
        std::string unsupported;
        auto file = OpenedDirectly(path, Damage::ReadAround, unsupported);
        if (file && (!file->direct_->namesUnreadable.empty() || !file->messageStoreUnreadable_.empty()))
            return file;
    } catch (const ComponentError&) {
    }
    return nullptr;
}

bool PffFile::LeftToLibpff(const fs::path& path)
{
    try {
        CheckIsCandidate(path);
        return !direct::NodeDatabase::Open(path).nodes;
    } catch (const ComponentError&) {
        return false;
    }
}

std::shared_ptr<PffFile> PffFile::OpenedWithLibpff(const fs::path& path, std::string fallbackReason,
                                                   const StopRequest* stop)
{
    std::shared_ptr<PffFile> file(new PffFile(path));
    file->fallbackReason_ = std::move(fallbackReason);
    file->OpenWithLibpff(stop);
    return file;
}

void PffFile::OpenDirectly(std::shared_ptr<DirectFile> file, Damage damage)
{
    reader_ = FileReader::Direct;
    direct_ = std::move(file);
    try {
        messageStore_ = DirectSource::FromNode(direct_, direct::layout::kMessageStoreNodeId);
        if (!messageStore_)
            Unreadable(path_, "it has no message store");
        ReadRecordKey();
    } catch (const ComponentError& error) {
        // Without its store a file is read from its root folder: one that cannot be read either
        // leaves nothing to read.
        if (damage == Damage::Throws || !RootFolderReadable())
            throw;
        messageStore_ = nullptr;
        messageStoreUnreadable_ = error.what();
        recordKey_ = {};
        return;
    }
    if (damage == Damage::Throws)
        CheckTopFolderListsItsFolders();
}

void PffFile::OpenWithLibpff(const StopRequest* stop)
{
    reader_ = FileReader::Libpff;
    // Owns what it reads: a stopped open goes on after this object is gone.
    const std::function<std::shared_ptr<LibpffFile>()> open = [path = path_, where = where_] {
        auto file = std::make_shared<LibpffFile>();
        CheckPff("cannot prepare to read", where, [&](libpff_error_t** e) {
            return Libpff().libpff_file_initialize(file->handle.out(), e);
        });
        CheckPff("cannot open the Outlook data file", where, [&](libpff_error_t** e) {
            return Libpff().libpff_file_open(file->handle.get(), path.c_str(), LIBPFF_OPEN_READ, e);
        });
        return file;
    };
    if (stop && stop->Requested())
        throw WorkStopped();
    auto file = LibpffOpens().Join(FileStamp::Of(path_), open)->Wait(stop);
    ItemHandle store;
    const auto found = CheckPff("cannot read the message store", where_, [&](libpff_error_t** e) {
        return Libpff().libpff_file_get_message_store(file->handle.get(), store.out(), e);
    });
    if (found != 1)
        Unreadable(path_, "it has no message store");
    messageStore_ = std::make_shared<LibpffSource>(file, std::move(store));
    libpff_ = std::move(file);
    ReadRecordKey();
}

// The top folder's list of sub-folders holds the whole mailbox. When the direct reader cannot read
// it (the index page that lists the folder's tables fails its check, say), the damage stops it at
// the start, as an unreadable message store does, and the file goes to libpff, which reads index
// pages whatever their checksum.
void PffFile::CheckTopFolderListsItsFolders() const
{
    const auto entryId =
        messageStore_->Properties("the message store of " + where_).Bytes(PropertyKey::Tag(tag::IpmSubtreeEntryId));
    if (!entryId)
        return;  // said when the top folder is asked for
    const auto nodeId = ParseFolderEntryId(*entryId).nodeId;
    const auto top = DirectSource::Folder(direct_, nodeId);
    if (!top)
        Unreadable(path_, fmt::format("its top folder (node {:#x}) is missing", nodeId));
    // Its sub-folders are opened too: one that the direct reader cannot find (an index page lost
    // it with the top folder's table) may be one that libpff reads.
    const auto where = "the top folder of " + where_;
    for (int at = 0, count = top->SubFolderCount(where); at < count; ++at)
        top->SubFolder(at, where);
}

bool PffFile::RootFolderReadable() const
{
    try {
        const auto root = DirectSource::FromNode(direct_, direct::layout::kRootFolderNodeId);
        if (!root)
            return false;
        root->Properties("the root folder of " + where_);  // throws when they cannot be read
        return true;
    } catch (const ComponentError&) {
        return false;
    }
}

void PffFile::ReadRecordKey()
{
    const auto store = messageStore_->Properties("the message store of " + where_);
    const auto key = store.Bytes(PropertyKey::Tag(tag::RecordKey));
    if (!key || key->size() != recordKey_.size())
        Unreadable(path_, "the message store has no valid record key");
    std::copy(key->begin(), key->end(), recordKey_.begin());
}

SourceRef PffFile::Node(std::uint32_t nodeId) const
{
    if (direct_)
        return direct::layout::IsFolderNode(nodeId) ? DirectSource::Folder(direct_, nodeId)
                                                    : DirectSource::FromNode(direct_, nodeId);
    ItemHandle item;
    const int found = CheckPff(fmt::format("cannot read node {}", nodeId), where_, [&](libpff_error_t** e) {
        return Libpff().libpff_file_get_item_by_identifier(libpff_->handle.get(), nodeId, item.out(), e);
    });
    if (found != 1)
        return nullptr;
    return std::make_shared<LibpffSource>(libpff_, std::move(item));
}

}  // namespace varnemo::mapi::pff
