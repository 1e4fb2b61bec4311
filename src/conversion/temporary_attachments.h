#pragma once

#include "common/continue_on_error.h"
#include "source/mapi.h"

#include <filesystem>
#include <string>
#include <vector>

namespace varnemo {

// Saves the attachments of one item to files in the temporary folder, each in a fresh
// sub-folder of its own so that two attachments of the same name never overwrite each other
// and the file keeps its own name. Every sub-folder it made is removed, with whatever is left
// in it, when the object goes away: a file that no writer took never stays behind.
class TemporaryAttachments {
public:
    explicit TemporaryAttachments(std::filesystem::path tempFolder);
    ~TemporaryAttachments();
    TemporaryAttachments(const TemporaryAttachments&) = delete;
    TemporaryAttachments& operator=(const TemporaryAttachments&) = delete;

    // Returns the attachment list: "|" and the full path of each saved file, in attachment
    // order. An attachment that cannot be saved keeps its path in the list; its failure is
    // added to failures.
    std::string SaveAll(mapi::Item& item, ContinueOnError& failures);

private:
    std::filesystem::path NewFolder();

    std::filesystem::path tempFolder_;
    std::vector<std::filesystem::path> folders_;
};

}  // namespace varnemo
