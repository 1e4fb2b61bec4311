#pragma once

#include "local_notes_test_support.h"
#include "notes/dxl/database_export.h"
#include "notes/dxl/database_import.h"

#include <cstdlib>
#include <fstream>

namespace varnemo::notes::dxl::testing {

using local::DatabaseReader;
using local::StoredDocument;

// Runs a command line; the words are quoted, so paths with spaces pass whole.
inline int RunCommand(const std::vector<std::string>& words)
{
    std::string line;
    for (const auto& word : words) {
        std::string quoted = "'";
        for (char c : word)
            quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        line += quoted + "' ";
    }
    return std::system((line + ">/dev/null 2>&1").c_str());
}

inline ::testing::AssertionResult WellFormed(const std::filesystem::path& file)
{
    if (RunCommand({"xmllint", "--noout", "--huge", file.string()}) == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << file << " is not well-formed XML (xmllint --noout)";
}

inline void ExportToFile(const std::filesystem::path& database, const std::filesystem::path& file)
{
    std::ofstream out(file, std::ios::binary);
    ExportDatabase(database, out);
}

inline std::string ItemText(const local::StoredItem& item)
{
    return ::testing::PrintToString(item.value);
}

// The copy holds the same documents as the original, in the same order: UNIDs, times, items
// with names, types and values, attachments with names and bytes, and folder entries.
inline void ExpectSameDocuments(const std::filesystem::path& original, const std::filesystem::path& copy)
{
    const auto expected = local::testing::ReadDocuments(original);
    const auto actual = local::testing::ReadDocuments(copy);
    ASSERT_EQ(actual.size(), expected.size()) << "document count";
    DatabaseReader originalReader(original), copyReader(copy);
    for (std::size_t d = 0; d < expected.size(); ++d) {
        const StoredDocument& want = expected[d];
        const StoredDocument& got = actual[d];
        SCOPED_TRACE("document " + want.unid);
        EXPECT_EQ(got.unid, want.unid);
        EXPECT_EQ(got.created, want.created);
        EXPECT_EQ(got.modified, want.modified);
        ASSERT_EQ(got.items.size(), want.items.size());
        for (std::size_t i = 0; i < want.items.size(); ++i) {
            SCOPED_TRACE("item " + want.items[i].name);
            EXPECT_EQ(got.items[i].name, want.items[i].name);
            EXPECT_EQ(got.items[i].isRichText, want.items[i].isRichText);
            EXPECT_TRUE(got.items[i].value == want.items[i].value)
                << ItemText(got.items[i]) << " instead of " << ItemText(want.items[i]);
        }
        ASSERT_EQ(got.attachments.size(), want.attachments.size());
        for (std::size_t a = 0; a < want.attachments.size(); ++a) {
            SCOPED_TRACE("attachment " + want.attachments[a].objectName);
            EXPECT_EQ(got.attachments[a].itemName, want.attachments[a].itemName);
            EXPECT_EQ(got.attachments[a].fileName, want.attachments[a].fileName);
            EXPECT_EQ(got.attachments[a].objectName, want.attachments[a].objectName);
            EXPECT_EQ(got.attachments[a].size, want.attachments[a].size);
            EXPECT_TRUE(local::testing::AttachmentBytes(copy, got.attachments[a]) ==
                        local::testing::AttachmentBytes(original, want.attachments[a]))
                << "the bytes differ";
        }
        EXPECT_EQ(copyReader.FoldersOf(got.unid), originalReader.FoldersOf(want.unid));
    }
}

// Every folder of the original exists in the copy.
inline void ExpectFoldersKept(const std::filesystem::path& original, const std::filesystem::path& copy)
{
    const auto copyElements = DatabaseReader(copy).DesignElements();
    for (const auto& element : DatabaseReader(original).DesignElements()) {
        if (element.kind != local::DesignKind::Folder)
            continue;
        EXPECT_NE(std::find(copyElements.begin(), copyElements.end(), element), copyElements.end())
            << "folder " << element.name << " is missing";
    }
}

}  // namespace varnemo::notes::dxl::testing
