#include "notes/embed_attachment_list.h"

#include "common/text.h"
#include "shell/path_text.h"

#include <system_error>

namespace varnemo {
namespace {

// Deletes the temporary file; a directory, or nothing at all, is left alone.
void DeleteTemporaryFile(const std::filesystem::path& file)
{
    if (file.empty())
        return;
    std::error_code error;
    const auto status = std::filesystem::symlink_status(file, error);
    if (error || !std::filesystem::exists(status) || std::filesystem::is_directory(status))
        return;
    if (!std::filesystem::remove(file, error) && error)
        throw ComponentError("cannot delete the temporary attachment file " + TextFromPath(file) + ": " +
                             error.message());
}

}  // namespace

std::optional<AttachmentFiles> TakeAttachmentList(std::string& MailAttachment)
{
    if (TrimBlanks(MailAttachment).empty())
        return std::nullopt;
    MailAttachment.erase(0, 1);
    AttachmentFiles files;
    for (const auto& piece : SplitKeepingEmpty(MailAttachment, '|'))
        files.push_back(PathFromText(piece));
    return files;
}

void EmbedAttachmentFiles(notes::Document* document, const AttachmentFiles& files, TargetView& view,
                          WriterSteps& steps)
{
    view.Yield();

    std::unique_ptr<notes::RichTextItem> richText;
    steps([&] {
        if (!document)
            throw ComponentError("no document to attach files to (an earlier step failed)");
        richText = document->CreateRichTextItem("Attachment");
    });
    for (const auto& file : files) {
        steps.SkipFailuresFromHere();
        steps([&] {
            Required(richText, "rich-text item").EmbedObject(notes::EMBED_ATTACHMENT, "", TextFromPath(file), "Attachment");
        });
        steps([&] { DeleteTemporaryFile(file); });
        view.Yield();
    }
}

}  // namespace varnemo
