#pragma once

namespace varnemo {

// The texts of the main window's help label LblHelp, one for each way of choosing the source.
inline constexpr const char* kConfiguredMailboxesHelp =
    "This Option allows you to convert deafult Outlook mailbox or other configured Outlook PST files. Software will "
    "list all configured Outlook mailboxes and you can choose which mailbox you need to convert to Lotus Notes "
    "mailbox.";
inline constexpr const char* kOtherPstFileHelp =
    "This Option allows you to select a Outlook PST file to be converted to Lotus Notes mailbox.";

}  // namespace varnemo
