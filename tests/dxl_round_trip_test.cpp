// A database with every kind of item, hostile text and attachments, exported as DXL and
// imported into an empty database: everything comes back, and the file is well-formed XML.
#include "dxl_test_support.h"
#include "pff_fixtures.h"

namespace varnemo::notes::dxl::testing {
namespace {

using local::testing::BinaryContent;
using local::testing::ComponentErrorOf;
using local::testing::Mentions;
using local::testing::ReadFile;
using local::testing::WriteFile;

// Text that XML cannot carry as it is, next to text it can: control characters, the
// non-characters U+FFFE and U+FFFF, unpaired surrogates from both ends of the range (U+DC80
// is also the code of the first escaped byte), bytes that are no UTF-8, a cut-off sequence,
// an overlong form, markup characters, and line ends of every kind.
const std::string kHostileText = std::string("nul\x00" "bell\x07" "esc\x1B" "del\x7F", 17) +
                                 "\xEF\xBF\xBE\xEF\xBF\xBF|\xED\xA0\x80|\xED\xB2\x80|\xED\xBF\xBF|\xFF\xFE|\xC3|"
                                 "\xE2\x82|\xC0\xAF|<a href=\"x\">&amp;]]></a>|cr\rlf\ncrlf\r\n\ttab|"
                                 "\xF0\x9F\x98\x80 caf\xC3\xA9";

class DxlRoundTrip : public local::testing::LocalNotesTest {
protected:
    std::filesystem::path originalPath = DataPath("original.nsf");
    std::unique_ptr<Database> original = NewMailDatabase("original.nsf");
    std::filesystem::path dxlPath = temp.path() / "export.dxl";

    std::string Attachment(const std::string& name, const std::string& content)
    {
        const auto directory = temp.path() / "files" / std::to_string(fileCount_++);
        std::filesystem::create_directories(directory);
        WriteFile(directory / name, content);
        return (directory / name).string();
    }

