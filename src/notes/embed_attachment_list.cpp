#include "notes/embed_attachment_list.h"

#include "common/text.h"
#include "shell/path_text.h"

#include <filesystem>
#include <system_error>

namespace varnemo {
namespace {

// Deletes the temporary file at path; a directory, or nothing at all, is left alone.
void DeleteTemporaryFile(const std::string& path)
{
    if (path.empty())
        return;
    const auto file = PathFromText(path);
    std::error_code error;
    const auto status = std::filesystem::symlink_status(file, error);
    if (error || !std::filesystem::exists(status) || std::filesystem::is_directory(status))
        return;
    if (!std::filesystem::remove(file, error) && error)
        throw ComponentError("cannot delete the temporary attachment file " + path + ": " + error.message());
}

}  // namespace

void EmbedAttachmentList(notes::Document* document, std::string& MailAttachment, TargetView& view,
                         WriterSteps& steps)
{
    if (TrimBlanks(MailAttachment).empty())
        return;
    MailAttachment.erase(0, 1);
    const auto paths = SplitKeepingEmpty(MailAttachment, '|');
    view.Yield();

    std::unique_ptr<notes::RichTextItem> richText;
    steps([&] {
        if (!document)
            throw ComponentError("no document to attach files to (an earlier step failed)");
        richText = document->CreateRichTextItem("Attachment");
    });
    for (const auto& path : paths) {
        steps.SkipFailuresFromHere();
        steps([&] { Required(richText, "rich-text item").EmbedObject(notes::EMBED_ATTACHMENT, "", path, "Attachment"); });
        steps([&] { DeleteTemporaryFile(path); });
        view.Yield();
    }
}

}  // namespace varnemo
