#include "source/pff/recurrence_exception.h"

#include "source/pff/property_tags.h"

namespace varnemo::mapi::pff {
namespace {

constexpr std::int64_t AttachEmbeddedMessage = 5;
constexpr std::int64_t ExceptionFlag = 0x00000002;  // afException

}  // namespace

bool IsRecurringSeries(const PropertyBag& item)
{
    return item.Boolean(named::Recurring).value_or(false);
}

bool IsRecurrenceException(const PropertyBag& attachment)
{
    if (attachment.Integer(PropertyKey::Tag(tag::AttachMethod)) != AttachEmbeddedMessage)
        return false;
    const auto flags = attachment.Integer(PropertyKey::Tag(tag::AttachmentFlags)).value_or(0);
    return (flags & ExceptionFlag) != 0 || attachment.Boolean(PropertyKey::Tag(tag::AttachmentHidden)).value_or(false);
}

}  // namespace varnemo::mapi::pff
