#pragma once

#include <filesystem>

namespace varnemo::notes::local {

// The files of a Notes client installation that the program relies on.
inline constexpr const char* kNotesIniFile = "notes.ini";
inline constexpr const char* kMailTemplateFile = "mail.ntf";
inline constexpr const char* kAddressBookTemplateFile = "pernames.ntf";
inline constexpr const char* kAddressBookFile = "names.nsf";

// $XDG_DATA_HOME/varnemo/notes, else $HOME/.local/share/varnemo/notes.
std::filesystem::path DefaultNotesDataDirectory();

// Gives the data directory what a Notes client installation has: notes.ini, the mail and
// personal address book templates, and the personal address book made from its template.
// Only missing files are created; an existing file is never replaced.
void ProvisionDataDirectory(const std::filesystem::path& directory);

}  // namespace varnemo::notes::local