    // Exports the original and imports the file into a fresh database made from mail.ntf.
    std::filesystem::path RoundTrip()
    {
        ExportToFile(originalPath, dxlPath);
        NewMailDatabase("copy.nsf");
        ImportDatabase(dxlPath, DataPath("copy.nsf"));
        return DataPath("copy.nsf");
    }

private:
    int fileCount_ = 0;
};

TEST_F(DxlRoundTrip, EveryItemTypeAndHostileTextComeBackExactly)
{
    ::varnemo::testing::TimeZone zone(::varnemo::testing::Pacific);
    auto document = original->CreateDocument();
    document->ReplaceItemValue("Form", std::string("Memo"));
    document->ReplaceItemValue("Subject", kHostileText);
    document->ReplaceItemValue("Empty", std::string());
    document->ReplaceItemValue("Blanks", std::string("  \t "));
    document->ReplaceItemValue("SendTo", std::vector<std::string>{"Ann", "", "  ", "tab\there", "two\nlines",
                                                                   std::string("ctl\x01\x1F", 5)});
    document->ReplaceItemValue("NoOne", std::vector<std::string>{});
    document->ReplaceItemValue("Summer", DateTime::Full(2026, 7, 2, 9, 30, 0).WithUtcOffset(-7 * 60));
    document->ReplaceItemValue("Winter", DateTime::Full(2026, 1, 2, 23, 59, 59).WithUtcOffset(-8 * 60));
    document->ReplaceItemValue("Elsewhere", DateTime::Full(2026, 1, 2, 23, 59, 59).WithUtcOffset(5 * 60 + 45));
    document->ReplaceItemValue("DayOnly", DateTime::DateOnly(1999, 12, 31));
    document->ReplaceItemValue("TimeOnly", DateTime::TimeOnly(0, 0, 1));
    document->ReplaceItemValue("NoDate", DateTime());
    document->ReplaceItemValue("Occurrences", std::vector<DateTime>{DateTime::Full(2026, 3, 7, 9, 0, 0).WithUtcOffset(-8 * 60),
                                                                  DateTime::Full(2026, 3, 14, 9, 0, 0).WithUtcOffset(-7 * 60)});
    document->ReplaceItemValue("NoOccurrences", std::vector<DateTime>{});
    document->CreateRichTextItem("Body");
    document->Save(0, 0);
    document->PutInFolder("Outlook\\Inbox");
    document->PutInFolder("($Inbox)");
    original->EnableFolder("Outlook\\Empty\\Deep");

    const auto copy = RoundTrip();
    EXPECT_TRUE(WellFormed(dxlPath));
    ExpectSameDocuments(originalPath, copy);
    ExpectFoldersKept(originalPath, copy);
}

// Values stored without an offset from UTC, as earlier versions stored every time, take the
// local zone's offset at their wall clock; values with one keep it.
TEST_F(DxlRoundTrip, DateTimesAreWrittenInDxlForm)
{
    ::varnemo::testing::TimeZone zone(::varnemo::testing::Pacific);
    auto document = original->CreateDocument();
    document->ReplaceItemValue("Summer", DateTime::Full(2026, 7, 2, 9, 30, 5));
    document->ReplaceItemValue("Winter", DateTime::Full(2026, 1, 2, 23, 59, 59));
    document->ReplaceItemValue("Berlin", DateTime::Full(2024, 10, 27, 2, 30, 0).WithUtcOffset(60));
    document->ReplaceItemValue("DayOnly", DateTime::DateOnly(1999, 12, 31));
    document->ReplaceItemValue("TimeOnly", DateTime::TimeOnly(7, 8, 9));
    document->ReplaceItemValue("Occurrences", std::vector<DateTime>{DateTime::Full(2026, 3, 7, 9, 0, 0).WithUtcOffset(-8 * 60),
                                                                  DateTime::Full(2026, 3, 14, 9, 0, 0).WithUtcOffset(-7 * 60)});
    document->Save(0, 0);

    ExportToFile(originalPath, dxlPath);
    const std::string dxl = ReadFile(dxlPath);
    EXPECT_TRUE(Mentions(dxl, "<item name=\"Summer\"><datetime dst=\"true\">20260702T093005,00-07</datetime>"));
    EXPECT_TRUE(Mentions(dxl, "<item name=\"Winter\"><datetime>20260102T235959,00-08</datetime>"));
    EXPECT_TRUE(Mentions(dxl, "<item name=\"Berlin\"><datetime>20241027T023000,00+01</datetime>"));
    EXPECT_TRUE(Mentions(dxl, "<item name=\"DayOnly\"><datetime>19991231</datetime>"));
    EXPECT_TRUE(Mentions(dxl, "<item name=\"TimeOnly\"><datetime>T070809,00</datetime>"));
    EXPECT_TRUE(Mentions(dxl, "<item name=\"Occurrences\"><datetimelist><datetime>20260307T090000,00-08</datetime>"
                              "<datetime>20260314T090000,00-07</datetime></datetimelist>"));

    // Imported, the old values are the instants the export made of them.
    const auto items = local::testing::ReadDocuments(RoundTrip()).at(0).items;
    ASSERT_EQ(items.size(), 6u);
    EXPECT_TRUE(items[0].value == ItemValue(DateTime::Full(2026, 7, 2, 9, 30, 5).WithUtcOffset(-7 * 60)));
    EXPECT_TRUE(items[1].value == ItemValue(DateTime::Full(2026, 1, 2, 23, 59, 59).WithUtcOffset(-8 * 60)));
    EXPECT_TRUE(items[2].value == ItemValue(DateTime::Full(2024, 10, 27, 2, 30, 0).WithUtcOffset(60)));
}

TEST_F(DxlRoundTrip, HostileTextIsWrittenAsNonXmlCharsAndLineBreaks)
{
    auto document = original->CreateDocument();
    document->ReplaceItemValue("Subject", std::string("a\x01" "b\n\xED\xA0\x80\xFF", 8));
    document->Save(0, 0);

    ExportToFile(originalPath, dxlPath);
    EXPECT_TRUE(WellFormed(dxlPath));
    EXPECT_TRUE(Mentions(ReadFile(dxlPath), "<text>a<nonxmlchar value=\"1\"/>b<break/><nonxmlchar value=\"D800\"/>"
                                            "<nonxmlchar value=\"DCFF\"/></text>"));
}

TEST_F(DxlRoundTrip, AttachmentsKeepTheirItemsNamesAndBytes)
{
    auto document = original->CreateDocument();
    document->ReplaceItemValue("Subject", std::string("files"));
    auto attachments = document->CreateRichTextItem("Attachment");
    // Larger than the encoder's piece and not a multiple of three; NUL bytes included.
    attachments->EmbedObject(EMBED_ATTACHMENT, "", Attachment("report.pdf", BinaryContent(200 * 1024 + 1, 3)), "");
    attachments->EmbedObject(EMBED_ATTACHMENT, "", Attachment("report.pdf", BinaryContent(5, 4)), "");
    attachments->EmbedObject(EMBED_ATTACHMENT, "", Attachment("empty.txt", ""), "");
    document->CreateRichTextItem("Body")->EmbedObject(EMBED_ATTACHMENT, "",
                                                      Attachment("Grüße & <more>.txt", "hello"), "");
    document->Save(0, 0);
    auto plain = original->CreateDocument();
    plain->ReplaceItemValue("Subject", std::string("no files"));
    plain->Save(0, 0);

    const auto copy = RoundTrip();
    EXPECT_TRUE(WellFormed(dxlPath));
    ExpectSameDocuments(originalPath, copy);
    const auto documents = local::testing::ReadDocuments(copy);
    ASSERT_EQ(documents.at(0).attachments.size(), 4u);
    EXPECT_EQ(documents[0].attachments[1].objectName, "report-2.pdf");
    EXPECT_EQ(documents[0].attachments[1].fileName, "report.pdf");
    const std::string dxl = ReadFile(dxlPath);
    EXPECT_TRUE(Mentions(dxl, "<attachmentref name=\"report-2.pdf\" displayname=\"report.pdf\"/>"));
    EXPECT_TRUE(Mentions(dxl, "<item name=\"$FILE\"><object><file hosttype=\"msdos\" name=\"report-2.pdf\">"));
}

TEST_F(DxlRoundTrip, TheCommandLineWritesAndReadsTheSameFiles)
{
    auto document = original->CreateDocument();
    document->ReplaceItemValue("Subject", kHostileText);
    document->CreateRichTextItem("Body")->EmbedObject(EMBED_ATTACHMENT, "", Attachment("a.bin", BinaryContent(999, 5)), "");
    document->Save(0, 0);
    document->PutInFolder("Outlook\\Sent");
    NewMailDatabase("copy.nsf");

    ASSERT_EQ(RunCommand({VARNEMO_CLI, "export-dxl", originalPath.string(), "-o", dxlPath.string()}), 0);
    EXPECT_TRUE(WellFormed(dxlPath));
    const auto toStdout = temp.path() / "stdout.dxl";
    ASSERT_EQ(std::system(fmt::format("'{}' export-dxl '{}' > '{}'", VARNEMO_CLI, originalPath.string(),
                                      toStdout.string()).c_str()), 0);
    EXPECT_EQ(ReadFile(toStdout), ReadFile(dxlPath));
    ASSERT_EQ(RunCommand({VARNEMO_CLI, "import-dxl", dxlPath.string(), DataPath("copy.nsf").string()}), 0);
    ExpectSameDocuments(originalPath, DataPath("copy.nsf"));
}

class DxlFailures : public DxlRoundTrip {};

TEST_F(DxlFailures, ANameXmlCannotCarryStopsTheExportNamingDocumentAndItem)
{
    auto document = original->CreateDocument();
    document->ReplaceItemValue("Bad\x01Name", std::string("x"));
    document->Save(0, 0);
    const std::string unid = local::testing::ReadDocuments(originalPath).at(0).unid;

    std::ostringstream out;
    const std::string message = ComponentErrorOf([&] { ExportDatabase(originalPath, out); });
    EXPECT_TRUE(Mentions(message, unid));
    EXPECT_TRUE(Mentions(message, "item Bad"));
    EXPECT_TRUE(Mentions(message, originalPath.string()));

    EXPECT_NE(RunCommand({VARNEMO_CLI, "export-dxl", originalPath.string(), "-o", dxlPath.string()}), 0);
    EXPECT_FALSE(std::filesystem::exists(dxlPath)) << "a failed export left a file behind";
    EXPECT_FALSE(std::filesystem::exists(dxlPath.string() + ".partial"));
}

TEST_F(DxlFailures, ImportingADocumentTwiceIsRefusedWithItsUnid)
{
    auto document = original->CreateDocument();
    document->ReplaceItemValue("Subject", std::string("once"));
    document->Save(0, 0);
    const auto copy = RoundTrip();

    const std::string message = ComponentErrorOf([&] { ImportDatabase(dxlPath, copy); });
    EXPECT_TRUE(Mentions(message, local::testing::ReadDocuments(originalPath).at(0).unid));
    EXPECT_TRUE(Mentions(message, "already has a document"));
    EXPECT_TRUE(Mentions(message, dxlPath.string()));
    EXPECT_EQ(local::testing::ReadDocuments(copy).size(), 1u);
}

TEST_F(DxlFailures, BrokenFilesAreRefusedWithFileAndLine)
{
    NewMailDatabase("copy.nsf");
    const auto copy = DataPath("copy.nsf");
    const std::string head = "<?xml version='1.0'?>\n<database xmlns='http://www.lotus.com/dxl'>\n";
    const std::string noteinfo = "<noteinfo unid='0123456789ABCDEF0123456789ABCDEF'/>";
    const std::pair<std::string, std::string> cases[] = {
        {head + "<document>" + noteinfo + "<item name='A'><text>cut", "line 3"},
        {head + "<document>" + noteinfo + "<item name='A'><number>1</number></item></document></database>",
         "<number>"},
        {head + "<document>" + noteinfo + "<item name='A'><text><nonxmlchar value='zz'/></text></item>"
                "</document></database>",
         "zz"},
        {head + "<document>" + noteinfo + "<item name='$FILE'><object><file name='x.bin'><filedata>AAAA</filedata>"
                "</file></object></item></document></database>",
         "no rich-text item refers to the attachment x.bin"},
        {head + "<document><item name='A'><text>x</text></item></document></database>", "no <noteinfo>"},
        {"<notdxl/>", "not <database>"},
    };
    for (const auto& [content, expected] : cases) {
        WriteFile(dxlPath, content);
        const std::string message = ComponentErrorOf([&] { ImportDatabase(dxlPath, copy); });
        EXPECT_TRUE(Mentions(message, expected)) << content;
        EXPECT_TRUE(Mentions(message, dxlPath.string())) << content;
    }
    EXPECT_TRUE(local::testing::ReadDocuments(copy).empty());
}

}  // namespace
}  // namespace varnemo::notes::dxl::testing
