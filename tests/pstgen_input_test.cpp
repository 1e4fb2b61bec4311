// What pstgen takes in: JSON descriptions (faults named by their place) and seeded synthetic
// mailboxes (the same for the same seed, the size asked for).
#include "pstgen/mailbox_json.h"
#include "pstgen/pst_writer.h"
#include "pstgen/synthetic_mailbox.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <functional>

namespace varnemo::testing {
namespace {

std::string FaultOf(const std::string& json)
{
    try {
        pstgen::ParseMailboxJson(json, ".");
    } catch (const std::exception& error) {
        return error.what();
    }
    return "no fault";
}

TEST(PstgenDescription, FaultsNameTheirPlace)
{
    EXPECT_EQ(FaultOf(R"({"folders": [{"name": "A", "items": [{"kind": "memo"}]}]})"),
              "mailbox.folders[0].items[0].kind: unknown kind \"memo\"");
    EXPECT_EQ(FaultOf(R"({"encoding": "strong"})"), "mailbox.encoding: unknown encoding \"strong\"");
    EXPECT_EQ(FaultOf(R"({"folders": [{"folders": [{"items": [{"delivered": "2024-02-30"}]}]}]})"),
              "mailbox.folders[0].folders[0].items[0].delivered: not a date or UTC time: \"2024-02-30\"");
    EXPECT_EQ(FaultOf(R"({"folders": [{"items": [{"contact": {"nickname": "x"}}]}]})"),
              "mailbox.folders[0].items[0].contact.nickname: unknown contact value");
    EXPECT_EQ(FaultOf(R"({"folders": [{"items": [{"attachments": [{"name": "a", "text": "x", "size": 3}]}]}]})"),
              "mailbox.folders[0].items[0].attachments[0]: an attachment needs exactly one of \"text\", \"file\", "
              "\"size\", \"item\", \"link\"");
    EXPECT_EQ(FaultOf(R"({"folders": [{"items": [{"attachments": [{"name": "a", "link": ""}]}]}]})"),
              "mailbox.folders[0].items[0].attachments[0]: a link needs the path or address of its file");
    EXPECT_EQ(FaultOf(R"({"folders": [{"items": [{"attachments": [{"file": "no such file"}]}]}]})")
                  .rfind("mailbox.folders[0].items[0].attachments[0]: cannot read attachment file", 0),
              0u);
    EXPECT_EQ(FaultOf(R"({"folders": {"name": "A"}})"), "mailbox.folders: expected a list");
    EXPECT_EQ(FaultOf("{").rfind("not JSON: ", 0), 0u);
}

TEST(PstgenDescription, TimesAreUtc)
{
    const auto mailbox = pstgen::ParseMailboxJson(
        R"({"folders": [{"items": [{"delivered": "1970-01-02", "created": "2024-05-01T10:30:00Z"}]}]})", ".");
    const auto& item = mailbox.folders[0].items[0];
    EXPECT_EQ(*item.delivered, (11644473600ull + 86400) * 10'000'000);
    EXPECT_EQ(*item.created, (11644473600ull + 1714559400) * 10'000'000);
}

std::size_t CountItems(const std::vector<pstgen::Folder>& folders)
{
    std::size_t count = 0;
    for (const auto& folder : folders)
        count += folder.items.size() + CountItems(folder.folders);
    return count;
}

TEST(PstgenSynth, TheSameSeedGivesTheSameFileAndAnotherSeedAnother)
{
    TempDir dir;
    auto write = [&](std::uint64_t seed, const std::string& name) {
        pstgen::WritePst(pstgen::SynthesizeMailbox({200, 1, seed}), dir.path() / name);
        return ReadFile(dir.path() / name);
    };
    const auto first = write(5, "a.pst");
    EXPECT_TRUE(first == write(5, "b.pst"));
    EXPECT_FALSE(first == write(6, "c.pst"));
}

TEST(PstgenSynth, HoldsTheItemsAndAttachmentBytesAskedFor)
{
    const auto mailbox = pstgen::SynthesizeMailbox({1234, 5, 3});
    EXPECT_EQ(CountItems(mailbox.folders), 1234u);
    std::uint64_t attached = 0;
    std::function<void(const std::vector<pstgen::Folder>&)> add = [&](const auto& folders) {
        for (const auto& folder : folders) {
            for (const auto& item : folder.items)
                for (const auto& attachment : item.attachments)
                    attached += attachment.content->Size();
            add(folder.folders);
        }
    };
    add(mailbox.folders);
    EXPECT_EQ(attached, 5u << 20);
}

}  // namespace
}  // namespace varnemo::testing
