#pragma once

#include "notes/embed_attachment_list.h"
#include "source/mapi.h"

#include <filesystem>
#include <string>
#include <vector>

namespace varnemo {

// The attachments of one item as they were saved for the writer.
struct SavedAttachments {
    // The files saved whole, in attachment order.
    AttachmentFiles files;
    // One text for each attachment that could not be saved whole: which one, and why. Such an
    // attachment has no file: a file cut short is never handed on under the attachment's name.
    std::vector<std::string> missing;
};

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

    SavedAttachments SaveAll(mapi::Item& item);

private:
    std::filesystem::path NewFolder();
    // Saves attachment index of count; returns its file, or throws ComponentError saying why not.
    std::filesystem::path Save(mapi::Attachments& attachments, long index, long count);

    std::filesystem::path tempFolder_;
    std::vector<std::filesystem::path> folders_;
};

}  // namespace varnemo
