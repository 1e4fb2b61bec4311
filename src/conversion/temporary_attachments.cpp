#include "conversion/temporary_attachments.h"

#include "conversion/safe_file_name.h"
#include "shell/path_text.h"
#include "shell/shell.h"

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

std::string TemporaryAttachments::SaveAll(mapi::Item& item, ContinueOnError& failures)
{
    std::string list;
    std::unique_ptr<mapi::Attachments> attachments;
    long count = 0;
    failures([&] {
        attachments = item.GetAttachments();
        count = attachments->Count();
    });
    for (long index = 1; index <= count; ++index) {
        std::unique_ptr<mapi::Attachment> attachment;
        std::string name;
        failures([&] { attachment = attachments->Item(index); });
        failures([&] { name = Required(attachment, "attachment").FileName(); });
        failures([&] {
            const auto path = NewFolder() / PathFromText(SafeFileName(name, index));
            list += "|" + TextFromPath(path);
            Required(attachment, "attachment").SaveAsFile(path);
        });
    }
    return list;
}

}  // namespace varnemo
