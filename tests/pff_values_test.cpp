#include "pff_fixtures.h"

#include "common/errors.h"
#include "source/pff/code_page.h"
#include "source/pff/entry_ids.h"
#include "source/pff/file_time.h"
#include "source/pff/hex.h"
#include "source/pff/multi_value.h"
#include "source/pff/one_off_entry_id.h"

namespace varnemo::testing {
namespace {

using namespace mapi::pff;
using namespace std::string_literals;

const std::string OneOffHeader = "\0\0\0\0\x81\x2B\x1F\xA4\xBE\xA3\x10\x19\x9D\x6E\x00\xDD\x01\x0F\x54\x02\0\0"s;

std::string Utf16(std::string_view ascii)
{
    std::string text;
    for (const char c : ascii)
        text += std::string{c, '\0'};
    return text + "\0\0"s;
}

TEST(OneOffEntryId, UnicodeAndEightBitStrings)
{
    const auto unicode = ParseOneOffEntryId(OneOffHeader + "\x00\x80"s + Utf16("Ann") + Utf16("SMTP") +
                                                Utf16("ann@example.org"),
                                            "CP1252");
    ASSERT_TRUE(unicode);
    EXPECT_EQ(unicode->displayName, "Ann");
    EXPECT_EQ(unicode->addressType, "SMTP");
    EXPECT_EQ(unicode->address, "ann@example.org");

    const auto eightBit = ParseOneOffEntryId(OneOffHeader + "\0\0"s + "J\xF6rg\0SMTP\0j@example.org\0"s, "CP1252");
    ASSERT_TRUE(eightBit);
    EXPECT_EQ(eightBit->displayName, "J\u00F6rg");
    EXPECT_EQ(eightBit->address, "j@example.org");
}

TEST(OneOffEntryId, OtherOrDamagedEntryIdsAreNotOneOff)
{
    EXPECT_FALSE(ParseOneOffEntryId("", "CP1252"));
    EXPECT_FALSE(ParseOneOffEntryId(std::string(24, '\0') + "a\0b\0c\0"s, "CP1252"));
    EXPECT_FALSE(ParseOneOffEntryId(OneOffHeader + "\0\0"s + "name\0SMTP\0unterminated"s, "CP1252"));
    EXPECT_FALSE(ParseOneOffEntryId(OneOffHeader + "\x00\x80"s + "n\0a"s, "CP1252"));
}

TEST(MultiValue, SplitsByTheOffsetTable)
{
    const auto values = SplitMultiValue("\x03\0\0\0\x10\0\0\0\x12\0\0\0\x12\0\0\0abcde"s);
    ASSERT_TRUE(values);
    EXPECT_EQ(*values, (std::vector<std::string>{"ab", "", "cde"}));
    // A count left at zero: the offset table still says how many values there are.
    EXPECT_EQ(SplitMultiValue("\0\0\0\0\x0C\0\0\0\x0D\0\0\0xyz"s), (std::vector<std::string>{"x", "yz"}));
    EXPECT_EQ(SplitMultiValue(""), std::vector<std::string>{});
}

TEST(MultiValue, DamagedTablesAreRefused)
{
    EXPECT_FALSE(SplitMultiValue("\x02\0"s));
    EXPECT_FALSE(SplitMultiValue("\xFF\xFF\xFF\x7F\x08\0\0\0"s));            // count beyond the data
    EXPECT_FALSE(SplitMultiValue("\x02\0\0\0\x0C\0\0\0\x40\0\0\0ab"s));       // offset beyond the data
    EXPECT_FALSE(SplitMultiValue("\x02\0\0\0\x0E\0\0\0\x0C\0\0\0abcd"s));     // offsets going backwards
    EXPECT_FALSE(SplitMultiValue("\x01\0\0\0\x02\0\0\0abcd"s));               // value inside the table
}

TEST(StoreEntryId, RoundTripsAnyPathInHexOnly)
{
    const std::filesystem::path path = "/data/Post #3/Gr\u00FC\u00DFe.pst";
    const auto entryId = StoreEntryId(path);
    EXPECT_EQ(entryId.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    EXPECT_EQ(DataFileOfStoreEntryId(entryId), path);
    EXPECT_THROW(DataFileOfStoreEntryId(ToHex("VNPF\x01relative.pst")), ComponentError);
    EXPECT_THROW(DataFileOfStoreEntryId(ToHex("XXXX\x01/a.pst")), ComponentError);
    EXPECT_THROW(DataFileOfStoreEntryId(entryId.substr(1)), ComponentError);
}

TEST(FolderEntryId, TwentyFourBytesWithRecordKeyAndNodeId)
{
    FolderEntryId id;
    for (size_t i = 0; i < id.recordKey.size(); ++i)
        id.recordKey[i] = static_cast<std::uint8_t>(0xA0 + i);
    id.nodeId = 0x00208022;
    const auto text = ToText(id);
    EXPECT_EQ(text, "00000000A0A1A2A3A4A5A6A7A8A9AAABACADAEAF22802000");
    const auto parsed = ParseFolderEntryIdText(text);
    EXPECT_EQ(parsed.recordKey, id.recordKey);
    EXPECT_EQ(parsed.nodeId, id.nodeId);
    EXPECT_THROW(ParseFolderEntryIdText(text.substr(2)), ComponentError);
    EXPECT_THROW(ParseFolderEntryIdText("FF" + text.substr(2)), ComponentError);
}

TEST(FileTime, NoDateValuesAndConversions)
{
    constexpr std::uint64_t TicksPerSecond = 10'000'000, UnixEpoch = 116'444'736'000'000'000;
    EXPECT_FALSE(UnixTimeOf(0));
    EXPECT_FALSE(UnixTimeOf(0x0CB34557A3DD4000));  // 4501-01-01 00:00
    EXPECT_FALSE(LocalTimeOf(0x0CB34557A3DD4000).hasValue());
    EXPECT_EQ(UnixTimeOf(UnixEpoch + 86400 * TicksPerSecond), 86400);

    // 2016-08-23 23:30 UTC.
    const std::uint64_t lateEvening = UnixEpoch + std::uint64_t{1471995000} * TicksPerSecond;
    TimeZone zone("JST-9");
    EXPECT_EQ(LocalTimeOf(lateEvening), DateTime::Full(2016, 8, 24, 8, 30, 0).WithUtcOffset(9 * 60));
    EXPECT_EQ(StoredDateOf(lateEvening), DateTime::Full(2016, 8, 23, 0, 0, 0));
}

// The same wall clock twice an hour apart, where the clocks go back: the offsets tell them apart.
TEST(FileTime, LocalTimesKeepTheOffsetInForce)
{
    constexpr std::uint64_t TicksPerSecond = 10'000'000, UnixEpoch = 116'444'736'000'000'000;
    const auto fileTime = [&](std::uint64_t unixSeconds) { return UnixEpoch + unixSeconds * TicksPerSecond; };
    TimeZone zone(Berlin);
    // 2024-10-27 00:30 and 01:30 UTC, either side of the end of summer time.
    EXPECT_EQ(LocalTimeOf(fileTime(1729989000)), DateTime::Full(2024, 10, 27, 2, 30, 0).WithUtcOffset(120));
    EXPECT_EQ(LocalTimeOf(fileTime(1729992600)), DateTime::Full(2024, 10, 27, 2, 30, 0).WithUtcOffset(60));
    EXPECT_NE(LocalTimeOf(fileTime(1729989000)), LocalTimeOf(fileTime(1729992600)));
    // 1601-01-01 00:00 UTC, when the zone's rules give Berlin one hour too.
    EXPECT_EQ(LocalTimeOf(1), DateTime::Full(1601, 1, 1, 1, 0, 0).WithUtcOffset(60));
    {
        // India's half hours, and a zone west of UTC across midnight and the year.
        TimeZone india("IST-5:30");
        EXPECT_EQ(LocalTimeOf(fileTime(1729989000)), DateTime::Full(2024, 10, 27, 6, 0, 0).WithUtcOffset(330));
        TimeZone west("HST10");
        EXPECT_EQ(LocalTimeOf(fileTime(1704070800)), DateTime::Full(2023, 12, 31, 15, 0, 0).WithUtcOffset(-600));
        // A local mean time of seconds: the offset in whole minutes, the wall clock moved to keep
        // the instant (1970-01-01 00:00 UTC).
        TimeZone meanTime("LMT-0:53:28");
        EXPECT_EQ(LocalTimeOf(fileTime(0)), DateTime::Full(1970, 1, 1, 0, 53, 0).WithUtcOffset(53));
    }
}

TEST(CodePage, EightBitTextBecomesUtf8)
{
    EXPECT_EQ(CharsetOfCodePage(1252), "CP1252");
    EXPECT_EQ(CharsetOfCodePage(28591), "ISO-8859-1");
    EXPECT_EQ(CharsetOfCodePage(65001), "UTF-8");
    EXPECT_EQ(ToUtf8("\x80 caf\xE9", "CP1252"), "\u20AC caf\u00E9");
    EXPECT_EQ(ToUtf8("\xC8\xE2\xE0\xED", CharsetOfCodePage(1251)), "\u0418\u0432\u0430\u043D");
    EXPECT_EQ(ToUtf8("ok\xFFok", "UTF-8"), "ok\uFFFDok");
    EXPECT_EQ(ToUtf8("A\0"s, "UTF-16LE"), "A");
    EXPECT_EQ(ToUtf8("caf\xE9", "NO-SUCH-CHARSET"), "caf\u00E9");
}

// Converters are kept from one text to the next: a text that leaves a stateful charset shifted
// (here ISO-2022-JP in its two-byte set, never switched back) must not shift the next one.
TEST(CodePage, EachTextStartsInTheCharsetsInitialState)
{
    EXPECT_EQ(ToUtf8("\x1B$B\x24\x22", "ISO-2022-JP"), "\u3042");
    EXPECT_EQ(ToUtf8("ok", "ISO-2022-JP"), "ok");
}

}  // namespace
}  // namespace varnemo::testing
