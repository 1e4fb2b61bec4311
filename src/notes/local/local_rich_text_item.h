#pragma once

#include "notes/notes.h"

#include <memory>
#include <string>

namespace varnemo::notes::local {

class DocumentWriter;

class LocalRichTextItem : public RichTextItem {
public:
    LocalRichTextItem(std::shared_ptr<DocumentWriter> document, std::string name);

    // Only file attachments (EMBED_ATTACHMENT) are served; objectClass and name do not apply to
    // them, the attachment is named after the file.
    void EmbedObject(int type, const std::string& objectClass, const std::string& source,
                     const std::string& name) override;

private:
    std::shared_ptr<DocumentWriter> document_;
    std::string name_;
};

}  // namespace varnemo::notes::local
