#include "pff_fixtures.h"

#include "common/errors.h"
#include "source/pff/eml_writer.h"
#include "source/pff/pff_item.h"

#include <fmt/format.h>
#include <glib.h>

#include <algorithm>

namespace varnemo::testing {
namespace {

constexpr size_t JpegSize = 93142;

std::unique_ptr<mapi::Item> SampleMessage(FixtureStore& sample)
{
    return SubFolder(*sample.store->TopFolder(), "Sample1")->GetItems()->Item(1);
}

// The headers and the rest of a message file, whichever line ends it uses.
std::pair<std::string, std::string> SplitMessage(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    const auto end = text.find("\n\n");
    if (end == std::string::npos)
        return {text, {}};
    return {"\n" + text.substr(0, end + 1), text.substr(end + 2)};
}

std::string Base64(std::string_view bytes)
{
    gchar* encoded = g_base64_encode(reinterpret_cast<const guchar*>(bytes.data()), bytes.size());
    std::string text(encoded);
    g_free(encoded);
    return text;
}

TEST(PffAttachment, FileAttachmentIsSavedByteForByte)
{
    FixtureStore sample("sample1.pst");
    auto attachments = SampleMessage(sample)->GetAttachments();
    ASSERT_EQ(attachments->Count(), 1);
    auto jpeg = attachments->Item(1);
    EXPECT_EQ(jpeg->FileName(), "leah_thumper.jpg");

    const auto saved = sample.dir.path() / "saved.jpg";
    WriteFile(saved, std::string(JpegSize + 5000, 'x'));  // a longer file is replaced, not overwritten
    jpeg->SaveAsFile(saved);
    const auto bytes = ReadFile(saved);
    ASSERT_EQ(bytes.size(), JpegSize);
    EXPECT_EQ(bytes.substr(0, 3), "\xFF\xD8\xFF");
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\xFF\xD9");

    EXPECT_THROW(jpeg->SaveAsFile(sample.dir.path() / "no such folder" / "x.jpg"), ComponentError);
    EXPECT_THROW(attachments->Item(2), ComponentError);
}

TEST(PffAttachment, SavedBytesMatchWhatPffexportExtracts)
{
    if (std::system("command -v pffexport > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "pffexport (pff-tools) is not installed";
    FixtureStore sample("sample1.pst");
    const auto target = sample.dir.path() / "export";
    const auto command = fmt::format("pffexport -q -m items -t '{}' '{}' > /dev/null 2>&1", target.string(),
                                     sample.path.string());
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const auto exported = target.string() + ".export/Top of Outlook data file/Sample1/Message00001/Attachments/"
                                            "1_leah_thumper.jpg";
    ASSERT_TRUE(std::filesystem::exists(exported)) << exported;

    const auto saved = sample.dir.path() / "saved.jpg";
    SampleMessage(sample)->GetAttachments()->Item(1)->SaveAsFile(saved);
    EXPECT_TRUE(ReadFile(saved) == ReadFile(exported));
}

TEST(PffAttachment, OccurrencesKeptByARecurringSeriesAreNotItsAttachments)
{
    FixtureStore distList("dist-list.pst");
    auto appointment = SubFolder(*distList.store->TopFolder(), "Calendar")->GetItems()->Item(1);
    // The weekly series keeps its two changed occurrences as hidden embedded items marked as
    // exceptions; Outlook lists no attachment for it, and neither do we.
    auto attachments = appointment->GetAttachments();
    EXPECT_EQ(attachments->Count(), 0);
    EXPECT_THROW(attachments->Item(1), ComponentError);

    auto* item = dynamic_cast<mapi::pff::PffItem*>(appointment.get());
    ASSERT_NE(item, nullptr);
    const auto path = distList.dir.path() / "appointment.eml";
    mapi::pff::WriteMessageFile(*item, "", path);
    const auto [headers, body] = SplitMessage(ReadFile(path));
    EXPECT_NE(headers.find("\nSubject: Test appointment\n"), std::string::npos) << headers;
    EXPECT_EQ(headers.find("multipart/mixed"), std::string::npos) << "the occurrences went into the message file";
}

TEST(PffAttachment, MessageFileCarriesTheItemsOwnAttachments)
{
    FixtureStore sample("sample1.pst");
    auto message = SampleMessage(sample);
    auto* item = dynamic_cast<mapi::pff::PffItem*>(message.get());
    ASSERT_NE(item, nullptr);
    const auto path = sample.dir.path() / "message.eml";
    mapi::pff::WriteMessageFile(*item, "", path);
    const auto jpeg = sample.dir.path() / "saved.jpg";
    message->GetAttachments()->Item(1)->SaveAsFile(jpeg);

    auto [headers, body] = SplitMessage(ReadFile(path));
    EXPECT_NE(headers.find("\nSubject: Here is a sample message\n"), std::string::npos) << headers;
    EXPECT_NE(headers.find("\nFrom: Terry Mahaffey <terrymah@microsoft.com>\n"), std::string::npos) << headers;
    EXPECT_NE(headers.find("\nTo: Terry Mahaffey <terrymah@microsoft.com>\n"), std::string::npos) << headers;
    EXPECT_NE(headers.find("multipart/mixed"), std::string::npos) << headers;
    EXPECT_NE(body.find("filename=leah_thumper.jpg"), std::string::npos);
    body.erase(std::remove(body.begin(), body.end(), '\n'), body.end());
    EXPECT_NE(body.find(Base64(ReadFile(jpeg))), std::string::npos) << "the JPEG is not in the message intact";
}

}  // namespace
}  // namespace varnemo::testing
