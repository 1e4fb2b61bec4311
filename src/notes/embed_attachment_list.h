#pragma once

#include "notes/notes.h"
#include "notes/target_view.h"
#include "notes/writer_steps.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace varnemo {

// The files to embed into a document's rich-text item "Attachment", in order. An empty path
// stands for a piece of the list that names no file: embedding it fails like any other.
using AttachmentFiles = std::vector<std::filesystem::path>;

// The files of an attachment list ("|path|path..."), the form in which the program's callers
// hand attachments to the writers; the list loses its first character. A list of blanks is no
// list at all; a lone "|" is a list without files.
std::optional<AttachmentFiles> TakeAttachmentList(std::string& MailAttachment);

// Creates the rich-text item "Attachment" of the document (even for no files) and embeds every
// file into it, deleting each file
// after its own embedding whether or not that succeeded. A path that names a directory is never
// deleted. The document may be missing (its creation failed); the files are deleted all the same.
void EmbedAttachmentFiles(notes::Document* document, const AttachmentFiles& files, TargetView& view,
                          WriterSteps& steps);

}  // namespace varnemo
