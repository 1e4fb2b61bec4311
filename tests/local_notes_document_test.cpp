#include "local_notes_test_support.h"

namespace varnemo::notes::local::testing {
namespace {

using Texts = std::vector<std::string>;

class Documents : public LocalNotesTest {
protected:
    std::filesystem::path mailPath = DataPath("mail.nsf");
    std::unique_ptr<Database> mail = NewMailDatabase();

    StoredDocument OnlyDocument()
    {
        auto documents = ReadDocuments(mailPath);
        EXPECT_EQ(documents.size(), 1u);
        return documents.empty() ? StoredDocument{} : documents.front();
    }

    // A trigger that rejects one item name: a real failure of the store in the middle of a
    // Save, after the document row and the items before it were written.
    void RefuseItemsNamed(const std::string& name)
    {
        SqliteConnection direct(mailPath, SqliteConnection::Mode::ReadWrite);
        direct.Execute(fmt::format("CREATE TRIGGER refuse_item BEFORE INSERT ON items WHEN NEW.name = '{}' "
                                   "BEGIN SELECT RAISE(ABORT, 'item refused by the store'); END",
                                   name));
    }
};

std::vector<std::string> ItemNames(const StoredDocument& document)
{
    std::vector<std::string> names;
    for (const auto& item : document.items)
        names.push_back(item.name);
    return names;
}

// --- Items --------------------------------------------------------------------------------

TEST_F(Documents, ItemsKeepTheirOrderTypeAndValue)
{
    auto document = mail->CreateDocument();
    document->ReplaceItemValue("Subject", std::string("Quarterly report"));
    document->ReplaceItemValue("SendTo", Texts{"Ann Lee", "Bo Chen"});
    document->ReplaceItemValue("PostedDate", DateTime::Full(2024, 2, 29, 23, 59, 1));
    document->ReplaceItemValue("StartDate", DateTime::DateOnly(2024, 3, 1));
    document->ReplaceItemValue("StartTime", DateTime::TimeOnly(0, 0, 0));
    document->ReplaceItemValue("DueDate", DateTime());
    document->CreateRichTextItem("Body");
    document->ReplaceItemValue("Categories", Texts{});
    document->Save(0, 0);

    const auto stored = OnlyDocument();
    EXPECT_EQ(ItemNames(stored), (Texts{"Subject", "SendTo", "PostedDate", "StartDate", "StartTime", "DueDate",
                                        "Body", "Categories"}));
    const auto& items = stored.items;
    EXPECT_EQ(items[0].value, ItemValue(std::string("Quarterly report")));
    EXPECT_EQ(items[1].value, ItemValue(Texts{"Ann Lee", "Bo Chen"}));
    EXPECT_EQ(items[2].value, ItemValue(DateTime::Full(2024, 2, 29, 23, 59, 1)));
    EXPECT_EQ(items[3].value, ItemValue(DateTime::DateOnly(2024, 3, 1)));
    EXPECT_EQ(items[4].value, ItemValue(DateTime::TimeOnly(0, 0, 0)));
    EXPECT_EQ(items[5].value, ItemValue(std::string()));  // an empty date field is an empty text
    EXPECT_TRUE(items[6].isRichText);
    EXPECT_EQ(items[7].value, ItemValue(Texts{}));
    EXPECT_EQ(std::ranges::count_if(items, [](const StoredItem& item) { return item.isRichText; }), 1);
}

// Items are written several rows to a statement; a document with more than a few dozen of them
// (a contact with every field filled) crosses the boundaries between statements.
TEST_F(Documents, ManyItemsKeepTheirOrderAndValues)
{
    constexpr int kItems = 75;
    auto document = mail->CreateDocument();
    for (int at = 0; at < kItems; ++at)
        document->ReplaceItemValue(fmt::format("Field{}", at), fmt::format("value {}", at));
    document->Save(0, 0);

    const auto stored = OnlyDocument();
    ASSERT_EQ(stored.items.size(), static_cast<std::size_t>(kItems));
    for (int at = 0; at < kItems; ++at) {
        EXPECT_EQ(stored.items[at].name, fmt::format("Field{}", at));
        EXPECT_EQ(stored.items[at].value, ItemValue(fmt::format("value {}", at)));
    }
}

TEST_F(Documents, TextIsKeptByteForByte)
{
    using namespace std::string_literals;
    const std::string awkward =
        "line 1\r\nline 2\ttab \"quoted\" 'single' \\ back\0after NUL \x01\x1B\x7F \xC3\xA9 ends in NUL\0"s;
    auto document = mail->CreateDocument();
    document->ReplaceItemValue("Awkward", awkward);
    document->ReplaceItemValue("List", Texts{awkward, "", "[\"not json\"]", "\0"s});
    document->Save(0, 0);

    const auto stored = OnlyDocument();
    EXPECT_EQ(stored.items.at(0).value, ItemValue(awkward));
    EXPECT_EQ(stored.items.at(1).value, ItemValue(Texts{awkward, "", "[\"not json\"]", "\0"s}));
}

TEST_F(Documents, ReplacingAValueKeepsTheItemsPositionWhateverTheCaseOfItsName)
{
    auto document = mail->CreateDocument();
    document->ReplaceItemValue("Form", std::string("Memo"));
    document->ReplaceItemValue("Subject", std::string("draft"));
    document->ReplaceItemValue("From", std::string("Ann"));
    document->ReplaceItemValue("SUBJECT", Texts{"final", "really"});
    document->ReplaceItemValue("form", DateTime::DateOnly(2020, 1, 2));
    document->Save(0, 0);

    const auto stored = OnlyDocument();
    EXPECT_EQ(ItemNames(stored), (Texts{"Form", "Subject", "From"}));
    EXPECT_EQ(stored.items[0].value, ItemValue(DateTime::DateOnly(2020, 1, 2)));
    EXPECT_EQ(stored.items[1].value, ItemValue(Texts{"final", "really"}));
}

TEST_F(Documents, AnItemNeedsAName)
{
    EXPECT_THROW(mail->CreateDocument()->ReplaceItemValue("", std::string("x")), ComponentError);
}

// --- Saving -------------------------------------------------------------------------------

TEST_F(Documents, AreInvisibleUntilSaved)
{
    auto first = mail->CreateDocument();
    first->ReplaceItemValue("Subject", std::string("not yet"));
    EXPECT_TRUE(ReadDocuments(mailPath).empty());

    first->Save(0, 0);
    auto second = mail->CreateDocument();
    second->ReplaceItemValue("Subject", std::string("never"));
    EXPECT_EQ(ReadDocuments(mailPath).size(), 1u);
}

TEST_F(Documents, ASaveIsAllOrNothing)
{
    RefuseItemsNamed("Poison");
    auto document = mail->CreateDocument();
    document->ReplaceItemValue("Subject", std::string("half"));
    document->ReplaceItemValue("Poison", std::string("x"));
    document->ReplaceItemValue("After", std::string("y"));

    const std::string message = ComponentErrorOf([&] { document->Save(0, 0); });
    EXPECT_TRUE(Mentions(message, mailPath.string()));
    EXPECT_TRUE(Mentions(message, "item refused by the store"));
    EXPECT_TRUE(ReadDocuments(mailPath).empty());
    EXPECT_EQ(QueryNumber(mailPath, "SELECT count(*) FROM items"), 0);
}

TEST_F(Documents, AFailedSecondSaveKeepsTheFirst)
{
    RefuseItemsNamed("Poison");
    auto document = mail->CreateDocument();
    document->ReplaceItemValue("Subject", std::string("first"));
    document->Save(0, 0);

    document->ReplaceItemValue("Subject", std::string("second"));
    document->ReplaceItemValue("Poison", std::string("x"));
    EXPECT_THROW(document->Save(0, 0), ComponentError);

    const auto stored = OnlyDocument();
    ASSERT_EQ(stored.items.size(), 1u);
    EXPECT_EQ(stored.items[0].value, ItemValue(std::string("first")));
}

TEST_F(Documents, ASecondSaveUpdatesTheSameDocument)
{
    auto document = mail->CreateDocument();
    document->ReplaceItemValue("Subject", std::string("first"));
    document->ReplaceItemValue("Priority", std::string("1"));
    document->Save(0, 0);
    const auto first = OnlyDocument();

    document->ReplaceItemValue("Subject", std::string("second"));
    document->ReplaceItemValue("Sensitivity", std::string("private"));
    document->Save(1, 0);

    const auto second = OnlyDocument();
    EXPECT_EQ(second.unid, first.unid);
    EXPECT_EQ(second.created, first.created);
    EXPECT_EQ(ItemNames(second), (Texts{"Subject", "Priority", "Sensitivity"}));
    EXPECT_EQ(second.items[0].value, ItemValue(std::string("second")));
}

TEST_F(Documents, GetUniversalIdsOfTheirOwnAndCreationTimes)
{
    for (int i = 0; i < 3; ++i)
        mail->CreateDocument()->Save(0, 0);
    const auto documents = ReadDocuments(mailPath);
    ASSERT_EQ(documents.size(), 3u);
    std::set<std::string> unids;
    for (const auto& document : documents) {
        EXPECT_EQ(document.unid.size(), 32u);
        EXPECT_EQ(document.unid.find_first_not_of("0123456789ABCDEF"), std::string::npos) << document.unid;
        EXPECT_EQ(document.created.kind(), DateTime::Kind::Full);
        EXPECT_EQ(document.modified.kind(), DateTime::Kind::Full);
        unids.insert(document.unid);
    }
    EXPECT_EQ(unids.size(), 3u);
}

// --- Folders ------------------------------------------------------------------------------

TEST_F(Documents, PutInFolderCreatesTheFolderAndTheFoldersAboveIt)
{
    auto document = mail->CreateDocument();
    document->Save(0, 0);
    document->PutInFolder("Projects\\2024\\Q1");
    document->PutInFolder("Projects\\2024\\Q1");

    const auto design = DatabaseReader(mailPath).DesignElements();
    for (const char* folder : {"Projects", "Projects\\2024", "Projects\\2024\\Q1"})
        EXPECT_NE(std::ranges::find(design, DesignElement{DesignKind::Folder, folder}), design.end()) << folder;
    DatabaseReader reader(mailPath);
    EXPECT_EQ(reader.FolderMembers("Projects\\2024\\Q1"), Texts{OnlyDocument().unid});
    EXPECT_TRUE(reader.FolderMembers("Projects\\2024").empty());
}

TEST_F(Documents, PutInFolderFindsAnExistingFolderWhateverItsCase)
{
    const auto designSize = DatabaseReader(mailPath).DesignElements().size();
    auto document = mail->CreateDocument();
    document->Save(0, 0);
    document->PutInFolder("($INBOX)");

    EXPECT_EQ(DatabaseReader(mailPath).DesignElements().size(), designSize);
    EXPECT_EQ(DatabaseReader(mailPath).FolderMembers("($Inbox)"), Texts{OnlyDocument().unid});
}

TEST_F(Documents, PutInFolderRefusesAnUnsavedDocumentAndBadNames)
{
    auto unsaved = mail->CreateDocument();
    EXPECT_TRUE(Mentions(ComponentErrorOf([&] { unsaved->PutInFolder("Projects"); }), "not been saved"));

    auto saved = mail->CreateDocument();
    saved->Save(0, 0);
    for (const char* bad : {"", "\\Projects", "Projects\\", "Projects\\\\2024"})
        EXPECT_TRUE(Mentions(ComponentErrorOf([&] { saved->PutInFolder(bad); }), "empty level")) << bad;
    EXPECT_TRUE(Mentions(ComponentErrorOf([&] { saved->PutInFolder("($Sent)"); }), "it is a view"));
    EXPECT_THROW(DatabaseReader(mailPath).FolderMembers("Projects"), ComponentError);
}

TEST_F(Documents, EnableFolderCreatesAMissingFolderOnce)
{
    mail->EnableFolder("Archive\\2023");
    mail->EnableFolder("archive\\2023");
    const auto design = DatabaseReader(mailPath).DesignElements();
    EXPECT_EQ(std::ranges::count(design, DesignElement{DesignKind::Folder, "Archive\\2023"}), 1);
    EXPECT_EQ(std::ranges::count(design, DesignElement{DesignKind::Folder, "Archive"}), 1);
}

}  // namespace
}  // namespace varnemo::notes::local::testing
