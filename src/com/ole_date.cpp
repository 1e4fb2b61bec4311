#include "com/ole_date.h"

#include "common/errors.h"

#include <windows.h>

namespace varnemo::com {

double ToOleDate(const DateTime& value)
{
    if (!value.hasValue())
        throw ComponentError("a date-time without a value has no COM date");
    SYSTEMTIME fields{};
    fields.wYear = static_cast<WORD>(value.hasDate() ? value.year() : 1899);
    fields.wMonth = static_cast<WORD>(value.hasDate() ? value.month() : 12);
    fields.wDay = static_cast<WORD>(value.hasDate() ? value.day() : 30);
    fields.wHour = static_cast<WORD>(value.hour());
    fields.wMinute = static_cast<WORD>(value.minute());
    fields.wSecond = static_cast<WORD>(value.second());
    double date = 0;
    if (!SystemTimeToVariantTime(&fields, &date))
        throw ComponentError("no COM date for " + value.ToIso());
    return date;
}

DateTime FromOleDate(double date)
{
    SYSTEMTIME fields{};
    if (!VariantTimeToSystemTime(date, &fields))
        throw ComponentError("the component handed out an invalid date (" + std::to_string(date) + ")");
    if (fields.wYear == kNoDateYear)
        return {};
    return DateTime::Full(fields.wYear, fields.wMonth, fields.wDay, fields.wHour, fields.wMinute, fields.wSecond);
}

}  // namespace varnemo::com
