// Data files that cannot be converted, or only in part, given to `varnemo-cli convert`: each
// run ends with a message that names the file and says why, no item goes missing without
// being listed, and the data file is left exactly as it was.
#include "bad_input_support.h"

#include <fmt/format.h>

#include <sys/stat.h>

namespace varnemo::testing {
namespace {

namespace fs = std::filesystem;

class BadSource : public BadInputTest {
protected:
    // Converts the file, which is refused: exit status 1, its path and the reason on standard
    // error, no database made, the file unchanged.
    void ExpectRefused(const fs::path& source, const std::string& reason, const CliConditions& conditions = {})
    {
        const auto before = fs::is_regular_file(source) ? ReadFile(source) : "";
        const auto outcome = ConvertToNew(source, conditions);
        EXPECT_EQ(outcome.exitStatus, 1);
        EXPECT_TRUE(Says(outcome.err, source.string()));
        EXPECT_TRUE(Says(outcome.err, reason));
        EXPECT_TRUE(DatabasesBelow(output_).empty());
        if (fs::is_regular_file(source)) {
            EXPECT_EQ(ReadFile(source), before) << source;
        }
    }

    // Converts a damaged copy: the run either refuses it or goes through, listing every item it
    // could not convert; whatever it converted is in a database that opens.
    CliOutcome ConvertDamaged(const fs::path& source)
    {
        const auto before = ReadFile(source);
        auto outcome = ConvertToNew(source);
        EXPECT_TRUE(outcome.exitStatus == 0 || outcome.exitStatus == 1) << outcome.exitStatus;
        if (outcome.exitStatus == 1) {
            EXPECT_FALSE(outcome.err.empty());
        }
        EXPECT_EQ(ReadFile(source), before);
        for (const auto& database : DatabasesBelow(output_)) {
            const auto shown = RunCli({"show", database.string()});
            EXPECT_EQ(shown.exitStatus, 0) << database << ": " << shown.err;
        }
        return outcome;
    }
};

TEST_F(BadSource, FilesThatAreNoDataFilesAreRefused)
{
    WriteFile(temp_.path() / "empty.pst", "");
    ExpectRefused(temp_.path() / "empty.pst", "the file is empty");
    fs::create_directory(temp_.path() / "folder.pst");
    ExpectRefused(temp_.path() / "folder.pst", "it is a folder, not a file");
    WriteFile(temp_.path() / "letter.pst", "Dear reader,\nthis is a letter, not a mailbox.\n");
    ExpectRefused(temp_.path() / "letter.pst", "not an Outlook data file");
    ExpectRefused(temp_.path() / "missing.pst", "No such file or directory");
}

TEST_F(BadSource, AFileWithoutReadPermissionIsRefused)
{
    const auto source = CopyFixture("sample1.pst", temp_.path());
    OpenToEveryone(temp_.path());
    fs::permissions(source, fs::perms::none);
    // Run as nobody when the tests run as root, for root reads the file whatever its mode says.
    ExpectRefused(source, "the file cannot be read (Permission denied)", AsNobody());
}

TEST_F(BadSource, TruncatedCopiesAreRefusedOrConvertedInPart)
{
    const auto original = ReadFile(CopyFixture("dist-list.pst", temp_.path()));
    for (const size_t length : {size_t{512}, size_t{4096}, original.size() / 2, original.size() - 4096}) {
        SCOPED_TRACE(fmt::format("cut to {} bytes", length));
        const auto source = temp_.path() / fmt::format("cut-{}.pst", length);
        WriteFile(source, original.substr(0, length));
        ConvertDamaged(source);
    }
}

TEST_F(BadSource, CopiesWithFlippedBytesAreRefusedOrConvertedInPart)
{
    const auto original = ReadFile(CopyFixture("dist-list.pst", temp_.path()));
    // The header's B-tree references, a B-tree root page and bytes spread over the data: fixed,
    // so that a failure can be reproduced.
    for (const size_t offset : {size_t{0xE0}, size_t{0xF0}, size_t{97280 + 8}, size_t{44032 + 496}, size_t{13059},
                                size_t{72900}, size_t{129664}, size_t{200001}}) {
        SCOPED_TRACE(fmt::format("byte {} flipped", offset));
        std::string copy = original;
        copy[offset] ^= static_cast<char>(0xA5);
        const auto source = temp_.path() / fmt::format("flipped-{}.pst", offset);
        WriteFile(source, copy);
        ConvertDamaged(source);
    }
}

TEST_F(BadSource, FoldersThatCarryNothingOrDoNotExistAreSaidSo)
{
    const auto source = CopyFixture("dist-list.pst", temp_.path());
    auto convertOnly = [&](std::vector<std::string> folders) {
        std::vector<std::string> arguments{"convert", source.string(), "--new-db", output_.string(),
                                           "--notes-data", notesData_.string()};
        for (auto& folder : folders)
            arguments.insert(arguments.end(), {"--folder", folder});
        return Keep("--folder " + fmt::format("{}", fmt::join(folders, " --folder ")), RunCli(arguments));
    };
    const auto missing = convertOnly({"Journal", "Nowhere"});
    EXPECT_EQ(missing.exitStatus, 2);
    EXPECT_TRUE(Says(missing.err, "No folder Nowhere"));
    EXPECT_TRUE(DatabasesBelow(output_).empty());

    // Journal and sticky-note folders are listed, but no class of theirs is converted.
    const auto nothing = convertOnly({"Journal", "Notes"});
    EXPECT_EQ(nothing.exitStatus, 0);
    EXPECT_TRUE(Says(nothing.out, "No item was exported to the Lotus Notes Mailbox."));
    EXPECT_TRUE(Says(nothing.out, "0 items converted."));
}

}  // namespace
}  // namespace varnemo::testing
