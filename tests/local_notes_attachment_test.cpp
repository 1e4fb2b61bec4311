#include "local_notes_test_support.h"

#include <cstdlib>

namespace varnemo::notes::local::testing {
namespace {

class Attachments : public LocalNotesTest {
protected:
    std::filesystem::path mailPath = DataPath("mail.nsf");
    std::unique_ptr<Database> mail = NewMailDatabase();
    std::filesystem::path outlookTemp = temp.path() / "outlook";

    void SetUp() override { std::filesystem::create_directories(outlookTemp); }

    // Writes a file where the mailbox reader saves attachments and returns its path.
    std::string SavedAttachment(const std::string& relativePath, const std::string& content)
    {
        const auto path = outlookTemp / relativePath;
        std::filesystem::create_directories(path.parent_path());
        WriteFile(path, content);
        return path.string();
    }

    long long StagedCount() { return QueryNumber(mailPath, "SELECT count(*) FROM attachments WHERE document_id IS NULL"); }
};

TEST_F(Attachments, KeepTheFilesBytesAfterTheFileIsDeleted)
{
    // Larger than the copying piece and not a multiple of it, NUL bytes included.
    const std::string content = BinaryContent(3 * 1024 * 1024 + 17, 7);
    const std::string file = SavedAttachment("Q3 figures.xlsx", content);

    auto document = mail->CreateDocument();
    document->ReplaceItemValue("Subject", std::string("figures"));
    document->CreateRichTextItem("Body")->EmbedObject(EMBED_ATTACHMENT, "", file, "");
    std::filesystem::remove(file);  // as the writer does right after embedding
    document->Save(0, 0);

    const auto documents = ReadDocuments(mailPath);
    ASSERT_EQ(documents.size(), 1u);
    ASSERT_EQ(documents[0].attachments.size(), 1u);
    const auto& attachment = documents[0].attachments[0];
    EXPECT_EQ(attachment.itemName, "Body");
    EXPECT_EQ(attachment.fileName, "Q3 figures.xlsx");
    EXPECT_EQ(attachment.objectName, "Q3 figures.xlsx");
    EXPECT_EQ(attachment.size, static_cast<long long>(content.size()));
    EXPECT_TRUE(AttachmentBytes(mailPath, attachment) == content) << "the stored bytes differ";
}

TEST_F(Attachments, AnEmptyFileIsAnEmptyAttachment)
{
    auto document = mail->CreateDocument();
    document->CreateRichTextItem("Body")->EmbedObject(EMBED_ATTACHMENT, "", SavedAttachment("empty.txt", ""), "");
    document->Save(0, 0);

    const auto attachments = ReadDocuments(mailPath).at(0).attachments;
    ASSERT_EQ(attachments.size(), 1u);
    EXPECT_EQ(attachments[0].size, 0);
    EXPECT_EQ(AttachmentBytes(mailPath, attachments[0]), "");
}

TEST_F(Attachments, OfTheSameNameAreAllKeptUnderNamesOfTheirOwn)
{
    auto document = mail->CreateDocument();
    auto body = document->CreateRichTextItem("Body");
    body->EmbedObject(EMBED_ATTACHMENT, "", SavedAttachment("1/report.pdf", "first"), "");
    body->EmbedObject(EMBED_ATTACHMENT, "", SavedAttachment("2/REPORT.pdf", "second"), "");
    body->EmbedObject(EMBED_ATTACHMENT, "", SavedAttachment("3/report.pdf", "third"), "");
    document->Save(0, 0);

    const auto attachments = ReadDocuments(mailPath).at(0).attachments;
    ASSERT_EQ(attachments.size(), 3u);
    std::set<std::string> objectNames;
    for (const auto& attachment : attachments)
        objectNames.insert(attachment.objectName);
    EXPECT_EQ(objectNames.size(), 3u);
    EXPECT_EQ(attachments[0].objectName, "report.pdf");
    EXPECT_EQ(attachments[1].fileName, "REPORT.pdf");
    EXPECT_EQ(attachments[2].fileName, "report.pdf");
    EXPECT_EQ(AttachmentBytes(mailPath, attachments[0]), "first");
    EXPECT_EQ(AttachmentBytes(mailPath, attachments[1]), "second");
    EXPECT_EQ(AttachmentBytes(mailPath, attachments[2]), "third");
}

TEST_F(Attachments, BelongToTheItemThatEmbeddedThem)
{
    auto document = mail->CreateDocument();
    auto body = document->CreateRichTextItem("Body");
    auto notes = document->CreateRichTextItem("Notes");
    notes->EmbedObject(EMBED_ATTACHMENT, "", SavedAttachment("a.txt", "a"), "");
    body->EmbedObject(EMBED_ATTACHMENT, "", SavedAttachment("b.txt", "b"), "");
    document->Save(0, 0);

    const auto attachments = ReadDocuments(mailPath).at(0).attachments;
    ASSERT_EQ(attachments.size(), 2u);
    EXPECT_EQ(attachments[0].itemName, "Notes");
    EXPECT_EQ(attachments[1].itemName, "Body");
}

TEST_F(Attachments, AMissingFileOrADirectoryFailsNamingThePath)
{
    auto body = mail->CreateDocument()->CreateRichTextItem("Body");
    const std::string missing = (outlookTemp / "gone.doc").string();
    EXPECT_TRUE(Mentions(ComponentErrorOf([&] { body->EmbedObject(EMBED_ATTACHMENT, "", missing, ""); }), missing));
    EXPECT_TRUE(Mentions(ComponentErrorOf([&] { body->EmbedObject(EMBED_ATTACHMENT, "", outlookTemp.string(), ""); }),
                         outlookTemp.string()));
    EXPECT_EQ(StagedCount(), 0);
}

TEST_F(Attachments, OnlyFileAttachmentsCanBeEmbedded)
{
    auto body = mail->CreateDocument()->CreateRichTextItem("Body");
    const std::string file = SavedAttachment("chart.xls", "cells");
    EXPECT_TRUE(Mentions(ComponentErrorOf([&] { body->EmbedObject(1453, "Excel.Sheet", file, "Chart"); }), "1453"));
    EXPECT_EQ(StagedCount(), 0);
}

TEST_F(Attachments, OfAnAbandonedDocumentAreDiscarded)
{
    {
        auto document = mail->CreateDocument();
        document->CreateRichTextItem("Body")->EmbedObject(EMBED_ATTACHMENT, "", SavedAttachment("x.bin", "xyz"), "");
        EXPECT_EQ(StagedCount(), 1);
        EXPECT_TRUE(ReadDocuments(mailPath).empty());
    }
    EXPECT_EQ(StagedCount(), 0);
    EXPECT_EQ(QueryNumber(mailPath, "SELECT count(*) FROM attachment_contents"), 0);
}

TEST_F(Attachments, SurviveAFailedSaveAndGoWithTheNextOne)
{
    auto document = mail->CreateDocument();
    document->CreateRichTextItem("Body")->EmbedObject(EMBED_ATTACHMENT, "", SavedAttachment("x.bin", "xyz"), "");
    document->ReplaceItemValue("Poison", std::string("x"));
    {
        SqliteConnection direct(mailPath, SqliteConnection::Mode::ReadWrite);
        direct.Execute("CREATE TRIGGER refuse_item BEFORE INSERT ON items WHEN NEW.name = 'Poison' "
                       "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    }
    EXPECT_THROW(document->Save(0, 0), ComponentError);
    EXPECT_EQ(StagedCount(), 1);

    document->ReplaceItemValue("poison-free", std::string());
    {
        SqliteConnection direct(mailPath, SqliteConnection::Mode::ReadWrite);
        direct.Execute("DROP TRIGGER refuse_item");
    }
    document->Save(0, 0);
    EXPECT_EQ(StagedCount(), 0);
    EXPECT_EQ(ReadDocuments(mailPath).at(0).attachments.size(), 1u);
}

// A child process writes and then dies without any cleanup, as a crashed program would.
TEST(LocalStoreAfterACrash, KeepsWhatWasSavedAndDropsWhatWasOnlyStaged)
{
    TempDir temp;
    const auto data = temp.path() / "notes";
    const auto mailPath = data / "mail.nsf";
    const auto attachment = temp.path() / "photo.jpg";
    WriteFile(attachment, BinaryContent(100000, 3));

    EXPECT_EXIT(
        {
            LocalNotes notes(data);
            auto mail = notes.CreateSession()->GetDatabase("", "mail.ntf")->CreateCopy("", "mail.nsf");
            auto saved = mail->CreateDocument();
            saved->ReplaceItemValue("Subject", std::string("saved before the crash"));
            saved->Save(0, 0);
            auto unsaved = mail->CreateDocument();
            unsaved->CreateRichTextItem("Body")->EmbedObject(EMBED_ATTACHMENT, "", attachment.string(), "");
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");

    const auto documents = ReadDocuments(mailPath);
    ASSERT_EQ(documents.size(), 1u);
    EXPECT_EQ(documents[0].items.at(0).value, ItemValue(std::string("saved before the crash")));
    EXPECT_EQ(QueryNumber(mailPath, "SELECT count(*) FROM attachments WHERE document_id IS NULL"), 1);

    LocalNotes notes(data);
    notes.CreateSession()->GetDatabase("", "mail.nsf");
    EXPECT_EQ(QueryNumber(mailPath, "SELECT count(*) FROM attachments"), 0);
    EXPECT_EQ(QueryNumber(mailPath, "SELECT count(*) FROM attachment_contents"), 0);
}

}  // namespace
}  // namespace varnemo::notes::local::testing
