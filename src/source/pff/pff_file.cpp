#include "source/pff/pff_file.h"

#include "common/errors.h"
#include "source/pff/pff_error.h"
#include "source/pff/property_bag.h"
#include "source/pff/property_tags.h"

#include <fmt/format.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace varnemo::mapi::pff {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void Unreadable(const fs::path& path, std::string_view reason)
{
    throw ComponentError(fmt::format("cannot open the Outlook data file {}: {}", path.string(), reason));
}

// The checks that give a clear reason before libpff is asked to parse anything.
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

    PffError signatureError;
    const int signature = libpff_check_file_signature(path.c_str(), signatureError.out());
    if (signature < 0)
        Unreadable(path, signatureError.message());
    if (signature == 0)
        Unreadable(path, "it is not an Outlook data file (no PST/OST signature)");
}

}  // namespace

int CloseAndFreeFile(libpff_file_t** file, libpff_error_t** error)
{
    // Closing a file that failed to open reports an error that matters to nobody.
    libpff_error_t* closeError = nullptr;
    if (libpff_file_close(*file, &closeError) != 0 && closeError)
        libpff_error_free(&closeError);
    return libpff_file_free(file, error);
}

PffFile::PffFile(fs::path path, FileHandle file)
    : path_(std::move(path)), where_(path_.string()), file_(std::move(file))
{
    const auto found = CheckPff("cannot read the message store", where_, [&](libpff_error_t** e) {
        return libpff_file_get_message_store(file_.get(), messageStore_.out(), e);
    });
    if (found != 1)
        Unreadable(path_, "it has no message store");

    const PropertyBag store(messageStore_.get(), "message store of " + where_);
    const auto key = store.Bytes(PropertyKey::Tag(tag::RecordKey));
    if (!key || key->size() != recordKey_.size())
        Unreadable(path_, "the message store has no valid record key");
    std::copy(key->begin(), key->end(), recordKey_.begin());
    OpenDirectReader();
}

void PffFile::OpenDirectReader()
{
    nodes_ = direct::NodeDatabase::Open(path_);
    if (!nodes_)
        return;
    try {
        names_ = direct::NameMap::Read(*nodes_);
    } catch (const ComponentError&) {
        nodes_.reset();  // without the names, libpff reads everything
    }
}

std::shared_ptr<PffFile> PffFile::Open(const fs::path& path)
{
    CheckIsCandidate(path);
    FileHandle file;
    const auto where = path.string();
    CheckPff("cannot prepare to read", where, [&](libpff_error_t** e) { return libpff_file_initialize(file.out(), e); });
    CheckPff("cannot open the Outlook data file", where, [&](libpff_error_t** e) {
        return libpff_file_open(file.get(), path.c_str(), LIBPFF_OPEN_READ, e);
    });
    return std::shared_ptr<PffFile>(new PffFile(path, std::move(file)));
}

ItemHandle PffFile::ItemById(std::uint32_t nodeId) const
{
    ItemHandle item;
    const int found = CheckPff(fmt::format("cannot read node {}", nodeId), where_, [&](libpff_error_t** e) {
        return libpff_file_get_item_by_identifier(file_.get(), nodeId, item.out(), e);
    });
    if (found != 1)
        item.reset();
    return item;
}

}  // namespace varnemo::mapi::pff
