// Every item accounted for, checked on real and generated data files damaged as disks and
// copies damage them, through varnemo-cli as an administrator runs it: the exit status, the
// line on standard error, and what the database holds.
#include "damaged_node.h"
#include "notes/document_writer.h"
#include "pstgen/byte_sources.h"
#include "pstgen/pst_writer.h"
#include "pstgen/synthetic_mailbox.h"
#include "pstgen_support.h"

#include <fmt/format.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <random>
#include <set>


namespace varnemo::testing {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

std::string Utf16(const std::string& ascii)
{
    std::string wide;
    for (char c : ascii) {
        wide += c;
        wide += '\0';
    }
    return wide;
}

class Accounting : public ::testing::Test {
protected:
    Accounting() { fs::create_directories(tmp); }

    CommandResult Cli(const std::vector<std::string>& arguments, const fs::path& temporaryFolder)
    {
        std::string command = "TMPDIR=" + Quote(temporaryFolder.string()) + " " + Quote(VARNEMO_CLI);
        for (const auto& argument : arguments)
            command += " " + Quote(argument);
        return RunCommand(command, dir.path());
    }

    CommandResult Convert(const fs::path& pst, const fs::path& temporaryFolder)
    {
        return Cli({"convert", pst.string(), "--new-db", (dir.path() / "out").string(), "--notes-data",
                    (dir.path() / "notes-data").string(), "--report", report.string()},
                   temporaryFolder);
    }

    // The mail database and the address book that the completion text names.
    static std::string DatabaseLine(const CommandResult& result, int line)
    {
        std::size_t start = 0;
        for (int skipped = 0; skipped < line; ++skipped)
            start = result.out.find('\n', start) + 1;
        return result.out.substr(start, result.out.find('\n', start) - start);
    }

    json Show(const std::string& database)
    {
        const auto result = Cli({"show", database, "--json"}, tmp);
        EXPECT_EQ(result.status, 0) << result.err;
        return json::parse(result.out);
    }

    // The names of the attachments of the mail database's document, which must be its only one.
    std::vector<std::string> AttachmentsOfOnlyDocument(const CommandResult& result)
    {
        const auto shown = Show(DatabaseLine(result, 1));
        std::vector<std::string> names;
        EXPECT_EQ(shown["documents"].size(), 1u) << shown.dump();
        if (shown["documents"].empty())
            return names;
        for (const auto& attachment : shown["documents"][0]["attachments"])
            names.push_back(attachment["name"]);
        return names;
    }

    // Every document of the mail database and of the address book that a conversion wrote,
    // without its UNID, which differs from run to run, and, if asked, without the entry id of the
    // item it came from.
    enum class Origins { Kept, Left };
    std::vector<std::multiset<std::string>> Contents(const CommandResult& result, Origins origins = Origins::Kept)
    {
        std::vector<std::multiset<std::string>> databases;
        for (const int line : {1, 2}) {
            auto& documents = databases.emplace_back();
            auto shown = Show(DatabaseLine(result, line));
            for (auto& document : shown["documents"]) {
                document.erase("noteid");
                if (origins == Origins::Left) {
                    auto& items = document["items"];
                    items.erase(std::remove_if(items.begin(), items.end(),
                                               [](const json& item) { return item["name"] == kOriginItem; }),
                                items.end());
                }
                documents.insert(document.dump());
            }
        }
        return databases;
    }

    // A conversion into a folder of its own, as new databases are named after the second they are
    // made in.
    CommandResult ConvertInto(const fs::path& pst, const fs::path& folder)
    {
        return Cli({"convert", pst.string(), "--new-db", folder.string(), "--notes-data",
                    (dir.path() / "notes-data").string()},
                   tmp);
    }

