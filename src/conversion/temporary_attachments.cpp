#include "conversion/temporary_attachments.h"

#include "conversion/safe_file_name.h"
#include "shell/path_text.h"
#include "shell/shell.h"

#include <fmt/format.h>

#include <system_error>

namespace varnemo {

TemporaryAttachments::TemporaryAttachments(std::filesystem::path tempFolder) : tempFolder_(std::move(tempFolder)) {}

TemporaryAttachments::~TemporaryAttachments()
{
    for (const auto& folder : folders_) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
}

std::filesystem::path TemporaryAttachments::NewFolder()
{
    if (tempFolder_.empty())
        throw ComponentError("there is no temporary folder to save attachments in");
    try {
        folders_.push_back(CreateUniqueFolder(tempFolder_, "varnemo-attachment-"));
    } catch (const std::filesystem::filesystem_error& error) {
        throw ComponentError("cannot create a folder for an attachment in " + TextFromPath(tempFolder_) + ": " +
                             error.code().message());
    }
    return folders_.back();
}

SavedAttachments TemporaryAttachments::SaveAll(mapi::Item& item)
{
    SavedAttachments saved;
    std::unique_ptr<mapi::Attachments> attachments;
    long count = 0;
    try {
        attachments = item.GetAttachments();
        count = attachments->Count();
    } catch (const ComponentError& error) {
        saved.missing.push_back(std::string("its attachments could not be listed: ") + error.what());
        return saved;
    }
    for (long index = 1; index <= count; ++index) {
        try {
            saved.files.push_back(Save(*attachments, index, count));
        } catch (const ComponentError& error) {
            saved.missing.push_back(error.what());
        }
    }
    return saved;
}

std::filesystem::path TemporaryAttachments::Save(mapi::Attachments& attachments, long index, long count)
{
    std::string which = fmt::format("attachment {} of {}", index, count);
    std::filesystem::path path;
    try {
        const auto attachment = attachments.Item(index);
        const auto name = attachment->FileName();
        which += " \"" + name + "\"";
        path = NewFolder() / PathFromText(SafeFileName(name, index));
        attachment->SaveAsFile(path);
    } catch (const ComponentError& error) {
        // Whatever part of the file was written goes: a file cut short must not pass for the
        // attachment.
        std::error_code ignored;
        if (!path.empty())
            std::filesystem::remove(path, ignored);
        throw ComponentError(fmt::format("{} is left out: {}", which, error.what()));
    }
    return path;
}

}  // namespace varnemo
