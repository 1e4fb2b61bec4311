#include "source/recurrence_pattern.h"

#include <fmt/format.h>

#include <stdexcept>

namespace varnemo::mapi {
namespace {

using Pattern = RecurrencePattern;

// The stored bytes, read front to back in little-endian order.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    std::uint32_t Number(std::size_t size, const char* what)
    {
        if (bytes_.size() - at_ < size)
            throw std::invalid_argument(fmt::format("the recurrence ends before its {} (at byte {})", what, at_));
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < size; ++i)
            value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[at_ + i])) << (8 * i);
        at_ += size;
        return value;
    }
    std::uint16_t U16(const char* what) { return static_cast<std::uint16_t>(Number(2, what)); }
    std::uint32_t U32(const char* what) { return Number(4, what); }
    void Skip(std::size_t size, const char* what)
    {
        if (bytes_.size() - at_ < size)
            throw std::invalid_argument(fmt::format("the recurrence ends inside its {} (at byte {})", what, at_));
        at_ += size;
    }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

[[noreturn]] void Invalid(const char* what, std::uint32_t value)
{
    throw std::invalid_argument(fmt::format("the recurrence has the {} 0x{:X}, which is not one of the format", what, value));
}

Pattern::Frequency FrequencyOf(std::uint16_t value)
{
    switch (value) {
    case 0x200A: return Pattern::Frequency::Daily;
    case 0x200B: return Pattern::Frequency::Weekly;
    case 0x200C: return Pattern::Frequency::Monthly;
    case 0x200D: return Pattern::Frequency::Yearly;
    default: Invalid("frequency", value);
    }
}

Pattern::Type TypeOf(std::uint16_t value)
{
    switch (value) {
    case 0x0000: return Pattern::Type::Day;
    case 0x0001: return Pattern::Type::Week;
    case 0x0002: return Pattern::Type::Month;
    case 0x0003: return Pattern::Type::MonthNth;
    case 0x0004: return Pattern::Type::MonthEnd;
    case 0x000A:
    case 0x000B:
    case 0x000C: throw std::invalid_argument("the series repeats by the Hijri calendar, which is not converted");
    default: Invalid("pattern type", value);
    }
}

// The Gregorian calendar in its several localised names; every other one counts its months
// differently.
void CheckCalendar(std::uint16_t value)
{
    constexpr std::uint16_t kGregorian[] = {0x0000, 0x0001, 0x0002, 0x0009, 0x000A, 0x000B, 0x000C};
    for (const auto gregorian : kGregorian)
        if (value == gregorian)
            return;
    throw std::invalid_argument(fmt::format("the series repeats by calendar 0x{:X}, which is not Gregorian", value));
}

Pattern::End EndOf(std::uint32_t value)
{
    switch (value) {
    case 0x2021: return Pattern::End::OnDate;
    case 0x2022: return Pattern::End::AfterCount;
    case 0x2023:
    case 0xFFFFFFFF: return Pattern::End::Never;
    default: Invalid("end type", value);
    }
}

void ReadPatternSpecific(Reader& reader, Pattern& pattern)
{
    switch (pattern.type) {
    case Pattern::Type::Day: break;
    case Pattern::Type::Week: pattern.weekDays = static_cast<std::uint8_t>(reader.U32("days of the week") & 0x7F); break;
    case Pattern::Type::Month:
    case Pattern::Type::MonthEnd: pattern.dayOfMonth = static_cast<int>(reader.U32("day of the month")); break;
    case Pattern::Type::MonthNth:
        pattern.weekDays = static_cast<std::uint8_t>(reader.U32("days of the week") & 0x7F);
        pattern.weekOfMonth = static_cast<int>(reader.U32("week of the month"));
        if (pattern.weekOfMonth < 1 || pattern.weekOfMonth > 5)
            Invalid("week of the month", static_cast<std::uint32_t>(pattern.weekOfMonth));
        break;
    }
    if (pattern.type == Pattern::Type::Month && (pattern.dayOfMonth < 1 || pattern.dayOfMonth > 31))
        Invalid("day of the month", static_cast<std::uint32_t>(pattern.dayOfMonth));
    if ((pattern.type == Pattern::Type::Week || pattern.type == Pattern::Type::MonthNth) && pattern.weekDays == 0)
        throw std::invalid_argument("the recurrence repeats on no day of the week");
}

