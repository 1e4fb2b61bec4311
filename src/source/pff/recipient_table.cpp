#include "source/pff/recipient_table.h"

#include "source/pff/pff_error.h"
#include "source/pff/pff_handles.h"
#include "source/pff/property_bag.h"
#include "source/pff/property_tags.h"

#include <fmt/format.h>

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

std::vector<Recipient> ReadRecipients(libpff_item_t* message, const std::string& where)
{
    const auto what = "cannot read the recipient table";
    ItemHandle table;
    const int found = CheckPff(what, where, [&](libpff_error_t** e) {
        return libpff_message_get_recipients(message, table.out(), e);
    });
    if (found != 1 || !table)
        return {};
    int rows = 0;
    CheckPff(what, where, [&](libpff_error_t** e) { return libpff_item_get_number_of_record_sets(table.get(), &rows, e); });

    std::vector<Recipient> recipients;
    for (int index = 0; index < rows; ++index) {
        const PropertyBag row(table.get(), fmt::format("recipient {} of {}", index + 1, where), index);
        const auto kind = row.Integer(PropertyKey::Tag(tag::RecipientType)).value_or(1);
        recipients.push_back({kind == 2 ? Recipient::Kind::Cc : kind == 3 ? Recipient::Kind::Bcc : Recipient::Kind::To,
                              row.Text(PropertyKey::Tag(tag::DisplayName)).value_or(""), SmtpAddressOf(row)});
    }
    return recipients;
}

}  // namespace varnemo::mapi::pff
