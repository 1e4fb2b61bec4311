#include "table_columns.h"

#include "format_constants.h"

namespace pstgen::table_columns {

namespace {

using namespace prop_type;

}  // namespace

const std::vector<std::uint32_t>& Hierarchy()
{
    static const std::vector<std::uint32_t> columns{
        PropertyTag(0x3001, kString),    PropertyTag(0x3602, kInteger32), PropertyTag(0x3603, kInteger32),
        PropertyTag(0x360A, kBoolean),   PropertyTag(0x3613, kString),    PropertyTag(0x3617, kInteger32),
    };
    return columns;
}

const std::vector<std::uint32_t>& Contents()
{
    static const std::vector<std::uint32_t> columns{
        PropertyTag(0x0017, kInteger32), PropertyTag(0x001A, kString), PropertyTag(0x0037, kString),
        PropertyTag(0x0039, kTime),      PropertyTag(0x0042, kString), PropertyTag(0x0E02, kString),
        PropertyTag(0x0E03, kString),    PropertyTag(0x0E04, kString), PropertyTag(0x0E06, kTime),
        PropertyTag(0x0E07, kInteger32), PropertyTag(0x0E08, kInteger32), PropertyTag(0x3007, kTime),
        PropertyTag(0x3008, kTime),
    };
    return columns;
}

const std::vector<std::uint32_t>& AssociatedContents()
{
    static const std::vector<std::uint32_t> columns{
        PropertyTag(0x001A, kString), PropertyTag(0x0E07, kInteger32), PropertyTag(0x3008, kTime),
    };
    return columns;
}

const std::vector<std::uint32_t>& Attachments()
{
    static const std::vector<std::uint32_t> columns{
        PropertyTag(0x0E20, kInteger32), PropertyTag(0x3704, kString), PropertyTag(0x3705, kInteger32),
        PropertyTag(0x3707, kString),    PropertyTag(0x370B, kInteger32),
    };
    return columns;
}

const std::vector<std::uint32_t>& Recipients()
{
    static const std::vector<std::uint32_t> columns{
        PropertyTag(0x0C15, kInteger32), PropertyTag(0x0E0F, kBoolean), PropertyTag(0x0FFE, kInteger32),
        PropertyTag(0x0FFF, kBinary),    PropertyTag(0x3001, kString),  PropertyTag(0x3002, kString),
        PropertyTag(0x3003, kString),    PropertyTag(0x3900, kInteger32), PropertyTag(0x39FE, kString),
        PropertyTag(0x3A40, kBoolean),   PropertyTag(0x5FF6, kString),
    };
    return columns;
}

}  // namespace pstgen::table_columns