// The interval is stored in minutes for a daily series.
std::uint32_t IntervalOf(const Pattern& pattern, std::uint32_t period)
{
    constexpr std::uint32_t kMinutesPerDay = 24 * 60;
    const auto interval = pattern.type == Pattern::Type::Day ? period / kMinutesPerDay : period;
    if (interval == 0 || (pattern.type == Pattern::Type::Day && period % kMinutesPerDay != 0))
        Invalid("period", period);
    return interval;
}

std::vector<WallMinutes> ReadDates(Reader& reader, const char* what)
{
    const auto count = reader.U32(what);
    std::vector<WallMinutes> dates;
    for (std::uint32_t i = 0; i < count; ++i)
        dates.push_back(reader.U32(what));
    return dates;
}

// A changed occurrence; of what changed besides its time only the sizes matter here, to find
// the next one.
Pattern::Exception ReadException(Reader& reader)
{
    Pattern::Exception exception;
    exception.start = reader.U32("changed occurrence's start");
    exception.end = reader.U32("changed occurrence's end");
    exception.originalStart = reader.U32("changed occurrence's original start");
    const auto changed = reader.U16("changed occurrence's flags");
    auto skipText = [&](const char* what) {
        reader.U16(what);
        reader.Skip(reader.U16(what), what);
    };
    if (changed & 0x0001)
        skipText("changed subject");
    for (std::uint16_t flag : {0x0002, 0x0004, 0x0008})  // meeting type, reminder delta, reminder set
        if (changed & flag)
            reader.U32("changed occurrence's values");
    if (changed & 0x0010)
        skipText("changed location");
    for (std::uint16_t flag : {0x0020, 0x0040, 0x0080, 0x0100})  // busy status, attachment, all day, colour
        if (changed & flag)
            reader.U32("changed occurrence's values");
    if (exception.end < exception.start)
        throw std::invalid_argument("a changed occurrence of the recurrence ends before it starts");
    return exception;
}

}  // namespace

RecurrencePattern ParseRecurrencePattern(std::string_view bytes)
{
    Reader reader(bytes);
    RecurrencePattern pattern;
    reader.U16("reader version");
    reader.U16("writer version");
    pattern.frequency = FrequencyOf(reader.U16("frequency"));
    pattern.type = TypeOf(reader.U16("pattern type"));
    CheckCalendar(reader.U16("calendar type"));
    reader.U32("first date-time");
    const auto period = reader.U32("period");
    pattern.interval = IntervalOf(pattern, period);
    reader.U32("sliding flag");
    ReadPatternSpecific(reader, pattern);
    pattern.end = EndOf(reader.U32("end type"));
    pattern.occurrenceCount = reader.U32("occurrence count");
    pattern.firstDayOfWeek = static_cast<int>(reader.U32("first day of the week"));
    if (pattern.firstDayOfWeek > 6)
        Invalid("first day of the week", static_cast<std::uint32_t>(pattern.firstDayOfWeek));
    pattern.deletedDates = ReadDates(reader, "deleted occurrences");
    ReadDates(reader, "changed occurrences");  // the new days, given again by each exception below
    pattern.startDate = reader.U32("start date");
    pattern.endDate = reader.U32("end date");
    if (pattern.endDate < pattern.startDate)
        throw std::invalid_argument("the recurrence ends before it starts");
    reader.U32("reader version 2");
    reader.U32("writer version 2");
    pattern.startTimeOffset = static_cast<std::int32_t>(reader.U32("start time"));
    pattern.endTimeOffset = static_cast<std::int32_t>(reader.U32("end time"));
    if (pattern.endTimeOffset < pattern.startTimeOffset)
        throw std::invalid_argument("the occurrences of the recurrence end before they start");
    const auto exceptions = reader.U16("count of changed occurrences");
    for (std::uint16_t i = 0; i < exceptions; ++i)
        pattern.exceptions.push_back(ReadException(reader));
    return pattern;
}

}  // namespace varnemo::mapi
