#pragma once

#include "notes/local/database_reader.h"
#include "notes/local/local_notes.h"
#include "notes/local/sqlite_connection.h"
#include "notes/local/sqlite_statement.h"
#include "temp_dir.h"

#include <algorithm>
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace varnemo::notes::local::testing {

using varnemo::testing::ReadFile;
using varnemo::testing::TempDir;
using varnemo::testing::WriteFile;

inline std::vector<StoredDocument> ReadDocuments(const std::filesystem::path& database)
{
    std::vector<StoredDocument> documents;
    DatabaseReader(database).ForEachDocument([&](const StoredDocument& document) { documents.push_back(document); });
    return documents;
}

inline std::string AttachmentBytes(const std::filesystem::path& database, const StoredAttachment& attachment)
{
    std::ostringstream out;
    DatabaseReader(database).CopyAttachment(attachment, out);
    return out.str();
}

// Answers a one-number query with a connection of its own, past the store's own API: for what
// the API deliberately hides, such as staged attachments.
inline long long QueryNumber(const std::filesystem::path& database, const std::string& sql)
{
    SqliteConnection connection(database, SqliteConnection::Mode::ReadOnly);
    SqliteStatement query(connection, sql);
    EXPECT_TRUE(query.Step()) << sql;
    return query.Integer(0);
}

inline std::set<std::string> FileNamesIn(const std::filesystem::path& directory)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        names.insert(entry.path().filename().string());
    return names;
}

// Bytes with every value, NULs included, in an order that a shifted or truncated copy would
// not reproduce.
inline std::string BinaryContent(std::size_t size, unsigned seed)
{
    std::string bytes(size, '\0');
    unsigned state = seed;
    for (auto& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>(state >> 16);
    }
    return bytes;
}

// The message of the ComponentError that call raises; a failure of the test when it raises none.
template <class Call>
std::string ComponentErrorOf(Call&& call)
{
    try {
        call();
    } catch (const ComponentError& error) {
        return error.what();
    }
    ADD_FAILURE() << "no ComponentError was raised";
    return {};
}

inline ::testing::AssertionResult Mentions(const std::string& message, const std::string& part)
{
    if (message.find(part) != std::string::npos)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << message << "\" does not mention \"" << part << "\"";
}

// A provisioned data directory in a fresh temporary folder, with a session on it.
class LocalNotesTest : public ::testing::Test {
protected:
    std::filesystem::path DataPath(const std::string& name) const { return dataDirectory / name; }

    // A new mail database made from mail.ntf, as the program makes a target database.
    std::unique_ptr<Database> NewMailDatabase(const std::string& name = "mail.nsf")
    {
        return session->GetDatabase("", "mail.ntf")->CreateCopy("", name);
    }

    TempDir temp;
    std::filesystem::path dataDirectory = temp.path() / "notes";
    LocalNotes notes{dataDirectory};
    std::unique_ptr<Session> session = notes.CreateSession();
};

}  // namespace varnemo::notes::local::testing
