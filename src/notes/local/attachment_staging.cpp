#include "notes/local/attachment_staging.h"

#include "common/errors.h"
#include "notes/local/sqlite_blob.h"
#include "notes/local/sqlite_connection.h"
#include "notes/local/sqlite_statement.h"
#include "notes/local/sqlite_transaction.h"

#include <algorithm>
#include <array>
#include <fmt/format.h>
#include <fstream>
#include <sqlite3.h>

namespace varnemo::notes::local {
namespace {

// Small enough for the stack: a buffer on the heap was allocated, zeroed and faulted in anew for
// every attachment, some 7 % of converting a mailbox of small attachments.
constexpr std::size_t kChunkSize = 64 * 1024;

long long SizeOfSourceFile(const std::filesystem::path& file)
{
    std::error_code error;
    const auto status = std::filesystem::status(file, error);
    if (!std::filesystem::exists(status))
        throw ComponentError(fmt::format("cannot attach {}: the file does not exist", file.string()));
    if (!std::filesystem::is_regular_file(status))
        throw ComponentError(fmt::format("cannot attach {}: it is not a regular file", file.string()));
    const auto size = std::filesystem::file_size(file, error);
    if (error)
        throw ComponentError(fmt::format("cannot attach {}: {}", file.string(), error.message()));
    return static_cast<long long>(size);
}

void CheckFitsInStore(SqliteConnection& connection, const std::filesystem::path& file, long long size)
{
    const long long limit = sqlite3_limit(connection.handle(), SQLITE_LIMIT_LENGTH, -1);
    if (size > limit)
        throw ComponentError(fmt::format("cannot attach {} to the database {}: it has {} bytes, more than the {} "
                                         "bytes an attachment may have",
                                         file.string(), connection.path().string(), size, limit));
}

// The attachment's row and room for its bytes, filled in place afterwards.
long long InsertEmptyAttachment(SqliteConnection& connection, const std::string& unid,
                                const AttachmentSource& source, long long size)
{
    SqliteStatement insert(connection, "INSERT INTO attachments (staged_for, item_name, file_name, object_name) "
                                       "VALUES (?, ?, ?, ?)");
    insert.Bind(1, unid).Bind(2, source.itemName).Bind(3, source.fileName).Bind(4, source.objectName);
    insert.Run();
    const long long attachmentId = connection.LastInsertRowId();
    SqliteStatement reserve(connection, "INSERT INTO attachment_contents (attachment_id, content) VALUES (?, ?)");
    reserve.Bind(1, attachmentId).BindZeroBlob(2, size).Run();
    return attachmentId;
}

void CopyFileIntoBlob(SqliteConnection& connection, const std::filesystem::path& file, long long attachmentId, long long size)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw ComponentError("the file cannot be read");
    SqliteBlob blob(connection, "attachment_contents", "content", attachmentId, SqliteBlob::Access::Write);
    std::array<char, kChunkSize> chunk;
    long long offset = 0;
    while (offset < size) {
        in.read(chunk.data(), static_cast<std::streamsize>(std::min<long long>(size - offset, chunk.size())));
        const auto count = static_cast<std::size_t>(in.gcount());
        if (count == 0)
            throw ComponentError("the file shrank while it was copied");
        blob.Write(chunk.data(), count, offset);
        offset += static_cast<long long>(count);
    }
    if (in.peek() != std::char_traits<char>::eof())
        throw ComponentError("the file grew while it was copied");
}

}  // namespace

void StageAttachment(SqliteConnection& connection, const std::string& unid, const AttachmentSource& source)
{
    const long long size = SizeOfSourceFile(source.file);
    CheckFitsInStore(connection, source.file, size);
    try {
        SqliteTransaction transaction(connection);
        const long long attachmentId = InsertEmptyAttachment(connection, unid, source, size);
        CopyFileIntoBlob(connection, source.file, attachmentId, size);
        transaction.Commit();
    } catch (const ComponentError& error) {
        throw ComponentError(fmt::format("cannot attach {}: {}", source.file.string(), error.what()));
    }
}

void DiscardStagedAttachments(SqliteConnection& connection, const std::string& unid)
{
    SqliteStatement discard(connection, "DELETE FROM attachments WHERE staged_for = ?");
    discard.Bind(1, unid).Run();
}

void ClaimStagedAttachments(SqliteConnection& connection, const std::string& unid, long long documentId)
{
    SqliteStatement claim(connection,
                          "UPDATE attachments SET document_id = ?, staged_for = NULL WHERE staged_for = ?");
    claim.Bind(1, documentId).Bind(2, unid).Run();
}

}  // namespace varnemo::notes::local
