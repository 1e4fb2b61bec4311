#pragma once

#include "notes/notes.h"
#include "notes/target_view.h"
#include "notes/writer_steps.h"

#include <string>

namespace varnemo {

// Embeds every file of the attachment list ("|path|path...") into the rich-text item
// "Attachment" of the document, deleting each file after its own embedding whether or not
// that succeeded. The list loses its first character. A piece that names a directory is never
// deleted. The document may be missing (its creation failed); the files are deleted all the same.
void EmbedAttachmentList(notes::Document* document, std::string& MailAttachment, TargetView& view,
                         WriterSteps& steps);

}  // namespace varnemo
