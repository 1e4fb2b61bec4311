// Each sample mailbox converted with varnemo-cli, exported as DXL and imported into empty
// databases made from the same templates: the mail database and the address book come back
// whole.
#include "dxl_test_support.h"

namespace varnemo::notes::dxl::testing {
namespace {

class DxlFixtureRoundTrip : public ::testing::TestWithParam<const char*> {
protected:
    local::testing::TempDir temp;
    std::filesystem::path notesData = temp.path() / "notes";

    // The mail database and the address book that the conversion made.
    std::vector<std::filesystem::path> Convert(const std::filesystem::path& pst)
    {
        // Exit status 1 only says that some item did not arrive whole; what did is compared.
        const int status = RunCommand({VARNEMO_CLI, "convert", pst.string(), "--new-db",
                                       (temp.path() / "out").string(), "--notes-data", notesData.string()});
        EXPECT_TRUE(status == 0 || WEXITSTATUS(status) == 1) << "convert failed: " << status;
        std::vector<std::filesystem::path> databases;
        for (const auto& entry : std::filesystem::directory_iterator(temp.path() / "out" / "Converted Outlook PST"))
            databases.push_back(entry.path());
        std::sort(databases.begin(), databases.end());  // the address book ("names...") sorts after
        return databases;
    }

    std::filesystem::path EmptyCopyOf(const std::string& templateFile, const std::string& name)
    {
        local::LocalNotes notes(notesData);
        notes.CreateSession()->GetDatabase("", templateFile)->CreateCopy("", name);
        return notesData / name;
    }
};

TEST_P(DxlFixtureRoundTrip, ConvertedDatabasesComeBackWhole)
{
    const auto pst = ::varnemo::testing::CopyFixture(GetParam(), temp.path());
    const auto databases = Convert(pst);
    ASSERT_EQ(databases.size(), 2u);
    const std::pair<std::filesystem::path, const char*> targets[] = {{databases[1], "mail.ntf"},
                                                                     {databases[0], "pernames.ntf"}};
    long documents = 0;
    for (const auto& [database, templateFile] : targets) {
        SCOPED_TRACE(database.filename().string());
        const auto dxl = temp.path() / (database.stem().string() + ".dxl");
        ASSERT_EQ(RunCommand({VARNEMO_CLI, "export-dxl", database.string(), "-o", dxl.string()}), 0);
        EXPECT_TRUE(WellFormed(dxl));
        const auto copy = EmptyCopyOf(templateFile, database.stem().string() + "-copy.nsf");
        ASSERT_EQ(RunCommand({VARNEMO_CLI, "import-dxl", dxl.string(), copy.string()}), 0);
        ExpectSameDocuments(database, copy);
        ExpectFoldersKept(database, copy);
        documents += static_cast<long>(local::testing::ReadDocuments(database).size());
    }
    EXPECT_GT(documents, 0) << "the conversion wrote nothing, so nothing was compared";
}

INSTANTIATE_TEST_SUITE_P(Fixtures, DxlFixtureRoundTrip,
                         ::testing::Values("sample1.pst", "test_ansi.pst", "test_unicode.pst", "dist-list.pst"),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
                             return name;
                         });

}  // namespace
}  // namespace varnemo::notes::dxl::testing