    // One byte flipped, a sector zeroed, or the file cut short, at a random place.
    static std::pair<std::string, std::string> Damage(std::string file, int kind, std::mt19937& random)
    {
        const auto at = std::uniform_int_distribution<size_t>(0, file.size() - 1)(random);
        switch (kind) {
        case 0:
            file[at] = static_cast<char>(file[at] ^ (1 << (at % 8)));
            return {file, fmt::format("byte {} flipped", at)};
        case 1: {
            const size_t sector = at / 512 * 512;
            const size_t length = std::min<size_t>(512, file.size() - sector);
            file.replace(sector, length, length, '\0');
            return {file, fmt::format("512 bytes from {} zeroed", sector)};
        }
        default:
            file.resize(at);
            return {file, fmt::format("cut to {} bytes", at)};
        }
    }

    TempDir dir;
    fs::path tmp = dir.path() / "tmp";
    fs::path report = dir.path() / "report.txt";
};

// One flipped byte in a large attachment: the reader sees the block's checksum fail.
TEST_F(Accounting, AnAttachmentWithADamagedBlockIsLeftOutNotCutShort)
{
    constexpr std::uint64_t kSize = 3'000'000;
    pstgen::Mailbox mailbox;
    mailbox.folders.push_back({"Inbox", "IPF.Note", {}, {}});
    pstgen::Item item;
    item.subject = "Big one";
    item.attachments.push_back({"big.bin", std::make_shared<pstgen::PatternBytes>(kSize, 7), nullptr});
    item.attachments.push_back({"small.txt", std::make_shared<pstgen::PatternBytes>(100, 9), nullptr});
    mailbox.folders.back().items.push_back(std::move(item));
    const auto pst = dir.path() / "damaged.pst";
    pstgen::WritePst(mailbox, pst);

    std::string start;
    pstgen::PatternBytes(kSize, 7).Read([&](pstgen::ByteView bytes) {
        if (start.empty())
            start.assign(reinterpret_cast<const char*>(bytes.data()), 64);
    });
    auto bytes = ReadFile(pst);
    const auto at = bytes.find(start);
    ASSERT_NE(at, std::string::npos);
    bytes[at + 2'400'000] ^= 0x01;
    WriteFile(pst, bytes);

    const auto result = Convert(pst, tmp);
    EXPECT_EQ(result.status, 1) << result.out;
    EXPECT_NE(result.out.find("but not everything arrived whole"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("1 item converted in part."), std::string::npos) << result.out;
    EXPECT_NE(result.err.find("Inbox, item 1 \"Big one\": converted in part: attachment 1 of 2 \"big.bin\" is left out"),
              std::string::npos)
        << result.err;
    EXPECT_EQ(AttachmentsOfOnlyDocument(result), std::vector<std::string>{"small.txt"});
    EXPECT_TRUE(fs::is_empty(tmp)) << "a part of the damaged attachment stayed behind";
    EXPECT_NE(ReadFile(report).find("Inbox\t1\tBig one\t"), std::string::npos) << ReadFile(report);
}

// A cloud attachment keeps only its address in the data file: the memo keeps the other
// attachment, and the run says what is missing and where it points.
TEST_F(Accounting, ALinkedAttachmentIsNamedAsMissingNotEmbeddedEmpty)
{
    pstgen::Mailbox mailbox;
    mailbox.folders.push_back({"Inbox", "IPF.Note", {}, {}});
    pstgen::Item item;
    item.subject = "Shared";
    pstgen::Attachment link;
    link.fileName = "Budget.xlsx";
    link.link = "https://example.com/Budget.xlsx";
    item.attachments.push_back(link);
    item.attachments.push_back({"small.txt", std::make_shared<pstgen::PatternBytes>(100, 9), nullptr});
    mailbox.folders.back().items.push_back(std::move(item));
    const auto pst = dir.path() / "linked.pst";
    pstgen::WritePst(mailbox, pst);

    const auto result = Convert(pst, tmp);
    EXPECT_EQ(result.status, 1) << result.out;
    EXPECT_NE(result.out.find("1 item converted in part."), std::string::npos) << result.out;
    EXPECT_NE(result.err.find("Inbox, item 1 \"Shared\": converted in part: attachment 1 of 2 \"Budget.xlsx\" is left "
                              "out: it is a link to https://example.com/Budget.xlsx"),
              std::string::npos)
        << result.err;
    EXPECT_EQ(AttachmentsOfOnlyDocument(result), std::vector<std::string>{"small.txt"});
}

// A block of the name-to-id map that fails its checksum stops the direct reader at the start;
// libpff reads past it. The file is converted, and the run says what read it and why, and does
// not call the result a whole success.
TEST_F(Accounting, AFileReadPastDamageByTheFallbackReaderIsNoWholeSuccess)
{
    const auto pst = CopyFixture("sample1.pst", dir.path());
    BreakSubnodeBlock(pst, 0x61);
    const auto result = Convert(pst, tmp);
    EXPECT_EQ(result.status, 1) << result.out;
    EXPECT_NE(result.out.find("but not everything arrived whole"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("1 item converted."), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("read by the fallback reader (libpff), as the direct reader finds it damaged"),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("fails its checksum"), std::string::npos) << result.out;
    EXPECT_NE(result.err.find("read by the fallback reader (libpff)"), std::string::npos) << result.err;
    EXPECT_NE(ReadFile(report).find("fallback reader"), std::string::npos) << ReadFile(report);
    // The folder listing says it too, where convert says it.
    const auto listed = Cli({"folders", pst.string()}, tmp);
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_NE(listed.err.find(pst.string() + ": read by the fallback reader (libpff), as the direct reader finds it "
                                             "damaged"),
              std::string::npos)
        << listed.err;
}

// A name-to-id map whose structure neither reader can read past (its heap's header overwritten)
// only hides what the named properties stand for: the items still arrive, each with named
// properties in part and saying why, the file is not given up.
TEST_F(Accounting, AnUnreadableNameToIdMapLeavesNamedPropertiesOutNotTheFile)
{
    const auto pst = CopyFixture("dist-list.pst", dir.path());
    DamageNodeData(pst, 0x61, 0, 4);
    const auto result = Convert(pst, tmp);
    EXPECT_EQ(result.status, 1) << result.out << result.err;
    EXPECT_NE(result.out.find("but not everything arrived whole"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("converted in part"), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find("could not be converted"), std::string::npos) << result.out;
    const auto shown = Show(DatabaseLine(result, 2));
    ASSERT_EQ(shown["documents"].size(), 2u) << shown.dump();  // the contact and the list
    const auto text = ReadFile(report);
    EXPECT_NE(text.find("Contacts\t2\ttest dist list\t"), std::string::npos) << text;
    EXPECT_NE(text.find("named properties are left out, as the name-to-id map that names them cannot be read: "
                        "cannot read the properties of the name-to-id map of " + pst.string()),
              std::string::npos)
        << text;
    EXPECT_EQ(text.find("fallback reader"), std::string::npos) << text;
}

// A folder's tables only list what the node index records too: every folder and message names
// its folder there. A folder whose table cannot be read (its heap's header overwritten) is read
// through the index, and the run writes what the intact file gives.
TEST_F(Accounting, AFolderWhoseTableCannotBeReadIsReadThroughTheNodeIndex)
{
    const auto intact = CopyFixture("dist-list.pst", dir.path());
    const auto reference = ConvertInto(intact, dir.path() / "intact");
    const auto pst = dir.path() / "damaged.pst";
    fs::copy_file(intact, pst);
    DamageNodeData(pst, 0x802D, 0, 4);  // the hierarchy table of the top folder
    DamageNodeData(pst, 0x814E, 0, 4);  // the contents table of Contacts
    const auto result = ConvertInto(pst, dir.path() / "damaged");
    EXPECT_EQ(result.status, reference.status) << result.out << result.err;
    EXPECT_EQ(DatabaseLine(result, 3), DatabaseLine(reference, 3));  // the counts
    EXPECT_EQ(Contents(result), Contents(reference));
}

// The message store only names the mailbox and its top folder: a file whose store neither reader
// can read (its heap's header overwritten) is named after the file, its top folder found under the
// root folder, and it converts as the intact file does, but for the entry ids its items carry
// (they hold the store's record key) and the report's word on the damage.
TEST_F(Accounting, AnUnreadableMessageStoreIsReadAroundNotTheFile)
{
    const auto generated = dir.path() / "generated.pst";
    pstgen::WritePst(pstgen::SynthesizeMailbox({.items = 40, .seed = 5}), generated);
    // The same folders and counts below the mailbox's own name; their entry ids hold the record key.
    const auto tree = [&](const fs::path& file) {
        const auto listed = Cli({"folders", file.string()}, tmp);
        EXPECT_EQ(listed.status, 0) << listed.err;
        std::string folders;
        for (std::size_t at = listed.out.find('\n') + 1; at < listed.out.size(); at = listed.out.find('\n', at) + 1)
            folders += listed.out.substr(at, listed.out.find('\t', at) - at) + "\n";
        return folders;
    };
    for (const auto& intact : {CopyFixture("dist-list.pst", dir.path()), generated}) {
        SCOPED_TRACE(intact.filename().string());
        const auto reference = ConvertInto(intact, dir.path() / "intact" / intact.stem());
        const auto pst = dir.path() / ("damaged " + intact.filename().string());
        fs::copy_file(intact, pst);
        DamageNodeData(pst, 0x21, 0, 4);
        const auto result = Cli({"convert", pst.string(), "--new-db", (dir.path() / "damaged" / intact.stem()).string(),
                                 "--notes-data", (dir.path() / "notes-data").string(), "--report", report.string()},
                                tmp);
        EXPECT_EQ(result.status, 1) << result.out << result.err;
        EXPECT_NE(result.out.find("but not everything arrived whole"), std::string::npos) << result.out;
        EXPECT_EQ(DatabaseLine(result, 3).substr(0, DatabaseLine(reference, 3).size() + 1),
                  DatabaseLine(reference, 3) + " ");  // the counts
        EXPECT_EQ(Contents(result, Origins::Left), Contents(reference, Origins::Left));
        EXPECT_NE(result.out.find("The data file is damaged: its message store cannot be read (cannot read the "
                                  "properties of the message store of " + pst.string() + ": "),
                  std::string::npos)
            << result.out;
        EXPECT_NE(result.err.find(pst.string() + ": damaged: its message store cannot be read"), std::string::npos)
            << result.err;
        EXPECT_NE(ReadFile(report).find("Damage read around: " + pst.string() + "\t"), std::string::npos);
        EXPECT_EQ(tree(pst), tree(intact));
        EXPECT_NE(tree(intact).find("Contacts ("), std::string::npos) << tree(intact);
        EXPECT_EQ(Cli({"folders", intact.string()}, tmp).err, "");
        const auto listed = Cli({"folders", pst.string()}, tmp);
        EXPECT_NE(listed.err.find(pst.string() + ": damaged: its message store cannot be read"), std::string::npos)
            << listed.err;
    }
}

// Damage of every kind that disks and copies do, anywhere in the file: a run may convert less or
// convert in part, and say so, but a run that calls itself a whole success wrote exactly what
// the intact file gives.
TEST_F(Accounting, ADamagedFileIsNeverAWholeSuccessThatDiffersFromTheIntactOne)
{
    const auto generated = dir.path() / "generated.pst";
    pstgen::WritePst(pstgen::SynthesizeMailbox({.items = 120, .attachmentMegabytes = 1, .seed = 3}), generated);
    std::mt19937 random(20261209);  // fixed: a failure must be reproducible
    int round = 0;
    int wholeSuccesses = 0;
    for (const auto& intact :
         {generated, CopyFixture("sample1.pst", dir.path()), CopyFixture("test_ansi.pst", dir.path())}) {
        const auto reference = ConvertInto(intact, dir.path() / "intact" / intact.stem());
        ASSERT_EQ(reference.status, 0) << reference.out << reference.err;
        const auto expected = Contents(reference);
        const auto original = ReadFile(intact);
        for (int copy = 0; copy < 12; ++copy, ++round) {
            auto [damaged, how] = Damage(original, round % 3, random);
            SCOPED_TRACE(fmt::format("{}, copy {}: {}", intact.filename().string(), copy, how));
            const auto path = dir.path() / "damaged.pst";
            WriteFile(path, damaged);
            const auto result = ConvertInto(path, dir.path() / "damaged" / std::to_string(round));
            ASSERT_TRUE(result.status == 0 || result.status == 1) << result.status << result.out << result.err;
            if (result.status == 0) {
                ++wholeSuccesses;
                EXPECT_EQ(Contents(result), expected) << result.out;
            }
        }
    }
    // Both outcomes occur: damage to parts that nothing reads, and damage that costs items.
    EXPECT_GT(wholeSuccesses, 0);
    EXPECT_LT(wholeSuccesses, round);
}

// Without a temporary folder no attachment can be saved: the items arrive without them, and the
// run says so instead of "Exported Successfully".
TEST_F(Accounting, ItemsThatLostTheirAttachmentsAreNoSuccess)
{
    const auto pst = CopyFixture("sample1.pst", dir.path());
    const auto result = Convert(pst, dir.path() / "nonexistent");
    EXPECT_EQ(result.status, 1) << result.out;
    EXPECT_EQ(result.out.find("Exported Successfully"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("0 items converted. 1 item converted in part."), std::string::npos) << result.out;
    EXPECT_NE(result.err.find("\"Here is a sample message\": converted in part: attachment 1 of 1 \"leah_thumper.jpg\""),
              std::string::npos)
        << result.err;
}

// A "|" is as good a character of a folder name as any: it must not cut an attachment's path.
TEST_F(Accounting, ATemporaryFolderWithABarInItsPathLosesNothing)
{
    const auto barred = dir.path() / "temp|files";
    fs::create_directories(barred);
    const auto pst = CopyFixture("sample1.pst", dir.path());
    const auto result = Convert(pst, barred);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(AttachmentsOfOnlyDocument(result), std::vector<std::string>{"leah_thumper.jpg"});
    EXPECT_TRUE(fs::is_empty(barred));
}

// The second of three members has a damaged entry id: the list keeps the other two.
TEST_F(Accounting, ADistributionListKeepsEveryMemberThatCanBeRead)
{
    pstgen::Mailbox mailbox;
    mailbox.folders.push_back({"Contacts", "IPF.Contact", {}, {}});
    pstgen::Item list;
    list.kind = pstgen::ItemKind::DistributionList;
    list.subject = list.listName = "Team";
    list.members = {{"Ann Alpha", "ann@example.com"}, {"Bob Broken", "bob@example.com"}, {"Cy Gamma", "cy@example.com"}};
    mailbox.folders.back().items.push_back(std::move(list));
    const auto pst = dir.path() / "list.pst";
    pstgen::WritePst(mailbox, pst);

    // The one-off entry id's provider UID stands 20 bytes before the member's display name; both
    // lists of members hold a copy, and both are damaged alike.
    auto bytes = ReadFile(pst);
    const auto name = Utf16("Bob Broken");
    int damaged = 0;
    for (auto at = bytes.find(name); at != std::string::npos; at = bytes.find(name, at + 1), ++damaged)
        DamageKeepingChecksum(bytes, at - 20, "XXXX");
    ASSERT_GE(damaged, 1);
    WriteFile(pst, bytes);

    const auto result = Convert(pst, tmp);
    EXPECT_EQ(result.status, 1) << result.out;
    EXPECT_NE(result.err.find("Contacts, item 1 \"Team\": converted in part: member 2"), std::string::npos)
        << result.err;
    const auto shown = Show(DatabaseLine(result, 2));
    ASSERT_EQ(shown["documents"].size(), 1u);
    std::string members;
    for (const auto& item : shown["documents"][0]["items"])
        if (item["name"] == "Members")
            members = item["value"];
    EXPECT_EQ(members, "'Ann Alpha' 'Cy Gamma' ");
}

}  // namespace
}  // namespace varnemo::testing
