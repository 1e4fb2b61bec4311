// The direct reader against libpff, its oracle: every folder, message, recipient row, attachment
// (bytes included), embedded item and RTF body of real files (encoded) and generated ones (data
// trees of two levels, hostile names, embedded items, each encoding) reads alike both ways; files
// it does not read go to libpff and say why; a damaged block is an error, never wrong bytes.
#include "common/errors.h"
#include "damaged_node.h"
#include "pff_fixtures.h"
#include "pstgen/byte_sources.h"
#include "pstgen/pst_writer.h"
#include "pstgen_mailboxes.h"
#include "source/pff/direct/block_encoding.h"
#include "source/pff/direct/node_database.h"
#include "source/pff/pff_file.h"
#include "source/pff/pff_mapi.h"
#include "source/pff/property_source.h"
#include "whole_store_reader.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <optional>
#include <random>

namespace varnemo::testing {
namespace {

using mapi::pff::FileReader;
using mapi::pff::PffFile;
using mapi::pff::PropertyBag;
using mapi::pff::PropertyKey;
using mapi::pff::SourceRef;

constexpr std::uint32_t kRootFolder = 0x122;

struct Tally {
    int folders = 0;
    int messages = 0;
    int recipients = 0;
    int attachments = 0;
    int embedded = 0;
    int rtfBodies = 0;
};

std::string KeyNames(const std::vector<PropertyKey>& keys)
{
    std::string names;
    for (const auto& key : keys)
        names += fmt::format(" {:#06x}", key.id);
    return names;
}

// libpff lists every column of a table row; a cell that the row marks as absent has no value.
bool EmptyValue(const PropertyBag& bag, const PropertyKey& key)
{
    const auto bytes = bag.Bytes(key).value_or("");
    return bytes.find_first_not_of('\0') == std::string::npos;
}

void ExpectSameProperties(const PropertyBag& direct, const PropertyBag& libpff)
{
    const auto& where = direct.where();
    std::vector<PropertyKey> keys;
    for (const auto& key : libpff.Keys()) {
        if (direct.Has(key))
            keys.push_back(key);
        else
            EXPECT_TRUE(EmptyValue(libpff, key)) << where << fmt::format(": only libpff has {:#06x}", key.id);
    }
    EXPECT_EQ(keys, direct.Keys()) << where << "\n direct:" << KeyNames(direct.Keys()) << "\n libpff:" << KeyNames(keys);
    for (const auto& key : keys) {
        EXPECT_EQ(direct.ValueType(key), libpff.ValueType(key)) << where << fmt::format(" property {:#06x}", key.id);
        EXPECT_EQ(direct.Bytes(key), libpff.Bytes(key)) << where << fmt::format(" property {:#06x}", key.id);
    }
    EXPECT_EQ(direct.charset(), libpff.charset()) << where;
}

// Sub-folders and messages come in the order of their table in the direct reader, in libpff's
// own order in libpff: they are paired by node id.
template <typename Open>
std::map<std::uint32_t, SourceRef> ByNodeId(int count, const Open& open)
{
    std::map<std::uint32_t, SourceRef> nodes;
    for (int at = 0; at < count; ++at) {
        auto node = open(at);
        nodes.emplace(node->NodeId(), std::move(node));
    }
    return nodes;
}

std::string Data(const SourceRef& attachment, const std::string& where)
{
    std::string data;
    attachment->ReadData([&](std::string_view bytes) { data.append(bytes); }, where);
    return data;
}

void ExpectSameMessage(const SourceRef& direct, const SourceRef& libpff, const std::string& where, Tally& tally);

void ExpectSameAttachment(const SourceRef& direct, const SourceRef& libpff, const std::string& where, Tally& tally)
{
    ++tally.attachments;
    EXPECT_EQ(direct->NodeId(), libpff->NodeId()) << where;
    ExpectSameProperties(direct->Properties(where), libpff->Properties(where));
    const bool holdsItem = direct->HoldsItem(where);
    ASSERT_EQ(holdsItem, libpff->HoldsItem(where)) << where;
    if (holdsItem) {
        ++tally.embedded;
        ExpectSameMessage(direct->EmbeddedItem(where), libpff->EmbeddedItem(where), "item in " + where, tally);
    } else
        EXPECT_EQ(Data(direct, where), Data(libpff, where)) << where;
}

void ExpectSameMessage(const SourceRef& direct, const SourceRef& libpff, const std::string& where, Tally& tally)
{
    ++tally.messages;
    EXPECT_EQ(direct->NodeId(), libpff->NodeId()) << where;
    ExpectSameProperties(direct->Properties(where), libpff->Properties(where));

    const auto directRows = direct->RecipientRows(where);
    const auto libpffRows = libpff->RecipientRows(where);
    ASSERT_EQ(directRows.size(), libpffRows.size()) << where;
    for (std::size_t row = 0; row < directRows.size(); ++row, ++tally.recipients)
        ExpectSameProperties(directRows[row], libpffRows[row]);

    const auto rtf = direct->RtfBody(where);
    EXPECT_TRUE(rtf == libpff->RtfBody(where)) << where << ": the RTF bodies differ";
    tally.rtfBodies += rtf.has_value();

    const int attachments = direct->AttachmentCount(where);
    ASSERT_EQ(attachments, libpff->AttachmentCount(where)) << where;
    for (int at = 0; at < attachments; ++at) {
        ExpectSameAttachment(direct->Attachment(at, where), libpff->Attachment(at, where),
                             fmt::format("attachment {} of {}", at + 1, where), tally);
    }
}

void ExpectSameFolder(const SourceRef& direct, const SourceRef& libpff, const std::string& where, Tally& tally)
{
    ++tally.folders;
    EXPECT_EQ(direct->NodeId(), libpff->NodeId()) << where;
    ExpectSameProperties(direct->Properties(where), libpff->Properties(where));
    const int messages = direct->MessageCount(where);
    ASSERT_EQ(messages, libpff->MessageCount(where)) << where;
    const auto libpffMessages = ByNodeId(messages, [&](int at) { return libpff->Message(at, where); });
    for (int at = 0; at < messages; ++at) {
        const auto message = direct->Message(at, where);
        const auto other = libpffMessages.find(message->NodeId());
        ASSERT_NE(other, libpffMessages.end()) << where << ": libpff lacks message " << message->NodeId();
        ExpectSameMessage(message, other->second, fmt::format("message {} of {}", at + 1, where), tally);
    }
    const int folders = direct->SubFolderCount(where);
    ASSERT_EQ(folders, libpff->SubFolderCount(where)) << where;
    const auto libpffFolders = ByNodeId(folders, [&](int at) { return libpff->SubFolder(at, where); });
    for (int at = 0; at < folders; ++at) {
        const auto folder = direct->SubFolder(at, where);
        const auto other = libpffFolders.find(folder->NodeId());
        ASSERT_NE(other, libpffFolders.end()) << where << ": libpff lacks sub-folder " << folder->NodeId();
        ExpectSameFolder(folder, other->second, fmt::format("{}/{}", where, at + 1), tally);
    }
}

// Reads the whole file both ways, from the message store and the root folder down; libpff reads
// the copy given, if one is, as the file was before it was damaged.
Tally ExpectReadersAgree(const std::filesystem::path& pst, std::optional<std::filesystem::path> intactCopy = {})
{
    const auto direct = PffFile::Open(pst, FileReader::Direct);
    const auto libpff = PffFile::Open(intactCopy.value_or(pst), FileReader::Libpff);
    EXPECT_EQ(direct->reader(), FileReader::Direct);
    EXPECT_EQ(libpff->reader(), FileReader::Libpff);
    EXPECT_EQ(direct->recordKey(), libpff->recordKey());
    ExpectSameProperties(direct->MessageStore()->Properties("store"), libpff->MessageStore()->Properties("store"));
    Tally tally;
    ExpectSameFolder(direct->Node(kRootFolder), libpff->Node(kRootFolder), pst.filename().string(), tally);
    return tally;
}

std::string ReadWhole(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(DirectReader, ReadsRealFilesAsLibpffDoes)
{
    TempDir dir;
    // sample1 is stored with the compressible encoding; its JPEG spans several blocks.
    const auto sample = ExpectReadersAgree(CopyFixture("sample1.pst", dir.path()));
    EXPECT_GE(sample.attachments, 1);
    EXPECT_GE(sample.recipients, 1);
    // dist-list holds a recurring series whose changed occurrences are embedded items, and
    // bodies kept as compressed RTF only.
    const auto distList = ExpectReadersAgree(CopyFixture("dist-list.pst", dir.path()));
    EXPECT_GE(distList.embedded, 2);
    EXPECT_GE(distList.rtfBodies, 1);
    const auto unicode = ExpectReadersAgree(CopyFixture("test_unicode.pst", dir.path()));
    EXPECT_GE(unicode.messages, 1);
}

TEST(DirectReader, ReadsGeneratedMailboxesAsLibpffDoes)
{
    TempDir dir;
    const auto everyShape = dir.path() / "every-shape.pst";
    pstgen::WritePst(EveryShapeMailbox(), everyShape);
    const auto shapes = ExpectReadersAgree(everyShape);
    EXPECT_GE(shapes.messages, 8);
    EXPECT_GE(shapes.attachments, 4);
    EXPECT_GE(shapes.embedded, 1);

    // Beyond 8 MiB a data tree needs a second level.
    const auto large = dir.path() / "large.pst";
    pstgen::WritePst(LargeAttachmentMailbox(9'000'000), large);
    EXPECT_EQ(ExpectReadersAgree(large).attachments, 1);
}

// Outlook offers three encodings for a new data file: none, compressible and high.
TEST(DirectReader, ReadsEveryEncodingAsLibpffDoes)
{
    TempDir dir;
    for (const auto encoding : {pstgen::Encoding::None, pstgen::Encoding::Compressible, pstgen::Encoding::High}) {
        auto mailbox = EveryShapeMailbox();
        mailbox.encoding = encoding;
        const auto pst = dir.path() / fmt::format("encoding-{}.pst", static_cast<int>(encoding));
        pstgen::WritePst(mailbox, pst);
        SCOPED_TRACE(pst.filename().string());
        const bool plain = ReadWhole(pst).find("parent directory") != std::string::npos;
        EXPECT_EQ(plain, encoding == pstgen::Encoding::None) << "an attachment's text as it is in the file";
        const auto tally = ExpectReadersAgree(pst);
        EXPECT_GE(tally.attachments, 4);
        EXPECT_GE(tally.embedded, 1);
    }
}

TEST(DirectReader, ReadsAnsiFilesAsLibpffDoes)
{
    TempDir dir;
    const auto ansi = CopyFixture("test_ansi.pst", dir.path());
    EXPECT_EQ(PffFile::Open(ansi)->reader(), FileReader::Direct);
    EXPECT_GE(ExpectReadersAgree(ansi).messages, 1);
}

namespace layout = mapi::pff::direct::layout;

// Writes the encoding into a data file's header, and the header's checksums anew.
void StateEncoding(std::string& file, std::uint8_t encoding)
{
    file[layout::FormatOf(file).encodingOffset] = static_cast<char>(encoding);
    // The partial checksum covers the 471 bytes after it; the Unicode header's full one 516.
    damaged_node::PutLe32(file, 4, damaged_node::BlockCrc(file, 8, 471));
    if (&layout::FormatOf(file) == &layout::kUnicode)
        damaged_node::PutLe32(file, 524, damaged_node::BlockCrc(file, 8, 516));
}

// The offsets of every page of the index whose root the header names at rootField, in a file of
// either format: the root, then the pages below it, level by level.
std::vector<std::size_t> IndexPages(const std::string& file, std::size_t rootField)
{
    const auto& format = layout::FormatOf(file);
    const auto at = [](std::uint64_t offset) { return static_cast<std::size_t>(offset); };
    std::vector<std::size_t> pages{at(layout::GetId(format, file, rootField))};
    for (std::size_t next = 0; next < pages.size(); ++next) {
        const auto page = pages[next];
        if (file[page + format.pageLevelOffset()] == 0)
            continue;
        const auto entrySize = static_cast<std::uint8_t>(file[page + format.pageEntrySizeOffset()]);
        const auto count = static_cast<std::uint8_t>(file[page + format.pageEntryCountOffset]);
        for (std::size_t entry = 0; entry < count; ++entry)
            pages.push_back(at(layout::GetId(format, file, page + entry * entrySize + format.branchChildOffset)));
    }
    return pages;
}

// Encodes every block of node data of a data file (either format) anew, with its checksum, and
// the header with it: the file Outlook would have written with that encoding.
void Reencode(std::string& file, std::uint8_t encoding)
{
    namespace blocks = mapi::pff::direct::encoding;
    const auto& format = layout::FormatOf(file);
    const auto was = static_cast<std::uint8_t>(file[format.encodingOffset]);
    const auto at = [](std::uint64_t offset) { return static_cast<std::size_t>(offset); };
    for (const auto page : IndexPages(file, format.blockRootOffset)) {
        if (file[page + format.pageLevelOffset()] != 0)
            continue;
        const auto entrySize = static_cast<std::uint8_t>(file[page + format.pageEntrySizeOffset()]);
        const auto count = static_cast<std::uint8_t>(file[page + format.pageEntryCountOffset]);
        for (std::size_t entry = page, end = page + entrySize * count; entry < end; entry += entrySize) {
            const auto id = layout::GetId(format, file, entry) & ~std::uint64_t{1};
            if (id & layout::kInternalBlockBit)
                continue;
            const auto offset = at(layout::GetId(format, file, entry + format.blockEntryOffsetAt));
            const auto size = layout::Get<std::uint16_t>(file, entry + format.blockEntrySizeAt);
            blocks::Decode(was, id, file.data() + offset, size);
            blocks::Encode(encoding, id, file.data() + offset, size);
            const auto trailer = offset + format.storedBlockSize(size) - format.blockTrailerSize;
            damaged_node::PutLe32(file, trailer + format.trailerChecksumAt, damaged_node::BlockCrc(file, offset, size));
        }
    }
    StateEncoding(file, encoding);
}

// Real files of both formats, as Outlook wrote them (compressible), kept with no encoding and
// with the high one: the high encoding's key comes from each block's id.
TEST(DirectReader, ReadsRealFilesUnderEveryEncodingAsLibpffDoes)
{
    TempDir dir;
    for (const auto* fixture : {"test_ansi.pst", "sample1.pst"}) {
        const auto original = CopyFixture(fixture, dir.path());
        const auto expected = ExpectReadersAgree(original);
        for (const std::uint8_t encoding : {layout::kNoEncoding, layout::kCyclicEncoding}) {
            auto bytes = ReadFile(original);
            Reencode(bytes, encoding);
            const auto copy = dir.path() / fmt::format("{}-{}", encoding, fixture);
            WriteFile(copy, bytes);
            SCOPED_TRACE(copy.filename().string());
            const auto tally = ExpectReadersAgree(copy);
            EXPECT_EQ(tally.messages, expected.messages);
            EXPECT_EQ(tally.attachments, expected.attachments);
        }
    }
}

// Copies made by Exchange's mailbox merge program (ExMerge) say they are not encoded while their
// data has the compressible encoding. libpff reads them whole, and so does the direct reader.
TEST(DirectReader, ReadsFilesWhoseHeaderHidesTheirEncoding)
{
    TempDir dir;
    for (const auto* fixture : {"test_ansi.pst", "sample1.pst"}) {
        const auto original = CopyFixture(fixture, dir.path());
        const auto expected = ExpectReadersAgree(original);
        auto bytes = ReadFile(original);
        StateEncoding(bytes, layout::kNoEncoding);
        const auto copy = dir.path() / fmt::format("exmerge-{}", fixture);
        WriteFile(copy, bytes);
        SCOPED_TRACE(copy.filename().string());
        const auto tally = ExpectReadersAgree(copy);
        EXPECT_EQ(tally.messages, expected.messages);
        EXPECT_EQ(tally.attachments, expected.attachments);
        const auto file = PffFile::Open(copy);
        EXPECT_EQ(file->reader(), FileReader::Direct) << file->fallbackReason();
    }
}

// What a folder's tables list, the node index records as well (each folder and message names
// its folder there), which is where a folder with a damaged table is read from: both agree on
// every folder of files in both formats.
void ExpectIndexListsWhatTablesList(const std::filesystem::path& pst)
{
    const auto file = PffFile::Open(pst, FileReader::Direct);
    const auto nodes = mapi::pff::direct::NodeDatabase::Open(pst).nodes;
    ASSERT_TRUE(nodes);
    std::vector<SourceRef> folders{file->Node(kRootFolder)};
    int listed = 0;
    while (!folders.empty()) {
        const auto folder = folders.back();
        folders.pop_back();
        std::vector<std::uint32_t> subfolders, messages;
        for (int at = 0; at < folder->SubFolderCount("a folder"); ++at) {
            folders.push_back(folder->SubFolder(at, "a folder"));
            subfolders.push_back(folders.back()->NodeId());
        }
        for (int at = 0; at < folder->MessageCount("a folder"); ++at)
            messages.push_back(folder->Message(at, "a folder")->NodeId());
        std::sort(subfolders.begin(), subfolders.end());
        std::sort(messages.begin(), messages.end());
        const auto id = folder->NodeId();
        EXPECT_EQ(nodes->ChildNodes(id, {0x02, 0x03}).ids, subfolders) << pst << ", folder " << id;  // folders, search folders
        EXPECT_EQ(nodes->ChildNodes(id, {0x04}).ids, messages) << pst << ", folder " << id;
        listed += static_cast<int>(subfolders.size() + messages.size());
    }
    EXPECT_GT(listed, 1) << pst;
}

TEST(DirectReader, TheNodeIndexListsWhatEveryFoldersTablesList)
{
    TempDir dir;
    for (const auto* fixture : {"test_ansi.pst", "test_unicode.pst", "dist-list.pst"})
        ExpectIndexListsWhatTablesList(CopyFixture(fixture, dir.path()));
    const auto everyShape = dir.path() / "every-shape.pst";
    pstgen::WritePst(EveryShapeMailbox(), everyShape);
    ExpectIndexListsWhatTablesList(everyShape);
}

TEST(DirectReader, LeavesFilesItDoesNotReadToLibpffAndSaysWhy)
{
    TempDir dir;
    const auto unicode = CopyFixture("test_unicode.pst", dir.path());
    EXPECT_EQ(PffFile::Open(unicode)->reader(), FileReader::Direct);
    EXPECT_EQ(PffFile::Open(unicode)->fallbackReason(), "");

    // The same file stating the 4 KiB pages of newer offline files.
    auto bytes = ReadWhole(unicode);
    bytes[10] = 36;
    const auto newer = dir.path() / "newer.ost";
    std::ofstream(newer, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    try {
        PffFile::Open(newer, FileReader::Direct);
        ADD_FAILURE() << "the direct reader took a file it does not read";
    } catch (const ComponentError& error) {
        EXPECT_NE(std::string(error.what()).find("4 KiB"), std::string::npos) << error.what();
    }
    // libpff gets it, and whatever it makes of it, the file says why it was asked.
    try {
        const auto file = PffFile::Open(newer);
        EXPECT_EQ(file->reader(), FileReader::Libpff);
        EXPECT_NE(file->fallbackReason().find("4 KiB"), std::string::npos) << file->fallbackReason();
    } catch (const ComponentError& error) {
        EXPECT_NE(std::string(error.what()).find(newer.string()), std::string::npos) << error.what();
    }
}

TEST(DirectReader, DamageThatStopsItAtTheStartGoesToLibpffAndIsSaid)
{
    TempDir dir;
    const auto pst = CopyFixture("sample1.pst", dir.path());
    BreakSubnodeBlock(pst, 0x61);  // the name-to-id map, read when the file is opened
    try {
        PffFile::Open(pst, FileReader::Direct);
        ADD_FAILURE() << "the direct reader read past a block that fails its checksum";
    } catch (const ComponentError& error) {
        EXPECT_NE(std::string(error.what()).find("checksum"), std::string::npos) << error.what();
    }
    const auto file = PffFile::Open(pst);
    EXPECT_EQ(file->reader(), FileReader::Libpff);
    EXPECT_TRUE(file->readPastDamage());
    EXPECT_NE(file->fallbackReason().find("fails its checksum"), std::string::npos) << file->fallbackReason();

    // Damage that libpff cannot read past either is told with the direct reader's reason: here
    // the file's first eighth, which lacks the message store as well as the name-to-id map.
    auto bytes = ReadWhole(pst);
    bytes.resize(bytes.size() / 8);
    std::ofstream(pst, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    try {
        PffFile::Open(pst);
        ADD_FAILURE() << "an eighth of a file opened";
    } catch (const ComponentError& error) {
        EXPECT_NE(std::string(error.what()).find(pst.string()), std::string::npos) << error.what();
    }
}

// libpff reads a file's whole node index when it opens it, minutes for a large one: the window's
// Cancel has to end that open too, not only the reading of the folders after it.
TEST(DirectReader, AnOpenLeftToLibpffEndsOnceTheSessionsStopIsRequested)
{
    TempDir dir;
    const auto pst = CopyFixture("sample1.pst", dir.path());
    BreakSubnodeBlock(pst, 0x61);
    mapi::pff::PffMapi mapi(dir.path() / "no profile");
    auto session = mapi.CreateSession();
    session->Logon();
    StopRequest cancel;
    session->StopOpensOn(cancel);
    cancel.Request();
    EXPECT_THROW(session->GetStores().AddPSTStore(pst.string()), WorkStopped);

    cancel.Clear();
    const auto store = session->GetStores().AddPSTStore(pst.string());
    EXPECT_NE(store->FallbackReason().find("fails its checksum"), std::string::npos) << store->FallbackReason();
}

// A byte changed in every page of both indexes, as a bit flipped in memory on its way to the disk
// leaves it, some in the page's stored checksum: each checksum locates its change, and the file
// reads as it did whole, in either format.
TEST(DirectReader, SetsRightOneChangedByteInEveryIndexPage)
{
    TempDir dir;
    const auto generated = dir.path() / "generated.pst";
    pstgen::WritePst(EveryShapeMailbox(), generated);
    std::mt19937 random(17);
    std::uniform_int_distribution<int> change(1, 255);
    // The generated file's indexes have branch pages; the ANSI fixture's are a page each.
    for (const auto& [intact, leastPages] :
         {std::pair{generated, 4u}, std::pair{CopyFixture("test_ansi.pst", dir.path()), 2u}}) {
        auto bytes = ReadFile(intact);
        const auto& format = layout::FormatOf(bytes);
        // Any byte the checksum covers, or one of the checksum's own.
        std::uniform_int_distribution<std::size_t> position(0, format.pageCheckedSize + 3);
        std::size_t pages = 0;
        for (const auto root : {format.nodeRootOffset, format.blockRootOffset}) {
            for (const auto page : IndexPages(bytes, root)) {
                auto at = position(random);
                if (at >= format.pageCheckedSize)
                    at += format.pageChecksumOffset - format.pageCheckedSize;
                bytes[page + at] = static_cast<char>(bytes[page + at] ^ change(random));
                ++pages;
            }
        }
        const auto damaged = dir.path() / ("damaged-" + intact.filename().string());
        WriteFile(damaged, bytes);
        SCOPED_TRACE(damaged.filename().string());
        EXPECT_GE(pages, leastPages);
        const auto expected = ExpectReadersAgree(intact);
        const auto tally = ExpectReadersAgree(damaged, intact);
        EXPECT_EQ(tally.messages, expected.messages);
        EXPECT_EQ(tally.attachments, expected.attachments);
    }
}

// The node of the first message met going down the folders from the root.
std::uint32_t FirstMessageNode(const SourceRef& folder)
{
    if (folder->MessageCount("test") > 0)
        return folder->Message(0, "test")->NodeId();
    for (int at = 0; at < folder->SubFolderCount("test"); ++at) {
        if (const auto found = FirstMessageNode(folder->SubFolder(at, "test")))
            return found;
    }
    return 0;
}

// Damage beyond one byte in pages of the block index: the pages are read all the same, for each
// block they lead to is checked on its own. Unused bytes changed cost nothing; an entry sent
// elsewhere costs its block, and says so.
TEST(DirectReader, ReadsPastBlockIndexPagesThatFailTheirCheck)
{
    using damaged_node::Le;
    TempDir dir;
    const auto intact = dir.path() / "intact.pst";
    pstgen::WritePst(EveryShapeMailbox(), intact);
    const auto original = ReadFile(intact);
    const auto& format = layout::FormatOf(original);

    auto padding = original;
    for (const auto page : IndexPages(padding, format.blockRootOffset)) {
        // The padding after the page's counts: covered by its checksum, read by nobody.
        padding[page + format.pageLevelOffset() + 1] ^= 0x11;
        padding[page + format.pageLevelOffset() + 2] ^= 0x22;
    }
    const auto paddingChanged = dir.path() / "padding.pst";
    WriteFile(paddingChanged, padding);
    EXPECT_GE(ExpectReadersAgree(paddingChanged, intact).messages, 8);

    auto moved = original;
    const auto message = FirstMessageNode(PffFile::Open(intact, FileReader::Direct)->Node(kRootFolder));
    ASSERT_NE(message, 0u);
    const auto node = damaged_node::LeafEntry(moved, Le(moved, damaged_node::kNodeRootOffset, 8), message);
    const auto block = damaged_node::LeafEntry(moved, Le(moved, damaged_node::kBlockRootOffset, 8),
                                               Le(moved, node + 8, 8) & ~std::uint64_t{1});
    moved[block + 8] ^= 0x40;  // the block's offset, by two bytes
    moved[block + 9] ^= 0x01;
    const auto entryMoved = dir.path() / "moved.pst";
    WriteFile(entryMoved, moved);
    WholeStoreReader reader(dir.path());
    reader.Read(entryMoved);
    // Asking an item that is not a distribution list for its members fails with any file.
    std::vector<std::string> failures;
    std::ranges::copy_if(reader.failures(), std::back_inserter(failures), [](const std::string& failure) {
        return failure.find("is not a distribution list") == std::string::npos;
    });
    EXPECT_FALSE(failures.empty());
    for (const auto& failure : failures)
        EXPECT_NE(failure.find("is not where its index says"), std::string::npos) << failure;
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
