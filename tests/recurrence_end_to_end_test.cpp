// Recurring appointments written by pstgen, converted by varnemo-cli and shown: every
// occurrence's instant is checked against dateutil's rrule (recurrence_expected.py), which lays
// the series out on its own.
#include "cli_process.h"
#include "pstgen/mailbox_json.h"
#include "pstgen/pst_writer.h"
#include "pstgen_support.h"
#include "time_zone.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <fmt/chrono.h>
#include <fstream>

namespace varnemo::testing {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// A zone by its POSIX rules (for dateutil) and by Windows' (for the data file): bias, then the
// switches to winter and summer time.
struct Zone {
    const char* posix;
    json windows;
};
const Zone kBerlin{Berlin, json::parse(R"({"bias": -60, "standard": [10, 5, 0, 3], "daylight": [3, 5, 0, 2]})")};
const Zone kPacific{Pacific, json::parse(R"({"bias": 480, "standard": [11, 1, 0, 2], "daylight": [3, 2, 0, 2]})")};
// Sydney, whose summer spans the turn of the year.
const Zone kSydney{"AEST-10AEDT,M10.1.0,M4.1.0/3",
                   json::parse(R"({"bias": -600, "standard": [4, 1, 0, 3], "daylight": [10, 1, 0, 2]})")};

struct Series {
    const char* subject;
    Zone zone;
    json recurrence;  // as pstgen takes it, without the zone
};

// Daily, weekly on several days, monthly on the n-th and last week day and on a day past the
// end of short months, yearly by date and by position; ending on a date, after a count or
// never; with deleted and moved occurrences; across the switches of both zones.
std::vector<Series> Cases()
{
    return {
        {"Every other day", kBerlin,
         json::parse(R"({"pattern": "daily", "interval": 2, "first": "2024-03-20T09:00:00", "minutes": 15,
                        "count": 10})")},
        {"Three days a fortnight", kBerlin,
         json::parse(R"({"pattern": "weekly", "interval": 2, "days": [1, 3, 5], "first": "2024-03-18T17:30:00",
                        "minutes": 45, "until": "2024-05-10T00:00:00", "deleted": ["2024-04-03T00:00:00"],
                        "changed": [{"original": "2024-04-05T17:30:00", "start": "2024-04-06T10:00:00",
                                     "end": "2024-04-06T11:00:00"}]})")},
        {"Second Tuesday", kBerlin,
         json::parse(R"({"pattern": "monthly_nth", "week": 2, "days": [2], "first": "2024-01-09T14:00:00",
                        "count": 12})")},
        {"Last Friday", kBerlin,
         json::parse(R"({"pattern": "monthly_nth", "week": 5, "days": [5], "first": "2024-01-26T16:00:00",
                        "until": "2024-12-31T00:00:00", "deleted": ["2024-08-30T00:00:00"]})")},
        {"Month end", kBerlin,
         json::parse(R"({"pattern": "monthly", "day": 31, "first": "2024-01-31T12:00:00", "count": 6})")},
        {"Every March the 15th", kBerlin,
         json::parse(R"({"pattern": "yearly", "day": 15, "first": "2024-03-15T08:00:00"})")},
        {"Tuesdays in the fall", kPacific,
         json::parse(R"({"pattern": "weekly", "days": [2], "first": "2024-10-22T08:00:00", "minutes": 30,
                        "count": 4})")},
        {"Thanksgiving", kPacific,
         json::parse(R"({"pattern": "yearly_nth", "week": 4, "days": [4], "first": "2024-11-28T12:00:00",
                        "minutes": 180, "count": 3})")},
        {"Mondays in Sydney", kSydney,
         json::parse(R"({"pattern": "weekly", "days": [1], "first": "2024-03-25T09:00:00", "count": 3})")},
        {"Sydney's spring", kSydney,
         json::parse(R"({"pattern": "daily", "first": "2024-10-05T09:00:00", "minutes": 30, "count": 3})")},
    };
}

// The occurrences as dateutil has them: [start, end] in UTC.
json ExpectedOccurrences(const Series& series, const fs::path& scratch)
{
    const auto request = scratch / "request.json";
    std::ofstream(request) << json{{"recurrence", series.recurrence}, {"tz", series.zone.posix}}.dump();
    const auto result = RunCommand(
        "python3 " + Quote(VARNEMO_TESTS_DIR "/recurrence_expected.py") + " < " + Quote(request.string()), scratch);
    EXPECT_EQ(result.status, 0) << result.err;
    return json::parse(result.out);
}

// "2024-03-20T09:00:00+01:00" as "2024-03-20T08:00:00Z".
std::string InUtc(const std::string& shown)
{
    using namespace std::chrono;
    int year, month, day, hour, minute, second, offsetHours, offsetMinutes;
    char sign;
    EXPECT_EQ(std::sscanf(shown.c_str(), "%d-%d-%dT%d:%d:%d%c%d:%d", &year, &month, &day, &hour, &minute, &second,
                          &sign, &offsetHours, &offsetMinutes),
              9)
        << shown;
    const auto offset = minutes{(offsetHours * 60 + offsetMinutes) * (sign == '-' ? -1 : 1)};
    const auto instant = sys_days{std::chrono::year{year} / month / day} + hours{hour} + minutes{minute} +
                         seconds{second} - offset;
    return fmt::format("{:%Y-%m-%dT%H:%M:%S}Z", instant);
}

// The value of a document's item; null when it has none.
json ValueOf(const json& document, const std::string& name)
{
    for (const auto& item : document["items"])
        if (item["name"] == name)
            return item["value"];
    return nullptr;
}

class RecurrenceEndToEnd : public ::testing::Test {
protected:
    // The series as appointments of one calendar, each starting where its first occurrence does.
    fs::path WriteMailbox(const std::vector<Series>& cases, std::vector<json>& expected)
    {
        json items = json::array();
        for (const auto& series : cases) {
            expected.push_back(ExpectedOccurrences(series, dir.path()));
            auto recurrence = series.recurrence;
            recurrence["zone"] = series.zone.windows;
            items.push_back({{"kind", "appointment"},
                             {"subject", series.subject},
                             {"start", expected.back()[0][0]},
                             {"end", expected.back()[0][1]},
                             {"recurrence", recurrence}});
        }
        const json mailbox = {{"folders", {{{"name", "Calendar"}, {"class", "IPF.Appointment"}, {"items", items}}}}};
        const auto pst = dir.path() / "series.pst";
        pstgen::WritePst(pstgen::ParseMailboxJson(mailbox.dump(), dir.path()), pst);
        return pst;
    }

