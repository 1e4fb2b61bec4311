#include "source/pff/eml_writer.h"

#include "common/errors.h"
#include "source/pff/gmime_library.h"
#include "source/pff/item_body.h"
#include "source/pff/pff_attachment.h"
#include "source/pff/pff_item.h"
#include "source/pff/property_tags.h"

#include <fmt/format.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sstream>

namespace varnemo::mapi::pff {
namespace {

struct GObjectUnref {
    void operator()(void* object) const { GMime().g_object_unref(object); }
};
template <class T>
using GPtr = std::unique_ptr<T, GObjectUnref>;

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

void AddRecipients(GMimeMessage* message, const std::vector<Recipient>& recipients)
{
    for (const auto& recipient : recipients) {
        const auto type = recipient.kind == Recipient::Kind::Cc    ? GMIME_ADDRESS_TYPE_CC
                          : recipient.kind == Recipient::Kind::Bcc ? GMIME_ADDRESS_TYPE_BCC
                                                                   : GMIME_ADDRESS_TYPE_TO;
        GMime().g_mime_message_add_mailbox(message, type, recipient.name.c_str(), recipient.address.c_str());
    }
}

// Without a recipient table only the display names of "Name1; Name2" remain.
void AddRecipientNames(GMimeMessage* message, GMimeAddressType type, const std::string& names)
{
    std::istringstream list(names);
    for (std::string name; std::getline(list, name, ';');) {
        name = Trimmed(name);
        if (!name.empty())
            GMime().g_mime_message_add_mailbox(message, type, name.c_str(), "");
    }
}

std::string SenderAddress(const PropertyBag& properties)
{
    if (auto smtp = properties.Text(PropertyKey::Tag(tag::SenderSmtpAddress)); smtp && !smtp->empty())
        return *smtp;
    if (properties.Text(PropertyKey::Tag(tag::SenderAddressType)).value_or("") == "SMTP")
        return properties.Text(PropertyKey::Tag(tag::SenderEmailAddress)).value_or("");
    return {};
}

// The identifier is stored with its angle brackets, which GMime adds itself.
void SetMessageId(GMimeMessage* message, const PropertyBag& properties)
{
    const auto id = properties.Text(PropertyKey::Tag(tag::InternetMessageId));
    if (!id || id->empty())
        return;
    if (char* bare = GMime().g_mime_utils_decode_message_id(id->c_str())) {
        GMime().g_mime_message_set_message_id(message, bare);
        GMime().g_free(bare);
    }
}

void SetHeaders(GMimeMessage* message, PffItem& item, const std::string& fallbackSubject)
{
    auto subject = item.Subject();
    if (subject.empty())
        subject = fallbackSubject;
    GMime().g_mime_message_set_subject(message, subject.c_str(), "utf-8");

    const auto sender = item.Text(TextField::SenderName);
    const auto address = SenderAddress(item.properties());
    if (!sender.empty() || !address.empty())
        GMime().g_mime_message_add_mailbox(message, GMIME_ADDRESS_TYPE_FROM, sender.c_str(), address.c_str());
    if (const auto recipients = item.Recipients(); !recipients.empty()) {
        AddRecipients(message, recipients);
    } else {
        AddRecipientNames(message, GMIME_ADDRESS_TYPE_TO, item.Text(TextField::To));
        AddRecipientNames(message, GMIME_ADDRESS_TYPE_CC, item.Text(TextField::CC));
    }

    if (const auto instant = item.MessageInstant()) {
        GDateTime* date = GMime().g_date_time_new_from_unix_local(*instant);
        if (date) {
            GMime().g_mime_message_set_date(message, date);
            GMime().g_date_time_unref(date);
        }
    }
    SetMessageId(message, item.properties());
}

void SetSevenBitEncodingIfItFits(GMimePart* part)
{
    GMime().g_mime_part_set_content_encoding(
        part, GMime().g_mime_part_get_best_content_encoding(part, GMIME_ENCODING_CONSTRAINT_7BIT));
}

GMimeObject* TextPart(const std::string& body)
{
    GMimeTextPart* text = GMime().g_mime_text_part_new_with_subtype("plain");
    GMime().g_mime_text_part_set_text(text, body.c_str());
    GMimePart* part = GMIME_PART(text);
    SetSevenBitEncodingIfItFits(part);
    return GMIME_OBJECT(text);
}

GMimeObject* HtmlPart(const HtmlBody& body)
{
    GPtr<GMimeStream> stream(GMime().g_mime_stream_mem_new_with_buffer(body.html.data(), body.html.size()));
    GPtr<GMimeDataWrapper> content(
        GMime().g_mime_data_wrapper_new_with_stream(stream.get(), GMIME_CONTENT_ENCODING_DEFAULT));
    GMimePart* part = GMime().g_mime_part_new_with_type("text", "html");
    GMime().g_mime_part_set_content(part, content.get());
    if (!body.charset.empty())
        GMime().g_mime_object_set_content_type_parameter(GMIME_OBJECT(part), "charset",
                                                         GMime().g_mime_charset_canon_name(body.charset.c_str()));
    SetSevenBitEncodingIfItFits(part);
    return GMIME_OBJECT(part);
}

// The plain-text body, and beside it the HTML body when the item has one.
GMimeObject* BodyPart(PffItem& item)
{
    GPtr<GMimeObject> text(TextPart(item.Text(TextField::Body)));
    const auto html = HtmlBodyOf(item.properties());
    if (!html)
        return text.release();
    GPtr<GMimeObject> htmlPart(HtmlPart(*html));
    GMimeMultipart* alternative = GMime().g_mime_multipart_new_with_subtype("alternative");
    GMime().g_mime_multipart_add(alternative, text.get());
    GMime().g_mime_multipart_add(alternative, htmlPart.get());
    return GMIME_OBJECT(alternative);
}

GMimeMessage* BuildMessage(PffItem& item, const std::string& fallbackSubject);

// The bytes go to an anonymous temporary file rather than memory: attachments can be large.
GMimeObject* FilePart(const PffAttachment& attachment)
{
    FILE* spool = std::tmpfile();
    if (!spool)
        throw ComponentError(fmt::format("cannot spool {}: {}", attachment.properties().where(), std::strerror(errno)));
    GPtr<GMimeStream> stream(GMime().g_mime_stream_file_new(spool));
    attachment.ReadData([&](std::string_view bytes) {
        if (GMime().g_mime_stream_write(stream.get(), bytes.data(), bytes.size()) < 0)
            throw ComponentError(fmt::format("cannot spool {}", attachment.properties().where()));
    });
    GMime().g_mime_stream_reset(stream.get());

    const auto type = attachment.MimeType();
    const auto slash = type.find('/');
    GMimePart* part = GMime().g_mime_part_new_with_type(type.substr(0, slash).c_str(), type.substr(slash + 1).c_str());
    GPtr<GMimeDataWrapper> content(
        GMime().g_mime_data_wrapper_new_with_stream(stream.get(), GMIME_CONTENT_ENCODING_DEFAULT));
    GMime().g_mime_part_set_content(part, content.get());
    GMime().g_mime_part_set_content_encoding(part, GMIME_CONTENT_ENCODING_BASE64);
    const auto name = attachment.StoredFileName();
    if (!name.empty())
        GMime().g_mime_part_set_filename(part, name.c_str());
    return GMIME_OBJECT(part);
}

// A link that the data file holds no copy of points to its file instead: a message/external-body
// part (RFC 2046), an address by the URL access type (RFC 2017), a path as a local file.
GMimeObject* LinkPart(const PffAttachment& attachment)
{
    const auto& target = *attachment.LinkTarget();
    const bool address = target.find("://") != std::string::npos;
    GMimePart* part = GMime().g_mime_part_new_with_type("message", "external-body");
    // The file name goes first: it sets the type's "name", which a local file's path then replaces.
    const auto name = attachment.StoredFileName();
    if (!name.empty())
        GMime().g_mime_part_set_filename(part, name.c_str());
    GMime().g_mime_object_set_content_type_parameter(GMIME_OBJECT(part), "access-type", address ? "URL" : "local-file");
    if (!target.empty())
        GMime().g_mime_object_set_content_type_parameter(GMIME_OBJECT(part), address ? "URL" : "name", target.c_str());
    // The part's body is the header of the file it stands for.
    const auto header = fmt::format("Content-Type: {}\n", attachment.MimeType());
    GPtr<GMimeStream> stream(GMime().g_mime_stream_mem_new_with_buffer(header.data(), header.size()));
    GPtr<GMimeDataWrapper> content(
        GMime().g_mime_data_wrapper_new_with_stream(stream.get(), GMIME_CONTENT_ENCODING_DEFAULT));
    GMime().g_mime_part_set_content(part, content.get());
    return GMIME_OBJECT(part);
}

GMimeObject* EmbeddedPart(const PffAttachment& attachment)
{
    GPtr<GMimeMessage> embedded(BuildMessage(*attachment.EmbeddedItem(), attachment.StoredFileName()));
    GMimeObject* part = GMIME_OBJECT(GMime().g_mime_message_part_new_with_message("rfc822", embedded.get()));
    GMime().g_mime_object_set_disposition(part, GMIME_DISPOSITION_ATTACHMENT);
    return part;
}

GMimeObject* Content(PffItem& item)
{
    GPtr<GMimeObject> body(BodyPart(item));
    const auto attachments = item.Attachments();
    if (attachments->Count() == 0)
        return body.release();
    GMimeMultipart* mixed = GMime().g_mime_multipart_new_with_subtype("mixed");
    GMime().g_mime_multipart_add(mixed, body.get());
    for (long index = 1; index <= attachments->Count(); ++index) {
        const auto attachment = attachments->Attachment(index);
        GPtr<GMimeObject> part(attachment->IsEmbeddedItem() ? EmbeddedPart(*attachment)
                               : attachment->LinkTarget()  ? LinkPart(*attachment)
                                                           : FilePart(*attachment));
        GMime().g_mime_multipart_add(mixed, part.get());
    }
    return GMIME_OBJECT(mixed);
}

GMimeMessage* BuildMessage(PffItem& item, const std::string& fallbackSubject)
{
    GPtr<GMimeMessage> message(GMime().g_mime_message_new(TRUE));
    SetHeaders(message.get(), item, fallbackSubject);
    GPtr<GMimeObject> content(Content(item));
    GMime().g_mime_message_set_mime_part(message.get(), content.get());
    return message.release();
}

}  // namespace

void WriteMessageFile(PffItem& item, const std::string& fallbackSubject, const std::filesystem::path& path)
{
    GPtr<GMimeMessage> message(BuildMessage(item, fallbackSubject));

    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        throw ComponentError(fmt::format("cannot save {} as {}: {}", item.properties().where(), path.string(),
                                         std::strerror(errno)));
    GPtr<GMimeStream> stream(GMime().g_mime_stream_file_new(file));
    const bool written =
        GMime().g_mime_object_write_to_stream(GMIME_OBJECT(message.get()), nullptr, stream.get()) >= 0 &&
        GMime().g_mime_stream_flush(stream.get()) == 0;
    if (!written)
        throw ComponentError(fmt::format("cannot save {} as {}: writing failed", item.properties().where(),
                                         path.string()));
}

}  // namespace varnemo::mapi::pff
