#pragma once

#include "common/stop_request.h"
#include "source/pff/property_source.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace varnemo::mapi::pff {

using RecordKey = std::array<std::uint8_t, 16>;

struct DirectFile;
struct LibpffFile;

// Which reader serves a data file: our own reader of the file's structures, or libpff for the
// files our reader does not read.
enum class FileReader { Direct, Libpff };

// One open Outlook data file (PST or OST). Stores, folders and items share it, so that it stays
// open while any of them is held, whatever happens to the session that opened it.
class PffFile {
public:
    // Throws ComponentError naming the file and the reason when it cannot be read as an
    // Outlook data file (missing, a folder, empty, another kind of file, damaged). Without a
    // reader named, the direct reader reads the file when it can, libpff otherwise: a format
    // the direct reader does not read, or damage that stops it from opening the file. Damage that
    // libpff cannot read past either is read around where it lies in the name-to-id map (the
    // named properties are left out, each item says so) or in the message store (see
    // messageStoreUnreadable) instead of giving up the file.
    // libpff reads a file's whole node index while it opens it, minutes for a large one, and
    // cannot be interrupted there: once stop is requested, Open throws WorkStopped at once and
    // leaves that open to end on its own; opening the file again meanwhile takes it up.
    static std::shared_ptr<PffFile> Open(const std::filesystem::path& path, std::optional<FileReader> reader = {},
                                         const StopRequest* stop = nullptr);

    // Whether path is an Outlook data file whose header states a format that only libpff reads
    // (4 KiB pages, an encoding other than Outlook's three): told from its header
    // alone. False for anything else, damaged or not an Outlook data file at all.
    static bool LeftToLibpff(const std::filesystem::path& path);

    const std::filesystem::path& path() const { return path_; }
    const std::string& where() const { return where_; }
    // The provider UID of every entry id in this file.
    const RecordKey& recordKey() const { return recordKey_; }

    FileReader reader() const { return reader_; }
    // Why libpff reads the file, when the direct reader was not asked to stand aside; empty else.
    const std::string& fallbackReason() const { return fallbackReason_; }
    // Whether libpff reads it because the direct reader found it damaged.
    bool readPastDamage() const { return readPastDamage_; }

    // Null when the file was opened without its message store.
    SourceRef MessageStore() const { return messageStore_; }
    // Why the message store cannot be read, when the file was opened without it; empty else.
    // The record key is then all zeros.
    const std::string& messageStoreUnreadable() const { return messageStoreUnreadable_; }
    // The node with this id of the file's node index; null when there is none. The direct reader
    // also finds a folder whose own index entry is lost, from its row in its parent's table.
    SourceRef Node(std::uint32_t nodeId) const;

private:
    explicit PffFile(std::filesystem::path path);
    // Whether damage of the name-to-id map or the message store stops the open or is read around.
    enum class Damage { Throws, ReadAround };
    // Nothing when the file's header states a format the direct reader does not read; unsupported
    // then says which.
    static std::shared_ptr<PffFile> OpenedDirectly(const std::filesystem::path& path, Damage damage,
                                                   std::string& unsupported);
    static std::shared_ptr<PffFile> OpenedAroundDamage(const std::filesystem::path& path);
    static std::shared_ptr<PffFile> OpenedWithLibpff(const std::filesystem::path& path, std::string fallbackReason,
                                                     const StopRequest* stop);
    void OpenDirectly(std::shared_ptr<DirectFile> file, Damage damage);
    void OpenWithLibpff(const StopRequest* stop);
    void ReadRecordKey();
    // Throws ComponentError when the direct reader cannot list the top folder's sub-folders, or find one.
    void CheckTopFolderListsItsFolders() const;
    bool RootFolderReadable() const;

    std::filesystem::path path_;
    std::string where_;
    FileReader reader_ = FileReader::Direct;
    std::string fallbackReason_;
    bool readPastDamage_ = false;
    std::shared_ptr<const DirectFile> direct_;
    std::shared_ptr<const LibpffFile> libpff_;
    SourceRef messageStore_;
    std::string messageStoreUnreadable_;
    RecordKey recordKey_{};
};

}  // namespace varnemo::mapi::pff