    CommandResult Cli(const std::string& arguments)
    {
        return RunCommand(Quote(VARNEMO_CLI) + " " + arguments, dir.path());
    }

    // Converts in New York, a zone of neither series, and shows the database.
    json ConvertAndShow(const fs::path& pst, CommandResult& conversion)
    {
        TimeZone converting(NewYork);
        conversion = Cli(fmt::format("convert {} --new-db {} --notes-data {}", Quote(pst.string()),
                                     Quote((dir.path() / "out").string()), Quote((dir.path() / "data").string())));
        const auto shown = Cli("show --json " + Quote(MailDatabase(conversion.out)));
        EXPECT_EQ(shown.status, 0) << shown.err;
        return json::parse(shown.out);
    }

    static const json& DocumentOf(const json& shown, const std::string& subject)
    {
        for (const auto& document : shown["documents"])
            if (ValueOf(document, "Subject") == subject)
                return document;
        throw std::runtime_error("no document " + subject);
    }

    // Every start and end in UTC, in the form of recurrence_expected.py.
    static json OccurrencesOf(const json& document)
    {
        json pairs = json::array();
        const auto starts = ValueOf(document, "STARTDATETIME"), ends = ValueOf(document, "EndDateTime");
        if (!starts.is_array() || !ends.is_array() || starts.size() != ends.size())
            return pairs;
        for (std::size_t i = 0; i < starts.size(); ++i)
            pairs.push_back({InUtc(starts[i]), InUtc(ends[i])});
        return pairs;
    }

