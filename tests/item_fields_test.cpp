#include "common/text.h"
#include "conversion/item_fields.h"
#include "conversion/safe_file_name.h"
#include "conversion/temporary_attachments.h"
#include "fakes/fake_mailbox.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace varnemo {
namespace {

using mapi::DateField;
using mapi::TextField;
using testing::FakeItem;

// A mailbox holding exactly one item, so that tests can read it through the interface.
class OneItem {
public:
    explicit OneItem(FakeItem item)
    {
        folder_.items.push_back(std::move(item));
        list_ = std::make_unique<testing::FakeMailbox>();
        list_->stores.push_back({.name = "S", .entryId = "S1", .pstPath = "s.pst"});
        list_->stores[0].top.folders.push_back(folder_);
        session_ = list_->CreateSession();
        session_->Logon();
        item_ = session_->GetStoreFromID("S1")->TopFolder()->GetFolders()->Item(1)->GetItems()->Item(1);
    }
    mapi::Item& operator*() { return *item_; }

private:
    testing::FakeFolder folder_{.name = "F", .entryId = "F1"};
    std::unique_ptr<testing::FakeMailbox> list_;
    std::unique_ptr<mapi::Session> session_;
    std::unique_ptr<mapi::Item> item_;
};

TEST(SafeFileName, NeverLeavesItsFolder)
{
    EXPECT_EQ(SafeFileName("../x", 1), ".._x");
    EXPECT_EQ(SafeFileName("a\\b.txt", 1), "a_b.txt");
    EXPECT_EQ(SafeFileName("/etc/passwd", 1), "_etc_passwd");
    EXPECT_EQ(SafeFileName("C:report.pdf", 1), "C_report.pdf");
    EXPECT_EQ(SafeFileName("..", 3), "attachment-3");
    EXPECT_EQ(SafeFileName("", 2), "attachment-2");
    EXPECT_EQ(SafeFileName("tab\there", 1), "tab_here");
    EXPECT_EQ(SafeFileName("notes. ", 1), "notes");
    EXPECT_EQ(SafeFileName(".profile", 1), ".profile");
}

TEST(SafeFileName, RenamesDeviceNamesAndShortensLongNamesKeepingTheExtension)
{
    EXPECT_EQ(SafeFileName("con.txt", 1), "_con.txt");
    EXPECT_EQ(SafeFileName("LPT1", 1), "_LPT1");
    EXPECT_EQ(SafeFileName("console.txt", 1), "console.txt");
    std::string longName;
    for (int i = 0; i < 200; ++i)
        longName += "\xC3\xA9";  // é, two bytes each
    const auto shortened = SafeFileName(longName + ".pdf", 1);
    EXPECT_LE(shortened.size(), 255u);
    EXPECT_EQ(shortened.substr(shortened.size() - 4), ".pdf");
    EXPECT_EQ((shortened.size() - 4) % 2, 0u) << "a character was cut in half";
}

TEST(TemporaryAttachments, SameNamesDoNotOverwriteAndEverythingIsGoneAfterwards)
{
    testing::TempDir temp;
    FakeItem mail = testing::FakeMail("two reports");
    mail.Attach("report.pdf", "first").Attach("report.pdf", "second").Attach("../../escape", "third");
    OneItem item(mail);
    {
        TemporaryAttachments attachments(temp.path());
        const auto saved = attachments.SaveAll(*item);
        EXPECT_TRUE(saved.missing.empty());
        const auto& paths = saved.files;
        ASSERT_EQ(paths.size(), 3u);
        EXPECT_NE(paths[0], paths[1]);
        EXPECT_EQ(paths[0].filename(), "report.pdf");
        EXPECT_EQ(testing::ReadFile(paths[0]), "first");
        EXPECT_EQ(testing::ReadFile(paths[1]), "second");
        for (const auto& path : paths)
            EXPECT_EQ(path.parent_path().parent_path(), temp.path()) << path;
    }
    EXPECT_TRUE(std::filesystem::is_empty(temp.path()));
}

// A reader that fails half-way has written part of the file: that part must not be handed on
// as the attachment.
TEST(TemporaryAttachments, AnAttachmentCutShortIsLeftOutAndNamed)
{
    testing::TempDir temp;
    FakeItem mail = testing::FakeMail("broken");
    mail.Attach("a.txt", "a");
    mail.Attach("big.bin", std::string(1000, 'x'));
    mail.attachments.back().failsToSave = true;
    OneItem item(mail);
    TemporaryAttachments attachments(temp.path());
    const auto saved = attachments.SaveAll(*item);
    ASSERT_EQ(saved.files.size(), 1u);
    EXPECT_EQ(saved.files[0].filename(), "a.txt");
    ASSERT_EQ(saved.missing.size(), 1u);
    EXPECT_NE(saved.missing[0].find("attachment 2 of 2 \"big.bin\" is left out"), std::string::npos)
        << saved.missing[0];
    for (const auto& entry : std::filesystem::recursive_directory_iterator(temp.path()))
        EXPECT_NE(entry.path().filename(), "big.bin") << "a part of the file stayed behind";
}

// The list of files is handed on as paths: no character a path may hold splits it.
TEST(TemporaryAttachments, ATemporaryFolderWithABarKeepsEveryFileWhole)
{
#ifdef _WIN32
    GTEST_SKIP() << "a path on Windows cannot hold '|'";
#endif
    testing::TempDir temp;
    const auto barred = temp.path() / "a|b";
    std::filesystem::create_directory(barred);
    FakeItem mail = testing::FakeMail("photo");
    mail.Attach("leah.jpg", "jpeg");
    OneItem item(mail);
    TemporaryAttachments attachments(barred);
    const auto saved = attachments.SaveAll(*item);
    ASSERT_EQ(saved.files.size(), 1u);
    EXPECT_EQ(testing::ReadFile(saved.files[0]), "jpeg");
}

TEST(TemporaryAttachments, NoAttachmentsGiveNoFiles)
{
    testing::TempDir temp;
    OneItem item(testing::FakeMail("plain"));
    TemporaryAttachments attachments(temp.path());
    const auto saved = attachments.SaveAll(*item);
    EXPECT_TRUE(saved.files.empty());
    EXPECT_TRUE(saved.missing.empty());
}

TEST(ItemFields, MailTakesTheSenderNameAndTheMessageDate)
{
    FakeItem mail = testing::FakeMail("Budget");
    mail.Text(TextField::To, "Ann; Bob").Text(TextField::SenderName, "Carl").Text(TextField::CC, "Dora")
        .Text(TextField::BCC, "Eve").Text(TextField::Body, "Numbers")
        .Date(DateField::MessageDate, DateTime::Full(2026, 1, 2, 3, 4, 5));
    OneItem item(mail);
    const auto fields = ReadMailFields(*item);
    EXPECT_EQ(fields.Subject, "Budget");
    EXPECT_EQ(fields.MailTo, "Ann; Bob");
    EXPECT_EQ(fields.MailFrom, "Carl");
    EXPECT_EQ(fields.MailCC, "Dora");
    EXPECT_EQ(fields.MailBCC, "Eve");
    EXPECT_EQ(fields.BodyText, "Numbers");
    EXPECT_EQ(fields.MailDate, DateTime::Full(2026, 1, 2, 3, 4, 5));
}

TEST(ItemFields, TaskImportanceIsDecimalTextAndMissingDatesStayEmpty)
{
    FakeItem task;
    task.Text(TextField::Subject, "Plan").Date(DateField::DueDate, DateTime::Full(2026, 3, 9, 0, 0, 0));
    task.importance = 2;
    OneItem item(task);
    const auto fields = ReadTaskFields(*item);
    EXPECT_EQ(fields.TaskPriority, "2");
    EXPECT_EQ(fields.TaskDueDate, DateTime::Full(2026, 3, 9, 0, 0, 0));
    EXPECT_FALSE(fields.TaskStart.hasValue());
}

TEST(ItemFields, ContactRepeatsTheFirstAddressAndWritesDatesAsText)
{
    FakeItem contact = testing::FakeContact("Ann", "Lee");
    contact.Text(TextField::Email1Address, "ann@example.com")
        .Date(DateField::Birthday, DateTime::Full(1970, 5, 17, 0, 0, 0));
    OneItem item(contact);
    const auto fields = ReadContactFields(*item);
    EXPECT_EQ(fields.elotus_Email, "ann@example.com");
    EXPECT_EQ(fields.elotus_OtherEmail1, "ann@example.com");
    EXPECT_EQ(fields.elotus_OtherEmail2, "");
    EXPECT_EQ(fields.elotus_BirthDay, "1970-05-17");
    EXPECT_EQ(fields.elotus_Anniversary, "");
}

TEST(ItemFields, AnUnreadableValueFailsTheRead)
{
    FakeItem mail = testing::FakeMail("x");
    mail.unreadableTexts.insert(TextField::Body);
    OneItem item(mail);
    EXPECT_THROW(ReadMailFields(*item), ComponentError);
}

TEST(MemberList, QuotesEachMemberAndSkipsUnreadableOnes)
{
    FakeItem list = testing::FakeDistList("Team", {"Ann Lee", "O'Brien", "Broken", "Bob"});
    list.unreadableMembers.insert(3);
    OneItem item(list);
    ContinueOnError failures;
    EXPECT_EQ(ReadMemberList(*item, failures), "'Ann Lee' 'O'Brien' 'Bob' ");
    EXPECT_EQ(failures.failures().size(), 1u);

    OneItem empty(testing::FakeDistList("Nobody", {}));
    EXPECT_EQ(ReadMemberList(*empty, failures), "");
}

}  // namespace
}  // namespace varnemo
