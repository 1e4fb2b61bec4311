#pragma once

#include "com/collection.h"
#include "source/mapi.h"

namespace varnemo::mapi::com {

class ComAttachment : public mapi::Attachment {
public:
    explicit ComAttachment(varnemo::com::Object attachment) : attachment_(std::move(attachment)) {}
    std::string FileName() override { return attachment_.GetText("FileName"); }
    void SaveAsFile(const std::filesystem::path& path) override;

private:
    varnemo::com::Object attachment_;
};

class ComAttachments : public mapi::Attachments {
public:
    explicit ComAttachments(varnemo::com::Object attachments) : attachments_(std::move(attachments), "RDOAttachment") {}
    long Count() override { return attachments_.Count(); }
    std::unique_ptr<mapi::Attachment> Item(long index) override
    {
        return std::make_unique<ComAttachment>(attachments_.Item(index));
    }

private:
    varnemo::com::Collection attachments_;
};

}  // namespace varnemo::mapi::com