    TempDir dir;
};

TEST_F(RecurrenceEndToEnd, EveryOccurrenceIsWhereTheRuleSaysAcrossTheClockChanges)
{
    const auto cases = Cases();
    std::vector<json> expected;
    CommandResult conversion;
    const auto shown = ConvertAndShow(WriteMailbox(cases, expected), conversion);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const auto& document = DocumentOf(shown, cases[i].subject);
        EXPECT_EQ(OccurrencesOf(document), expected[i]) << cases[i].subject;
        EXPECT_EQ(ValueOf(document, "CalendarDateTime"), ValueOf(document, "STARTDATETIME")) << cases[i].subject;
        EXPECT_EQ(ValueOf(document, "RepeatInstanceDates"), ValueOf(document, "STARTDATETIME"));
        EXPECT_EQ(ValueOf(document, "Repeats"), "1");
    }
    // Only the series without end is cut short, and the run says so.
    EXPECT_EQ(conversion.status, 1);
    EXPECT_NE(conversion.err.find("\"Every March the 15th\": converted in part: the series has no end; its "
                                  "occurrences from 2034-03-15 on are left out"),
              std::string::npos)
        << conversion.err;
    EXPECT_NE(conversion.out.find("1 item converted in part"), std::string::npos) << conversion.out;
    EXPECT_EQ(ValueOf(DocumentOf(shown, "Every March the 15th"), "VarnemoRepeatCut"), "2034-03-15");
    EXPECT_EQ(ValueOf(DocumentOf(shown, "Month end"), "VarnemoRepeatCut"), nullptr);
}

TEST_F(RecurrenceEndToEnd, TheRuleIsWrittenInTheCalendarsOwnTerms)
{
    const auto cases = Cases();
    std::vector<json> expected;
    CommandResult conversion;
    const auto shown = ConvertAndShow(WriteMailbox(cases, expected), conversion);
    struct Rule {
        const char* subject;
        const char* unit;
        const char* interval;
        json adjust;
        const char* how;
        const char* until;  // or the count, with "F"
    };
    for (const auto& rule :
         {Rule{"Every other day", "D", "2", nullptr, "F", "10"},
          Rule{"Three days a fortnight", "W", "2", {"1", "3", "5"}, "U", "2024-05-10"},
          Rule{"Second Tuesday", "MP", "1", {"2.2"}, "F", "12"},
          Rule{"Last Friday", "MP", "1", {"5.5"}, "U", "2024-12-31"},
          Rule{"Month end", "MD", "1", {"31"}, "F", "6"},
          Rule{"Every March the 15th", "YD", "1", {"15"}, "U", "2033-03-15"},
          Rule{"Thanksgiving", "MP", "12", {"4.4"}, "F", "3"}}) {
        const auto& document = DocumentOf(shown, rule.subject);
        EXPECT_EQ(ValueOf(document, "RepeatUnit"), rule.unit) << rule.subject;
        EXPECT_EQ(ValueOf(document, "RepeatInterval"), rule.interval) << rule.subject;
        EXPECT_EQ(ValueOf(document, "RepeatAdjust"), rule.adjust) << rule.subject;
        EXPECT_EQ(ValueOf(document, "RepeatHow"), rule.how) << rule.subject;
        EXPECT_EQ(ValueOf(document, std::string(rule.how) == "U" ? "RepeatUntil" : "RepeatFor"), rule.until)
            << rule.subject;
    }
}

}  // namespace
}  // namespace varnemo::testing
