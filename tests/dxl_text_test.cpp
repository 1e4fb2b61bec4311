// The pieces of DXL text: what XML cannot carry and how it comes back, and date-times.
#include "local_notes_test_support.h"
#include "notes/dxl/dxl_date_time.h"
#include "notes/dxl/non_xml_chars.h"
#include "pff_fixtures.h"

#include <libxml/entities.h>
#include <libxml/parser.h>

namespace varnemo::notes::dxl {
namespace {

struct Split {
    std::string rebuilt;                      // the bytes the pieces stand for
    std::string runs;                         // the text runs, concatenated
    std::vector<char32_t> codes;              // the nonxmlchar values
};

Split SplitAndRebuild(std::string_view bytes)
{
    Split split;
    SplitForXml(
        bytes,
        [&](std::string_view run) {
            split.rebuilt += run;
            split.runs += run;
        },
        [&](char32_t code) {
            split.codes.push_back(code);
            AppendNonXmlChar(split.rebuilt, code);
        });
    return split;
}

// What libxml2 accepts as the content of an element once markup is escaped, as the writer
// escapes it.
bool ParsesAsElementText(const std::string& text)
{
    xmlChar* escaped = xmlEncodeSpecialChars(nullptr, reinterpret_cast<const xmlChar*>(text.c_str()));
    const std::string document = "<t>" + std::string(reinterpret_cast<const char*>(escaped)) + "</t>";
    xmlFree(escaped);
    xmlDocPtr parsed = xmlReadMemory(document.data(), static_cast<int>(document.size()), nullptr, "UTF-8",
                                     XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    xmlFreeDoc(parsed);
    return parsed != nullptr;
}

TEST(NonXmlChars, EveryByteStringComesBackAndTheRunsAreXml)
{
    std::vector<std::string> samples = {
        "",
        "plain ascii",
        std::string("\x00\x01\x08\x0B\x0C\x0E\x1F\x7F", 8),
        "\xEF\xBF\xBE\xEF\xBF\xBF",                      // U+FFFE, U+FFFF
        "\xED\xA0\x80\xED\xAF\xBF\xED\xB0\x80",         // lone surrogates D800, DBFF, DC00
        "\xED\xB2\x80\xED\xB3\xBF",                      // lone surrogates DC80, DCFF: escaped bytes' codes
        "\x80\xBF\xC0\xC1\xF5\xFF",                      // bytes that never start a character
        "\xC3\xE2\x82\xF0\x9F\x98",                      // cut-off sequences
        "\xC0\xAF\xE0\x80\xAF\xF4\x90\x80\x80",          // overlong forms, beyond U+10FFFF
        "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 tab\t cr\r lf\n",
    };
    // Every byte value in every position of a short string, and pseudo-random strings.
    for (int byte = 0; byte < 256; ++byte)
        samples.push_back(std::string("a") + static_cast<char>(byte) + "\xED\xB2\x80" + static_cast<char>(byte));
    for (unsigned seed = 1; seed <= 200; ++seed)
        samples.push_back(local::testing::BinaryContent(seed % 40 + 1, seed));

    for (const auto& sample : samples) {
        const Split split = SplitAndRebuild(sample);
        EXPECT_TRUE(split.rebuilt == sample) << ::testing::PrintToString(sample);
        EXPECT_TRUE(ParsesAsElementText(split.runs)) << ::testing::PrintToString(split.runs);
    }
}

TEST(NonXmlChars, CharactersXmlCarriesStayText)
{
    const std::string text = "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80 \xEF\xBF\xBD\t\r\n<&>";
    const Split split = SplitAndRebuild(text);
    EXPECT_EQ(split.runs, text);
    EXPECT_TRUE(split.codes.empty());
}

TEST(NonXmlChars, CodesAreTheCharactersOrTheEscapedBytes)
{
    const Split split = SplitAndRebuild(std::string("\x01\xEF\xBF\xBF\xED\xA0\x80\xED\xB2\x80\xFF", 11));
    EXPECT_EQ(split.codes, (std::vector<char32_t>{0x1, 0xFFFF, 0xD800, 0xDCED, 0xDCB2, 0xDC80, 0xDCFF}));
    std::string beyond;
    EXPECT_THROW(AppendNonXmlChar(beyond, 0x110000), std::invalid_argument);
}

TEST(DxlDateTimes, ParseWhatIsWrittenAndRefuseTheRest)
{
    ::varnemo::testing::TimeZone zone("IST-5:30");
    const DateTime values[] = {DateTime::Full(2026, 3, 4, 5, 6, 7).WithUtcOffset(120),
                               DateTime::Full(2026, 3, 4, 5, 6, 7).WithUtcOffset(-570), DateTime::DateOnly(2000, 2, 29),
                               DateTime::TimeOnly(23, 59, 59)};
    for (const auto& value : values)
        EXPECT_EQ(ParseDxlDateTime(FormatDxlDateTime(value).text), value) << FormatDxlDateTime(value).text;
    EXPECT_EQ(FormatDxlDateTime(values[1]).text, "20260304T050607,00-0930");
    EXPECT_EQ(ParseDxlDateTime("20010522T103636,81-04"), DateTime::Full(2001, 5, 22, 10, 36, 36).WithUtcOffset(-240));
    EXPECT_EQ(ParseDxlDateTime("20010522T103636"), DateTime::Full(2001, 5, 22, 10, 36, 36));
    EXPECT_EQ(ParseDxlDateTime("T060306"), DateTime::TimeOnly(6, 3, 6));
    EXPECT_EQ(ParseDxlDateTime("T060306,52+05"), DateTime::TimeOnly(6, 3, 6));
    for (const char* wrong : {"", "2001", "2001052", "20010230", "20010522X", "20010522T25", "T2", "yesterday",
                              "20010522T103636,8", "20010522T103636,81+1", "20010522T103636+01:00",
                              "20010522T103636,81-0460", "20010522T103636,81+2400", "20010522T103636,81Z"})
        EXPECT_THROW(ParseDxlDateTime(wrong), std::invalid_argument) << wrong;
}

// A value that carries its offset is written with it wherever it is exported; one stored
// without (by an earlier version) takes the offset of the local zone at that wall clock.
TEST(DxlDateTimes, TheCarriedOffsetOrElseTheLocalZones)
{
    const auto summer = DateTime::Full(2024, 10, 27, 2, 30, 0).WithUtcOffset(120);
    const auto winter = DateTime::Full(2024, 10, 27, 2, 30, 0).WithUtcOffset(60);
    const auto unzoned = DateTime::Full(2024, 7, 1, 9, 30, 0);
    for (const char* zoneRules : {"UTC0", ::varnemo::testing::NewYork, "IST-5:30"}) {
        ::varnemo::testing::TimeZone zone(zoneRules);
        EXPECT_EQ(FormatDxlDateTime(summer).text, "20241027T023000,00+02") << zoneRules;
        EXPECT_EQ(FormatDxlDateTime(winter).text, "20241027T023000,00+01") << zoneRules;
    }
    {
        ::varnemo::testing::TimeZone zone(::varnemo::testing::NewYork);
        const DxlDateTime dxl = FormatDxlDateTime(unzoned);
        EXPECT_EQ(dxl.text, "20240701T093000,00-04");
        EXPECT_TRUE(dxl.daylightSaving);
        EXPECT_EQ(ParseDxlDateTime(dxl.text), unzoned.WithUtcOffset(-240));
    }
    ::varnemo::testing::TimeZone zone("IST-5:30");
    EXPECT_EQ(FormatDxlDateTime(unzoned).text, "20240701T093000,00+0530");
}

}  // namespace
}  // namespace varnemo::notes::dxl
