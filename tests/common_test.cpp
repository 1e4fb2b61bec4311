#include "common/continue_on_error.h"
#include "common/date_time.h"
#include "common/program_state.h"

#include <gtest/gtest.h>

namespace varnemo {
namespace {

TEST(DateTime, KindsAndTheirParts)
{
    const auto full = DateTime::Full(2008, 3, 7, 14, 5, 9);
    EXPECT_EQ(full.DatePart(), DateTime::DateOnly(2008, 3, 7));
    EXPECT_EQ(full.TimePart(), DateTime::TimeOnly(14, 5, 9));
    EXPECT_EQ(DateTime::DateOnly(2008, 3, 7).TimePart().kind(), DateTime::Kind::None);
    EXPECT_EQ(DateTime::TimeOnly(0, 0, 0).DatePart().kind(), DateTime::Kind::None);
    EXPECT_FALSE(DateTime().hasValue());
    EXPECT_EQ(DateTime::TimeOnly(0, 0, 0).kind(), DateTime::Kind::TimeOnly);
}

TEST(DateTime, IsoTextRoundTripsEveryKind)
{
    for (const auto& value : {DateTime::Full(2026, 12, 7, 2, 5, 9), DateTime::DateOnly(1601, 1, 1),
                              DateTime::TimeOnly(23, 59, 59), DateTime()}) {
        EXPECT_EQ(DateTime::FromIso(value.ToIso()), value) << value.ToIso();
    }
    EXPECT_EQ(DateTime::Full(2026, 12, 7, 2, 5, 9).ToIso(), "2026-12-07T02:05:09");
    EXPECT_THROW(DateTime::FromIso("2026-02-30"), std::invalid_argument);
    EXPECT_THROW(DateTime::FromIso("2026-12-07 02:05:09"), std::invalid_argument);
    EXPECT_THROW(DateTime::Full(2026, 1, 1, 24, 0, 0), std::invalid_argument);
}

TEST(DateTime, AnOffsetFromUtcMakesAFullValueAnInstant)
{
    const auto wallClock = DateTime::Full(2024, 10, 27, 2, 30, 0);
    const auto summer = wallClock.WithUtcOffset(120), winter = wallClock.WithUtcOffset(60);
    EXPECT_EQ(summer.ToIso(), "2024-10-27T02:30:00+02:00");
    EXPECT_EQ(wallClock.WithUtcOffset(-330).ToIso(), "2024-10-27T02:30:00-05:30");
    EXPECT_EQ(wallClock.WithUtcOffset(0).ToIso(), "2024-10-27T02:30:00+00:00");
    EXPECT_EQ(summer.utcOffsetMinutes(), 120);
    EXPECT_EQ(wallClock.utcOffsetMinutes(), std::nullopt);
    // Equal wall clocks at other offsets, or without one, are other values.
    EXPECT_NE(summer, winter);
    EXPECT_NE(summer, wallClock);
    for (const auto& value : {summer, wallClock.WithUtcOffset(-330), wallClock.WithUtcOffset(0),
                              wallClock.WithUtcOffset(-(23 * 60 + 59))})
        EXPECT_EQ(DateTime::FromIso(value.ToIso()), value) << value.ToIso();
    // The wall clock alone is what the general text and the parts show.
    EXPECT_EQ(summer.ToGeneralText(), "2024-10-27 02:30:00");
    EXPECT_EQ(summer.DatePart(), DateTime::DateOnly(2024, 10, 27));
    EXPECT_EQ(summer.TimePart(), DateTime::TimeOnly(2, 30, 0));

    EXPECT_THROW(wallClock.WithUtcOffset(24 * 60), std::invalid_argument);
    EXPECT_THROW(wallClock.WithUtcOffset(-24 * 60), std::invalid_argument);
    EXPECT_THROW(DateTime::DateOnly(2024, 10, 27).WithUtcOffset(60), std::invalid_argument);
    EXPECT_THROW(DateTime::TimeOnly(2, 30, 0).WithUtcOffset(60), std::invalid_argument);
    for (const char* wrong : {"2024-10-27T02:30:00+0200", "2024-10-27T02:30:00Z", "2024-10-27T02:30:00 02:00",
                              "2024-10-27T02:30:00+24:00", "2024-10-27T02:30:00+01:60", "2024-10-27T02:30:00+02:0x",
                              "2024-10-27+02:00"})
        EXPECT_THROW(DateTime::FromIso(wrong), std::invalid_argument) << wrong;
}

TEST(DateTime, StampHasNoLeadingZerosInTheTime)
{
    EXPECT_EQ(DateTime::Full(2026, 12, 7, 2, 5, 9).ToStampText(), "07-12-2026-2-5-9");
    EXPECT_EQ(DateTime::Full(2009, 2, 1, 14, 3, 7).ToStampText(), "01-02-2009-14-3-7");
    EXPECT_EQ(DateTime::TimeOnly(1, 2, 3).ToStampText(), "");
}

TEST(DateTime, GeneralTextDropsAMidnightTime)
{
    EXPECT_EQ(DateTime::Full(1970, 5, 17, 0, 0, 0).ToGeneralText(), "1970-05-17");
    EXPECT_EQ(DateTime::Full(1970, 5, 17, 8, 30, 0).ToGeneralText(), "1970-05-17 08:30:00");
    EXPECT_EQ(DateTime().ToGeneralText(), "");
}

TEST(ContinueOnError, SkipsAFailingStepAndGoesOn)
{
    ContinueOnError step;
    std::vector<int> ran;
    EXPECT_TRUE(step([&] { ran.push_back(1); }));
    EXPECT_FALSE(step([&] { throw ComponentError("database not found: x.nsf"); }));
    EXPECT_TRUE(step([&] { ran.push_back(3); }));
    EXPECT_EQ(ran, (std::vector<int>{1, 3}));
    ASSERT_TRUE(step.anyFailed());
    EXPECT_EQ(step.failures().front(), "database not found: x.nsf");
}

TEST(ContinueOnError, LetsOtherErrorsThrough)
{
    ContinueOnError step;
    EXPECT_THROW(step([] { throw std::logic_error("programming error"); }), std::logic_error);
}

TEST(Required, AnEmptyObjectFailsTheStepThatNeedsIt)
{
    std::unique_ptr<int> missing;
    ContinueOnError step;
    EXPECT_FALSE(step([&] { Required(missing, "database") = 1; }));
    EXPECT_NE(step.failures().front().find("database"), std::string::npos);
}

TEST(ProgramState, ExcludeFromViewValuesAreDThenS)
{
    ProgramState state;
    state.LoadExcludeFromViewValues();
    EXPECT_EQ(state.ExcludeFromViewValues[0], "D");
    EXPECT_EQ(state.ExcludeFromViewValues[1], "S");
}

}  // namespace
}  // namespace varnemo
