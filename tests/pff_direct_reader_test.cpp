// The direct reader of attachments against libpff, on real files (encoded) and generated ones
// (data trees of two levels, hostile names, embedded items), and on a damaged block.
#include "common/errors.h"
#include "pff_fixtures.h"
#include "pstgen/byte_sources.h"
#include "pstgen/pst_writer.h"
#include "pstgen_mailboxes.h"
#include "source/pff/attachment_data.h"
#include "source/pff/direct_reading.h"
#include "source/pff/direct/attachment_node.h"
#include "source/pff/pff_error.h"
#include "source/pff/pff_file.h"
#include "source/pff/property_bag.h"
#include "source/pff/property_tags.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

namespace varnemo::testing {
namespace {

using mapi::pff::ItemHandle;
using mapi::pff::PropertyBag;
using mapi::pff::PropertyKey;

std::uint32_t IdOf(libpff_item_t* item)
{
    std::uint32_t id = 0;
    EXPECT_EQ(libpff_item_get_identifier(item, &id, nullptr), 1);
    return id;
}

using AttachmentVisitor = std::function<void(libpff_item_t* message, libpff_item_t* attachment, const std::string& where)>;

// Every attachment of every message in folder and below, as libpff opens it.
void ForEachAttachment(libpff_item_t* folder, const std::string& path, const AttachmentVisitor& visit)
{
    int messages = 0;
    ASSERT_EQ(libpff_folder_get_number_of_sub_messages(folder, &messages, nullptr), 1) << path;
    for (int m = 0; m < messages; ++m) {
        ItemHandle message;
        ASSERT_EQ(libpff_folder_get_sub_message(folder, m, message.out(), nullptr), 1) << path;
        int attachments = 0;
        ASSERT_EQ(libpff_message_get_number_of_attachments(message.get(), &attachments, nullptr), 1) << path;
        for (int a = 0; a < attachments; ++a) {
            ItemHandle attachment;
            ASSERT_EQ(libpff_message_get_attachment(message.get(), a, attachment.out(), nullptr), 1);
            visit(message.get(), attachment.get(), fmt::format("{} message {} attachment {}", path, m, a));
        }
    }
    int folders = 0;
    ASSERT_EQ(libpff_folder_get_number_of_sub_folders(folder, &folders, nullptr), 1) << path;
    for (int f = 0; f < folders; ++f) {
        ItemHandle child;
        ASSERT_EQ(libpff_folder_get_sub_folder(folder, f, child.out(), nullptr), 1) << path;
        ForEachAttachment(child.get(), path + "/" + std::to_string(f), visit);
    }
}

std::string DirectData(const mapi::pff::direct::AttachmentNode& node, const mapi::pff::direct::NodeDatabase& nodes)
{
    std::string data;
    node.ReadData(nodes, [&](std::string_view bytes) { data.append(bytes); });
    return data;
}

std::string LibpffData(libpff_item_t* attachment, const std::string& where)
{
    std::string data;
    mapi::pff::ReadAttachmentData(attachment, where, [&](std::string_view bytes) { data.append(bytes); });
    return data;
}

struct Tally {
    int direct = 0;
    int leftToLibpff = 0;
};

// Reads every attachment both ways: a file attached by value must come out alike, property by
// property and byte for byte; embedded items must be left to libpff.
Tally ExpectDirectReadingAgrees(const std::filesystem::path& pst)
{
    const auto file = mapi::pff::PffFile::Open(pst);
    const auto* nodes = file->nodes();
    EXPECT_NE(nodes, nullptr) << pst;
    if (!nodes)
        return {};
    ItemHandle root;
    EXPECT_EQ(libpff_file_get_root_folder(file->get(), root.out(), nullptr), 1);
    Tally tally;
    ForEachAttachment(root.get(), "root", [&](libpff_item_t* message, libpff_item_t* attachment, const std::string& where) {
        int type = 0;
        ASSERT_EQ(libpff_attachment_get_type(attachment, &type, nullptr), 1) << where;
        auto direct = mapi::pff::direct::AttachmentNode::Read(*nodes, IdOf(message), IdOf(attachment), where);
        if (type != LIBPFF_ATTACHMENT_TYPE_DATA) {
            EXPECT_FALSE(direct) << where << " is not a file yet was read directly";
            ++tally.leftToLibpff;
            return;
        }
        ASSERT_TRUE(direct) << where;
        ++tally.direct;
        const PropertyBag fromLibpff(attachment, where);
        const auto data = DirectData(*direct, *nodes);
        const PropertyBag fromFile(std::move(direct->properties()), where, file->names());
        for (const auto tag : {mapi::pff::tag::AttachLongFilename, mapi::pff::tag::AttachFilename,
                               mapi::pff::tag::DisplayName, mapi::pff::tag::AttachMimeTag,
                               mapi::pff::tag::AttachMethod}) {
            EXPECT_EQ(fromFile.Bytes(PropertyKey::Tag(tag)), fromLibpff.Bytes(PropertyKey::Tag(tag)))
                << where << " property " << std::hex << tag;
        }
        EXPECT_TRUE(data == LibpffData(attachment, where)) << where << ": " << data.size() << " bytes differ";
    });
    return tally;
}

using MessageVisitor = std::function<void(libpff_item_t* message, const std::string& where)>;

void ForEachMessage(libpff_item_t* folder, const std::string& path, const MessageVisitor& visit)
{
    int messages = 0;
    ASSERT_EQ(libpff_folder_get_number_of_sub_messages(folder, &messages, nullptr), 1) << path;
    for (int m = 0; m < messages; ++m) {
        ItemHandle message;
        ASSERT_EQ(libpff_folder_get_sub_message(folder, m, message.out(), nullptr), 1) << path;
        visit(message.get(), fmt::format("{} message {}", path, m));
    }
    int folders = 0;
    ASSERT_EQ(libpff_folder_get_number_of_sub_folders(folder, &folders, nullptr), 1) << path;
    for (int f = 0; f < folders; ++f) {
        ItemHandle child;
        ASSERT_EQ(libpff_folder_get_sub_folder(folder, f, child.out(), nullptr), 1) << path;
        ForEachMessage(child.get(), path + "/" + std::to_string(f), visit);
    }
}

// Every tag and every named property the conversion reads come out of a message alike, whether
// read directly or by libpff, and so do its attachments' node ids; returns how many messages were
// compared.
int ExpectMessagePropertiesAgree(const std::filesystem::path& pst)
{
    const auto file = mapi::pff::PffFile::Open(pst);
    EXPECT_NE(file->nodes(), nullptr) << pst;
    ItemHandle root;
    EXPECT_EQ(libpff_file_get_root_folder(file->get(), root.out(), nullptr), 1);
    const auto rootNode = mapi::pff::MakeItemNode(file, nullptr, std::move(root));
    int compared = 0;
    ForEachMessage(rootNode->get(), "root", [&](libpff_item_t* message, const std::string& where) {
        ItemHandle again;
        ASSERT_EQ(libpff_file_get_item_by_identifier(file->get(), IdOf(message), again.out(), nullptr), 1);
        // The direct reader reads messages of folders only; any folder will do as the parent.
        const auto node = mapi::pff::MakeItemNode(file, rootNode, std::move(again));
        const auto direct = mapi::pff::ReadMessagePropertiesDirectly(node, where);
        ASSERT_TRUE(direct) << where;
        const PropertyBag fromLibpff(message, where);
        for (std::uint32_t id = 0; id < 0x8000; ++id) {
            const auto key = PropertyKey::Tag(static_cast<std::uint16_t>(id));
            ASSERT_EQ(direct->Bytes(key), fromLibpff.Bytes(key)) << where << " tag " << std::hex << id;
        }
        for (const auto& key : {mapi::pff::named::ReminderTime, mapi::pff::named::Keywords,
                                mapi::pff::named::AppointmentStart, mapi::pff::named::AppointmentEnd,
                                mapi::pff::named::Location, mapi::pff::named::TaskStartDate,
                                mapi::pff::named::TaskDueDate, mapi::pff::named::Email1Address,
                                mapi::pff::named::WorkAddressCity, mapi::pff::named::DistributionListName,
                                mapi::pff::named::DistributionListOneOffMembers}) {
            EXPECT_EQ(direct->Bytes(key), fromLibpff.Bytes(key)) << where << " named " << std::hex << key.id;
            EXPECT_EQ(direct->TextList(key), fromLibpff.TextList(key)) << where;
        }
        EXPECT_EQ(direct->charset(), fromLibpff.charset()) << where;

        // The attachment table lists the same attachments in the same order.
        int count = 0;
        ASSERT_EQ(libpff_message_get_number_of_attachments(message, &count, nullptr), 1) << where;
        std::vector<std::uint32_t> listed;
        for (int a = 0; a < count; ++a) {
            ItemHandle attachment;
            ASSERT_EQ(libpff_message_get_attachment(message, a, attachment.out(), nullptr), 1) << where;
            listed.push_back(IdOf(attachment.get()));
        }
        EXPECT_EQ(mapi::pff::direct::AttachmentNode::Ids(*file->nodes(), IdOf(message), where), listed) << where;
        ++compared;
    });
    return compared;
}

TEST(DirectReader, ReadsMessagesAsLibpffDoes)
{
    TempDir dir;
    for (const auto* fixture : {"sample1.pst", "dist-list.pst", "test_unicode.pst"})
        EXPECT_GE(ExpectMessagePropertiesAgree(CopyFixture(fixture, dir.path())), 1) << fixture;
    const auto everyShape = dir.path() / "every-shape.pst";
    pstgen::WritePst(EveryShapeMailbox(), everyShape);
    EXPECT_GE(ExpectMessagePropertiesAgree(everyShape), 8);
}

TEST(DirectReader, ReadsFilesAttachedToRealMessagesAsLibpffDoes)
{
    TempDir dir;
    // sample1 is stored with the compressible encoding; its JPEG spans several blocks.
    const auto sample = ExpectDirectReadingAgrees(CopyFixture("sample1.pst", dir.path()));
    EXPECT_EQ(sample.direct, 1);
    const auto distList = ExpectDirectReadingAgrees(CopyFixture("dist-list.pst", dir.path()));
    EXPECT_EQ(distList.direct, 0);
    EXPECT_EQ(distList.leftToLibpff, 2);
}

TEST(DirectReader, ReadsGeneratedAttachmentsAsLibpffDoes)
{
    TempDir dir;
    const auto everyShape = dir.path() / "every-shape.pst";
    pstgen::WritePst(EveryShapeMailbox(), everyShape);
    const auto shapes = ExpectDirectReadingAgrees(everyShape);
    EXPECT_GE(shapes.direct, 4);
    EXPECT_GE(shapes.leftToLibpff, 1);

    // Beyond 8 MiB a data tree needs a second level.
    const auto large = dir.path() / "large.pst";
    pstgen::WritePst(LargeAttachmentMailbox(9'000'000), large);
    EXPECT_EQ(ExpectDirectReadingAgrees(large).direct, 1);
}

TEST(DirectReader, LeavesFilesItDoesNotReadToLibpff)
{
    TempDir dir;
    EXPECT_EQ(mapi::pff::direct::NodeDatabase::Open(CopyFixture("test_ansi.pst", dir.path())), nullptr);
    EXPECT_NE(mapi::pff::direct::NodeDatabase::Open(CopyFixture("test_unicode.pst", dir.path())), nullptr);
    EXPECT_THROW(mapi::pff::direct::NodeDatabase::Open(dir.path() / "missing.pst"), ComponentError);
}

std::string ReadWhole(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(DirectReader, DamagedAttachmentBlockIsReportedNotSaved)
{
    TempDir dir;
    const auto pst = dir.path() / "damaged.pst";
    constexpr std::uint64_t size = 100'000;
    pstgen::WritePst(LargeAttachmentMailbox(size), pst);

    std::string start;
    pstgen::PatternBytes(size, 42).Read([&](pstgen::ByteView bytes) {
        if (start.size() < 64)
            start.append(reinterpret_cast<const char*>(bytes.data()), std::min<std::size_t>(64, bytes.size()));
    });
    auto bytes = ReadWhole(pst);
    const auto at = bytes.find(start);
    ASSERT_NE(at, std::string::npos);
    bytes[at + 20'000] = static_cast<char>(bytes[at + 20'000] ^ 0x01);
    std::ofstream(pst, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));

    auto session = mapi::pff::PffMapi(dir.path() / "no profile").CreateSession();
    session->Logon();
    auto store = session->GetStores().AddPSTStore(pst.string());
    auto attachment = SubFolder(*store->TopFolder(), "Inbox")->GetItems()->Item(1)->GetAttachments()->Item(1);
    try {
        attachment->SaveAsFile(dir.path() / "large.bin");
        ADD_FAILURE() << "a damaged attachment was saved";
    } catch (const ComponentError& error) {
        EXPECT_NE(std::string(error.what()).find("checksum"), std::string::npos) << error.what();
        EXPECT_NE(std::string(error.what()).find(pst.string()), std::string::npos) << error.what();
    }
}

}  // namespace
}  // namespace varnemo::testing
