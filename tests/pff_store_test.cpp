#include "pff_fixtures.h"

#include "common/errors.h"
#include "source/pff/store_display_name.h"

namespace varnemo::testing {
namespace {

using mapi::pff::PffMapi;

bool IsUpperHex(const std::string& text)
{
    return !text.empty() && text.find_first_not_of("0123456789ABCDEF") == std::string::npos;
}

TEST(PffStore, NamesAndPathsOfTheSampleFiles)
{
    const std::pair<const char*, const char*> expected[] = {{"sample1.pst", "sample1"},
                                                           {"test_ansi.pst", "Personal Folders"},
                                                           {"test_unicode.pst", "Personal Folders"},
                                                           {"dist-list.pst", "Personal Folders"}};
    for (const auto& [fixture, name] : expected) {
        FixtureStore opened(fixture);
        EXPECT_EQ(opened.store->Name(), name) << fixture;
        EXPECT_EQ(opened.store->PstPath(), opened.path.string());
        EXPECT_EQ(opened.store->QualifyingText(), opened.path.string());
    }
}

TEST(PffStore, TopFolderIsTheIpmSubtree)
{
    FixtureStore sample("sample1.pst");
    auto top = sample.store->TopFolder();
    EXPECT_EQ(top->Name(), "Top of Outlook data file");
    // Flag bytes, the store's record key (0x0FF9), node id 0x8022 little-endian: the value the
    // message store itself holds in 0x35E0.
    EXPECT_EQ(top->EntryID(), "000000006A552B813C43F94384F18B7DA2393E9522800000");
    EXPECT_EQ(FixtureStore("dist-list.pst").store->TopFolder()->Name(), "Top of Personal Folders");
}

TEST(PffStore, EntryIdReopensTheStoreInAFreshSession)
{
    for (const char* fixture : {"sample1.pst", "test_ansi.pst", "dist-list.pst"}) {
        std::string entryId, name, path;
        {
            FixtureStore opened(fixture);
            entryId = opened.store->EntryID();
            name = opened.store->Name();
            path = opened.store->PstPath();

            PffMapi other(opened.dir.path() / "elsewhere");
            auto session = other.CreateSession();
            session->Logon();
            auto reopened = session->GetStoreFromID(entryId);
            EXPECT_EQ(reopened->Name(), name);
            EXPECT_EQ(reopened->PstPath(), path);
            EXPECT_EQ(reopened->EntryID(), entryId);
            EXPECT_EQ(reopened->TopFolder()->EntryID(), opened.store->TopFolder()->EntryID());
        }
        EXPECT_TRUE(IsUpperHex(entryId)) << entryId;
    }
}

TEST(PffStore, EntryIdOfAPathWithHashAndNonAsciiLetters)
{
    TempDir dir;
    const auto path = dir.path() / "Büro #2.pst";
    std::filesystem::copy_file(CopyFixture("sample1.pst", dir.path()), path);
    auto session = PffMapi(dir.path() / "none").CreateSession();
    session->Logon();
    const auto entryId = session->GetStores().AddPSTStore(path.string())->EntryID();
    EXPECT_TRUE(IsUpperHex(entryId));
    EXPECT_EQ(PffMapi(dir.path()).CreateSession()->GetStoreFromID(entryId)->PstPath(), path.string());
}

void ExpectEveryFolderReopens(mapi::Store& store, mapi::Folder& folder)
{
    const auto entryId = folder.EntryID();
    auto reopened = store.GetFolderFromID(entryId);
    EXPECT_EQ(reopened->Name(), folder.Name());
    EXPECT_EQ(reopened->EntryID(), entryId);
    EXPECT_EQ(reopened->GetItems()->Count(), folder.GetItems()->Count()) << folder.Name();
    auto folders = folder.GetFolders();
    for (long index = 1; index <= folders->Count(); ++index)
        ExpectEveryFolderReopens(store, *folders->Item(index));
}

TEST(PffStore, EveryFolderReopensFromItsEntryId)
{
    for (const char* fixture : {"dist-list.pst", "test_unicode.pst"}) {
        FixtureStore opened(fixture);
        ExpectEveryFolderReopens(*opened.store, *opened.store->TopFolder());
    }
}

TEST(PffStore, FolderEntryIdsThatDoNotNameAFolderOfTheStoreAreRejected)
{
    FixtureStore sample("sample1.pst");
    const auto top = sample.store->TopFolder()->EntryID();
    const auto otherStoresTop = FixtureStore("test_ansi.pst").store->TopFolder()->EntryID();
    // Same record key; node 0x200024 is the sample message, node 0x7FFFFFE0 does not exist.
    const auto message = top.substr(0, 40) + "24002000";
    const auto missing = top.substr(0, 40) + "E0FFFF7F";
    for (const auto& bad : {std::string("XYZ"), std::string("00"), top.substr(0, 46), top + "00", otherStoresTop,
                            message, missing, "01" + top.substr(2)}) {
        EXPECT_THROW(sample.store->GetFolderFromID(bad), ComponentError) << bad;
    }
}

TEST(PffStore, StoreEntryIdsThatNameNoDataFileAreRejected)
{
    FixtureStore sample("sample1.pst");
    auto& stores = sample.session->GetStores();
    const auto folderId = sample.store->TopFolder()->EntryID();
    EXPECT_THROW(stores.GetStoreFromID(folderId), ComponentError);
    EXPECT_THROW(stores.GetStoreFromID("not hex"), ComponentError);
    EXPECT_THROW(stores.GetStoreFromID(""), ComponentError);
    // A well-formed id of a file that has gone.
    const auto entryId = sample.store->EntryID();
    std::filesystem::remove(sample.path);
    EXPECT_THROW(PffMapi(sample.dir.path()).CreateSession()->GetStoreFromID(entryId), ComponentError);
}

TEST(PffSession, MissingProfileFolderMeansNoStores)
{
    TempDir dir;
    auto session = PffMapi(dir.path() / "does not exist").CreateSession();
    ASSERT_NO_THROW(session->Logon());
    EXPECT_EQ(session->GetStores().Count(), 0);
    EXPECT_THROW(session->GetStores().Item(1), ComponentError);
}

TEST(PffSession, EveryDataFileOfTheProfileIsAStoreInNameOrder)
{
    TempDir dir;
    CopyFixture("test_unicode.pst", dir.path());
    CopyFixture("sample1.pst", dir.path());
    WriteFile(dir.path() / "notes.txt", "not a data file");
    auto session = PffMapi(dir.path()).CreateSession();
    session->Logon();
    auto& stores = session->GetStores();
    ASSERT_EQ(stores.Count(), 2);
    EXPECT_EQ(stores.Item(1)->Name(), "sample1");
    EXPECT_EQ(stores.Item(2)->PstPath(), (dir.path() / "test_unicode.pst").string());

    // Adding a file that is already there gives its store once.
    stores.AddPSTStore((dir.path() / "sample1.pst").string());
    EXPECT_EQ(stores.Count(), 2);
    session->Logoff();
    EXPECT_EQ(session->GetStores().Count(), 0);
}

TEST(PffSession, ADamagedDataFileFailsOnlyItsOwnStore)
{
    TempDir dir;
    WriteFile(dir.path() / "a-broken.pst", "this is plain text, not a personal folders file");
    CopyFixture("sample1.pst", dir.path());
    auto session = PffMapi(dir.path()).CreateSession();
    ASSERT_NO_THROW(session->Logon());
    auto& stores = session->GetStores();
    ASSERT_EQ(stores.Count(), 2);
    try {
        stores.Item(1)->Name();
        ADD_FAILURE() << "a text file opened as a store";
    } catch (const ComponentError& error) {
        EXPECT_NE(std::string(error.what()).find("a-broken.pst"), std::string::npos) << error.what();
    }
    EXPECT_EQ(stores.Item(2)->Name(), "sample1");
}

// The list of configured stores reads each name through the direct reader, ANSI files too; a
// file it cannot read for damage gives no name, and the list opens it in full instead.
TEST(PffSession, ListedStoresHaveTheNamesAndIdsOfTheOpenedOnes)
{
    TempDir dir;
    for (const char* fixture : {"dist-list.pst", "sample1.pst", "test_ansi.pst", "test_unicode.pst"})
        CopyFixture(fixture, dir.path());
    EXPECT_EQ(mapi::pff::ReadStoreDisplayName(dir.path() / "sample1.pst"), "sample1");
    EXPECT_EQ(mapi::pff::ReadStoreDisplayName(dir.path() / "test_unicode.pst"), "Personal Folders");
    EXPECT_EQ(mapi::pff::ReadStoreDisplayName(dir.path() / "test_ansi.pst"), "Personal Folders");
    EXPECT_EQ(mapi::pff::ReadStoreDisplayName(dir.path() / "missing.pst"), std::nullopt);

    auto session = PffMapi(dir.path()).CreateSession();
    session->Logon();
    auto& stores = session->GetStores();
    ASSERT_EQ(stores.Count(), 4);
    for (long index = 1; index <= 4; ++index) {
        auto listed = stores.Item(index);
        auto opened = stores.GetStoreFromID(listed->EntryID());
        EXPECT_EQ(listed->Name(), opened->Name()) << listed->PstPath();
        EXPECT_EQ(listed->EntryID(), opened->EntryID());
        EXPECT_EQ(listed->PstPath(), opened->PstPath());
        EXPECT_EQ(listed->TopFolder()->EntryID(), opened->TopFolder()->EntryID());
    }
}

// libpff reads a file's whole node index to open it, minutes for a large one: the list names a
// file that only libpff reads after the file instead (as Outlook names an offline file after its
// account) and leaves the opening to the pick.
TEST(PffSession, AListedFileThatOnlyLibpffReadsIsNamedAfterTheFile)
{
    TempDir dir;
    const auto fixture = CopyFixture("test_unicode.pst", dir.path());
    auto bytes = ReadFile(fixture);
    bytes[10] = 36;  // the version of the 4 KiB pages of newer offline files
    WriteFile(dir.path() / "leah@example.com.ost", bytes);
    std::filesystem::remove(fixture);

    auto session = PffMapi(dir.path()).CreateSession();
    session->Logon();
    auto& stores = session->GetStores();
    ASSERT_EQ(stores.Count(), 1);
    EXPECT_EQ(stores.Item(1)->Name(), "leah@example.com");
}

TEST(PffSession, HandedOutObjectsOutliveTheSession)
{
    TempDir dir;
    CopyFixture("dist-list.pst", dir.path());
    std::unique_ptr<mapi::Folder> calendar;
    std::unique_ptr<mapi::Item> appointment;
    {
        auto component = std::make_unique<PffMapi>(dir.path());
        auto session = component->CreateSession();
        session->Logon();
        auto store = session->GetStores().Item(1);
        calendar = SubFolder(*store->TopFolder(), "Calendar");
        appointment = calendar->GetItems()->Item(1);
        session->Logoff();
    }
    EXPECT_EQ(calendar->GetItems()->Item(1)->Subject(), "Test appointment");
    EXPECT_EQ(appointment->Subject(), "Test appointment");
    // Its attachment table and the marks of both attachments are read: they hold occurrences of
    // the series, which leaves none of them to list.
    EXPECT_EQ(appointment->GetAttachments()->Count(), 0);
}

TEST(PffMapi, DefaultProfileFolderIsOutlookFilesInDocuments)
{
    const char* home = std::getenv("HOME");
    const std::string saved = home ? home : "";
    setenv("HOME", "/home/someone", 1);
    const auto folder = PffMapi::DefaultProfileFolder();
    if (home)
        setenv("HOME", saved.c_str(), 1);
    else
        unsetenv("HOME");
    EXPECT_EQ(folder, std::filesystem::path("/home/someone/Documents/Outlook Files"));
}

}  // namespace
}  // namespace varnemo::testing
