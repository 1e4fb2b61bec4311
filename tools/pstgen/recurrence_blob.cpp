#include "recurrence_blob.h"

#include <algorithm>

namespace pstgen {
namespace {

constexpr WallMinutes kMinutesPerDay = 24 * 60;
// EndDate of a series without end (4500-08-31), as Outlook writes it.
constexpr WallMinutes kNoEnd = 0x5AE980DF;

WallMinutes Midnight(WallMinutes minutes)
{
    return minutes - minutes % kMinutesPerDay;
}

std::uint16_t Frequency(Recurrence::Pattern pattern)
{
    switch (pattern) {
    case Recurrence::Pattern::Daily: return 0x200A;
    case Recurrence::Pattern::Weekly: return 0x200B;
    case Recurrence::Pattern::Monthly:
    case Recurrence::Pattern::MonthlyNth: return 0x200C;
    default: return 0x200D;
    }
}

std::uint16_t PatternType(Recurrence::Pattern pattern)
{
    switch (pattern) {
    case Recurrence::Pattern::Daily: return 0x0000;
    case Recurrence::Pattern::Weekly: return 0x0001;
    case Recurrence::Pattern::Monthly:
    case Recurrence::Pattern::Yearly: return 0x0002;
    default: return 0x0003;
    }
}

std::uint32_t Period(const Recurrence& recurrence)
{
    switch (recurrence.pattern) {
    case Recurrence::Pattern::Daily: return recurrence.interval * kMinutesPerDay;
    case Recurrence::Pattern::Yearly:
    case Recurrence::Pattern::YearlyNth: return recurrence.interval * 12;
    default: return recurrence.interval;
    }
}

void PutPatternSpecific(Bytes& out, const Recurrence& recurrence)
{
    switch (PatternType(recurrence.pattern)) {
    case 0x0001: PutLE<std::uint32_t>(out, recurrence.weekDays); break;
    case 0x0002: PutLE<std::uint32_t>(out, recurrence.dayOfMonth); break;
    case 0x0003:
        PutLE<std::uint32_t>(out, recurrence.weekDays);
        PutLE<std::uint32_t>(out, recurrence.week);
        break;
    default: break;
    }
}

void PutDates(Bytes& out, std::vector<WallMinutes> dates)
{
    std::sort(dates.begin(), dates.end());
    PutLE<std::uint32_t>(out, static_cast<std::uint32_t>(dates.size()));
    for (const auto date : dates)
        PutLE<std::uint32_t>(out, date);
}

// Outlook counts a changed occurrence as deleted from its original day and lists its new day
// among the changed ones.
void PutInstanceDates(Bytes& out, const Recurrence& recurrence)
{
    auto deleted = recurrence.deleted;
    std::vector<WallMinutes> changed;
    for (const auto& change : recurrence.changes) {
        deleted.push_back(Midnight(change.original));
        changed.push_back(Midnight(change.start));
    }
    PutDates(out, deleted);
    PutDates(out, changed);
}

void PutEnd(Bytes& out, const Recurrence& recurrence)
{
    // End type, occurrence count (Outlook writes 10 where it has none), first day of the week.
    if (recurrence.count) {
        PutLE<std::uint32_t>(out, 0x2022);
        PutLE<std::uint32_t>(out, *recurrence.count);
    } else {
        PutLE<std::uint32_t>(out, recurrence.until ? 0x2021 : 0x2023);
        PutLE<std::uint32_t>(out, 10);
    }
    PutLE<std::uint32_t>(out, recurrence.firstDayOfWeek);
}

void PutSystemTime(Bytes& out, const std::array<std::uint16_t, 4>& change)
{
    // wYear, wMonth, wDayOfWeek, wDay (the week), wHour, wMinute, wSecond, wMilliseconds
    for (const std::uint16_t field : {std::uint16_t{0}, change[0], change[2], change[1], change[3], std::uint16_t{0},
                                      std::uint16_t{0}, std::uint16_t{0}})
        PutLE<std::uint16_t>(out, field);
}

}  // namespace

Bytes RecurrenceBlob(const Recurrence& recurrence)
{
    Bytes out;
    PutLE<std::uint16_t>(out, 0x3004);  // reader version
    PutLE<std::uint16_t>(out, 0x3004);  // writer version
    PutLE<std::uint16_t>(out, Frequency(recurrence.pattern));
    PutLE<std::uint16_t>(out, PatternType(recurrence.pattern));
    PutLE<std::uint16_t>(out, 0x0000);  // the Gregorian calendar
    PutLE<std::uint32_t>(out, 0);       // first date-time: readers lay the series out from its start
    PutLE<std::uint32_t>(out, Period(recurrence));
    PutLE<std::uint32_t>(out, 0);  // sliding flag: appointments never slide
    PutPatternSpecific(out, recurrence);
    PutEnd(out, recurrence);
    PutInstanceDates(out, recurrence);
    PutLE<std::uint32_t>(out, Midnight(recurrence.first));
    PutLE<std::uint32_t>(out, recurrence.until ? *recurrence.until : kNoEnd);
    PutLE<std::uint32_t>(out, 0x3006);  // reader version 2
    PutLE<std::uint32_t>(out, 0x3008);  // writer version 2: no extended exceptions follow
    const auto startOffset = recurrence.first % kMinutesPerDay;
    PutLE<std::uint32_t>(out, startOffset);
    PutLE<std::uint32_t>(out, startOffset + recurrence.minutes);
    PutLE<std::uint16_t>(out, static_cast<std::uint16_t>(recurrence.changes.size()));
    for (const auto& change : recurrence.changes) {
        PutLE<std::uint32_t>(out, change.start);
        PutLE<std::uint32_t>(out, change.end);
        PutLE<std::uint32_t>(out, change.original);
        PutLE<std::uint16_t>(out, 0);  // nothing changed but the time
    }
    PutLE<std::uint32_t>(out, 0);  // reserved block 1
    PutLE<std::uint32_t>(out, 0);  // reserved block 2
    return out;
}

Bytes TimeZoneStruct(const TimeZoneRule& zone)
{
    Bytes out;
    PutLE<std::uint32_t>(out, static_cast<std::uint32_t>(zone.bias));
    PutLE<std::uint32_t>(out, 0);  // standard bias
    PutLE<std::uint32_t>(out, static_cast<std::uint32_t>(zone.daylightBias));
    PutLE<std::uint16_t>(out, 0);
    PutSystemTime(out, zone.toStandard);
    PutLE<std::uint16_t>(out, 0);
    PutSystemTime(out, zone.toDaylight);
    return out;
}

}  // namespace pstgen
