#include "source/pff/recipient_table.h"

#include "source/pff/property_tags.h"

namespace varnemo::mapi::pff {
namespace {

std::string SmtpAddressOf(const PropertyBag& row)
{
    if (auto smtp = row.Text(PropertyKey::Tag(tag::SmtpAddress)); smtp && !smtp->empty())
        return *smtp;
    if (row.Text(PropertyKey::Tag(tag::AddressType)).value_or("") == "SMTP")
        return row.Text(PropertyKey::Tag(tag::EmailAddress)).value_or("");
    return {};
}

}  // namespace

std::vector<Recipient> RecipientsOf(const std::vector<PropertyBag>& rows)
{
    std::vector<Recipient> recipients;
    for (const auto& row : rows) {
        const auto kind = row.Integer(PropertyKey::Tag(tag::RecipientType)).value_or(1);
        recipients.push_back({kind == 2 ? Recipient::Kind::Cc : kind == 3 ? Recipient::Kind::Bcc : Recipient::Kind::To,
                              row.Text(PropertyKey::Tag(tag::DisplayName)).value_or(""), SmtpAddressOf(row)});
    }
    return recipients;
}

}  // namespace varnemo::mapi::pff
