#include "pff_fixtures.h"

#include "source/pff/html_text.h"
#include "source/pff/item_body.h"
#include "source/pff/pff_file.h"
#include "source/pff/property_bag.h"
#include "source/pff/rtf_text.h"

namespace varnemo::testing {
namespace {

using namespace mapi::pff;

TEST(HtmlText, BlocksBreaksAndWhiteSpace)
{
    const std::string html =
        "<html><head><title>hidden</title><style>p {color: red}</style></head>"
        "<body><p>First   line\n of text</p><div>Second<br>Third&nbsp;&amp; more</div>"
        "<script>var hidden = 1;</script><table><tr><td>a</td><td>b</td></tr></table></body></html>";
    EXPECT_EQ(PlainTextOfHtml(html, "UTF-8"), "First line of text\nSecond\nThird & more\na b");
}

TEST(HtmlText, CharsetGivenOrDeclared)
{
    EXPECT_EQ(PlainTextOfHtml("<p>caf\xE9 \x80</p>", "CP1252"), "caf\u00E9 \u20AC");
    EXPECT_EQ(PlainTextOfHtml("<html><head><meta charset=\"windows-1252\"></head><body>caf\xE9</body></html>", ""),
              "caf\u00E9");
    EXPECT_EQ(PlainTextOfHtml("", "UTF-8"), "");
}

TEST(RtfText, ControlWordsGoTextStays)
{
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red0\\green0\\blue0;}"
        "{\\*\\generator Riched20;}\\pard\\f0\\fs20 Hello \\b bold\\b0\\par W\\'e9lt \\u8364?\\tab x\\~y "
        "\\{braces\\}{\\pict\\wmetafile8 0102ABCD}\\par}";
    EXPECT_EQ(PlainTextOfRtf(rtf, "CP1252"), "Hello bold\nW\u00E9lt \u20AC\tx y {braces}");
}

TEST(RtfText, WrappedHtmlIsUnwrapped)
{
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\fromhtml1 \\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
        "{\\*\\htmltag19 <html>}{\\*\\htmltag34 <head>}{\\*\\htmltag41 <title>T</title>}{\\*\\htmltag42 </head>}"
        "{\\*\\htmltag50 <body>}{\\*\\htmltag64 <p>}\\htmlrtf {\\b RTF only}\\htmlrtf0 Hello"
        "{\\*\\htmltag84 &nbsp;}\\htmlrtf \\'a0\\htmlrtf0 w\\'f6rld{\\*\\htmltag72 </p>}"
        "{\\*\\htmltag64 <p>}Second{\\*\\htmltag72 </p>}{\\*\\htmltag58 </body>}{\\*\\htmltag27 </html>}}";
    EXPECT_EQ(PlainTextOfRtf(rtf, "CP1252"), "Hello w\u00F6rld\nSecond");
}

TEST(RtfText, DamagedRtfGivesWhatItCan)
{
    EXPECT_EQ(PlainTextOfRtf("{\\rtf1 unterminated \\'4", "CP1252"), "unterminated");
    EXPECT_EQ(PlainTextOfRtf("}}}{\\u", "CP1252"), "");
    EXPECT_EQ(PlainTextOfRtf("", "CP1252"), "");
}

// The bodies of the sample items in the forms other than plain text, through both readers.
TEST(BodyText, HtmlAndCompressedRtfBodiesOfRealItems)
{
    TempDir dir;
    const auto samplePath = CopyFixture("sample1.pst", dir.path());
    const auto distListPath = CopyFixture("dist-list.pst", dir.path());
    for (const auto reader : {FileReader::Direct, FileReader::Libpff}) {
        const auto message = PffFile::Open(samplePath, reader)->Node(0x200024);
        ASSERT_TRUE(message);
        const auto messageProperties = message->Properties("sample message");
        EXPECT_EQ(BodyTextFromHtml(messageProperties).rfind("With a sample attachment. It\u2019s my daughter", 0), 0u)
            << BodyTextFromHtml(messageProperties);
        EXPECT_EQ(BodyTextFromRtf(*message, messageProperties), "");

        const auto appointment = PffFile::Open(distListPath, reader)->Node(0x2000C4);
        ASSERT_TRUE(appointment);
        const auto appointmentProperties = appointment->Properties("appointment");
        EXPECT_EQ(BodyTextFromRtf(*appointment, appointmentProperties).rfind("This is a complete test", 0), 0u)
            << BodyTextFromRtf(*appointment, appointmentProperties);
    }
}

}  // namespace
}  // namespace varnemo::testing
