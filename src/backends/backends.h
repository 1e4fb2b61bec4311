#pragma once

#include "notes/notes.h"
#include "source/mapi.h"

#include <filesystem>
#include <memory>
#include <string>

namespace varnemo {

struct BackendOptions {
    // Where the default profile's data files are (the "Outlook Files" folder under Documents).
    std::filesystem::path profileFolder;
    // The local Notes data directory (notes.ini, templates, names.nsf, relative databases).
    std::filesystem::path notesDataDirectory;

    // The per-user defaults.
    static BackendOptions Defaults();
};

// The two platform components the program talks to, chosen in this one place.
struct Backends {
    std::unique_ptr<mapi::Component> mapi;
    std::unique_ptr<notes::Component> notes;
    // Which backends serve them, for the user to see.
    std::string description;
};

Backends CreateBackends(const BackendOptions& options);

}  // namespace varnemo
