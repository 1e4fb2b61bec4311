// varnemo-cli as a script would use it: exit statuses, what goes to which stream, and the
// JSON form of show.
#include "cli_process.h"
#include "temp_dir.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <set>
#include <sys/wait.h>

namespace varnemo {
namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

class Cli : public ::testing::Test {
protected:
    // Runs varnemo-cli with the arguments (each quoted) and the test's own data folders.
    Outcome Run(const std::vector<std::string>& arguments)
    {
        std::string command = "TMPDIR='" + (dir.path() / "tmp").string() + "' '" VARNEMO_CLI "'";
        for (const auto& argument : arguments)
            command += " '" + argument + "'";
        command += " 2>'" + (dir.path() / "stderr").string() + "'";
        Outcome outcome;
        FILE* pipe = popen(command.c_str(), "r");
        std::array<char, 4096> buffer{};
        for (size_t n; (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
            outcome.out.append(buffer.data(), n);
        const int status = pclose(pipe);
        outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        outcome.err = testing::ReadFile(dir.path() / "stderr");
        return outcome;
    }

    std::string Fixture(const std::string& name) { return testing::CopyFixture(name, dir.path()).string(); }
    std::string NotesData() const { return (dir.path() / "notes-data").string(); }

    Cli() { std::filesystem::create_directories(dir.path() / "tmp"); }

    testing::TempDir dir;
};

TEST_F(Cli, ConvertsIntoANewDatabaseAndShowsItAsJson)
{
    const auto result =
        Run({"convert", Fixture("sample1.pst"), "--new-db", (dir.path() / "out").string(), "--notes-data", NotesData()});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out.rfind("Outlook Mailbox Exported Successfully to Lotus Notes Mailbox.\n", 0), 0u) << result.out;
    EXPECT_NE(result.out.find("1 item converted."), std::string::npos);
    EXPECT_NE(result.err.find("Sample1"), std::string::npos) << "progress goes to standard error";
    EXPECT_TRUE(std::filesystem::is_empty(dir.path() / "tmp"));

    const std::string database = testing::MailDatabase(result.out);
    const auto shown = Run({"show", database, "--json"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    const auto json = nlohmann::json::parse(shown.out);
    EXPECT_EQ(json["database"], database);
    ASSERT_EQ(json["documents"].size(), 1u);
    const auto& memo = json["documents"][0];
    EXPECT_EQ(memo["items"][0]["name"], "Form");
    EXPECT_EQ(memo["items"][0]["value"], "Memo");
    EXPECT_EQ(memo["items"][8]["type"], "textlist");
    EXPECT_EQ(memo["items"][8]["value"], nlohmann::json({"D", "S"}));
    EXPECT_EQ(memo["items"][6]["type"], "datetime");
    EXPECT_EQ(memo["folders"], nlohmann::json({"Outlook\\Sample1"}));
    EXPECT_EQ(memo["attachments"][0]["name"], "leah_thumper.jpg");
    EXPECT_EQ(memo["attachments"][0]["size"], 93142);
    EXPECT_EQ(memo["attachments"][0]["sha256"].get<std::string>().size(), 64u);
}

TEST_F(Cli, ConvertsChosenFoldersIntoAnExistingDatabase)
{
    const auto pst = Fixture("dist-list.pst");
    const auto made = Run({"convert", pst, "--new-db", (dir.path() / "first").string(), "--notes-data", NotesData(),
                           "--folder", "Contacts"});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_NE(made.out.find("2 items converted."), std::string::npos) << made.out;
    const std::string database = testing::MailDatabase(made.out);

    // The weekly series has no end: laid out ten years ahead, it arrives in part.
    const auto again = Run({"convert", pst, "--into", database, "--notes-data", NotesData(), "--folder", "Calendar"});
    ASSERT_EQ(again.status, 1) << again.err;
    EXPECT_NE(again.out.find("0 items converted. 1 item converted in part."), std::string::npos) << again.out;
    const auto json = nlohmann::json::parse(Run({"show", database, "--json"}).out);
    ASSERT_EQ(json["documents"].size(), 1u) << "contacts went to the address book, the appointment here";
    // The series keeps its changed occurrences in attachments, which are no files of the user's.
    EXPECT_EQ(json["documents"][0]["attachments"], nlohmann::json::array());
}

// After an interrupted or partly failed run, the natural move is to run it again: that adds only
// what is missing, unless the user asks for every item once more.
TEST_F(Cli, ConvertingAgainIntoTheSameDatabaseAddsOnlyWhatIsMissing)
{
    const auto pst = Fixture("dist-list.pst");
    const auto made = Run({"convert", pst, "--new-db", (dir.path() / "first").string(), "--notes-data", NotesData(),
                           "--folder", "Calendar"});
    ASSERT_EQ(made.status, 1) << "the series without end arrives in part: " << made.err;
    const std::string database = testing::MailDatabase(made.out);
    auto documents = [&] { return nlohmann::json::parse(Run({"show", database, "--json"}).out)["documents"].size(); };
    ASSERT_EQ(documents(), 1u);

    const auto again = Run({"convert", pst, "--into", database, "--notes-data", NotesData()});
    ASSERT_EQ(again.status, 0) << again.err;  // the series is there already
    EXPECT_NE(again.out.find("2 items converted. 1 item already in the database (not added again)."),
              std::string::npos)
        << again.out;
    EXPECT_EQ(documents(), 3u) << "the appointment once, the contact and the list added";

    const auto third = Run({"convert", pst, "--into", database, "--notes-data", NotesData()});
    EXPECT_NE(third.out.find("0 items converted. 3 items already in the database"), std::string::npos) << third.out;
    EXPECT_EQ(documents(), 3u);

    const auto duplicates = Run({"convert", pst, "--into", database, "--notes-data", NotesData(), "--duplicates"});
    EXPECT_NE(duplicates.out.find("2 items converted. 1 item converted in part."), std::string::npos) << duplicates.out;
    EXPECT_EQ(documents(), 6u);
}

// The lines of the text that begin with prefix.
std::vector<std::string> LinesStartingWith(const std::string& text, const std::string& prefix)
{
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
        end = std::min(text.find('\n', start), text.size());
        if (text.compare(start, prefix.size(), prefix) == 0)
            lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

TEST_F(Cli, SeveralDataFilesEachGetANewDatabaseWholeInItsFileAlone)
{
    testing::WriteFile(dir.path() / "not-a-mailbox.pst", "plain text");
    const auto out = dir.path() / "out";
    const auto result = Run({"convert", Fixture("dist-list.pst"), (dir.path() / "not-a-mailbox.pst").string(),
                             Fixture("sample1.pst"), "--new-db", out.string(), "--notes-data", NotesData()});
    EXPECT_EQ(result.status, 1) << "one data file could not be opened";
    EXPECT_NE(result.err.find("not-a-mailbox.pst"), std::string::npos) << result.err;
    const auto folder = (out / "Converted Outlook PST").string() + "/";
    const auto databases = LinesStartingWith(result.out, folder);
    ASSERT_EQ(databases.size(), 4u) << result.out;  // a mail database and an address book per run
    EXPECT_EQ(std::set<std::string>(databases.begin(), databases.end()).size(), 4u);
    // The sample's weekly series has no end and arrives in part.
    EXPECT_EQ(LinesStartingWith(result.out, "Outlook Mailbox Exported Successfully").size(), 1u);
    EXPECT_EQ(LinesStartingWith(result.out, "Total: "),
              std::vector<std::string>{"Total: 3 data files, 1 converted whole, 1 not whole, 1 stopped; 3 items "
                                       "converted, 1 converted in part, 0 not converted, 0 skipped by design; 0 "
                                       "folders not read."});

    // Each database as a copy of its file alone, the way a user would take it away.
    const auto copies = dir.path() / "copies";
    std::filesystem::create_directories(copies);
    const std::vector<std::size_t> documents = {1, 2, 1, 0};
    for (std::size_t index = 0; index < databases.size(); ++index) {
        const auto copy = copies / std::filesystem::path(databases[index]).filename();
        std::filesystem::copy_file(databases[index], copy);
        const auto shown = Run({"show", copy.string(), "--json"});
        ASSERT_EQ(shown.status, 0) << shown.err;
        EXPECT_EQ(nlohmann::json::parse(shown.out)["documents"].size(), documents[index]) << databases[index];
    }
}

TEST_F(Cli, SeveralDataFilesIntoOneExistingDatabase)
{
    const auto made = Run({"convert", Fixture("sample1.pst"), "--new-db", (dir.path() / "first").string(),
                           "--notes-data", NotesData()});
    ASSERT_EQ(made.status, 0) << made.err;
    const std::string database = testing::MailDatabase(made.out);
    const auto report = (dir.path() / "report.tsv").string();
    const auto first = Fixture("dist-list.pst"), second = Fixture("test_ansi.pst");
    const auto both =
        Run({"convert", first, second, "--into", database, "--notes-data", NotesData(), "--report", report});
    ASSERT_EQ(both.status, 1) << "the series without end arrives in part: " << both.err;
    EXPECT_EQ(LinesStartingWith(testing::ReadFile(report), "Data file: "),
              (std::vector<std::string>{"Data file: " + first, "Data file: " + second}));
    EXPECT_EQ(LinesStartingWith(both.out, database).size(), 2u) << "each completion text names it";
    const auto json = nlohmann::json::parse(Run({"show", database, "--json"}).out);
    EXPECT_EQ(json["documents"].size(), 1u + 3u + 1u);
}

// The report holds every data file asked for, with the reason for each one that stopped, and
// nothing of what an earlier convert wrote into the same file.
TEST_F(Cli, TheReportAccountsForDataFilesThatStopped)
{
    const auto report = dir.path() / "report.tsv";
    testing::WriteFile(dir.path() / "not-a-mailbox.pst", "plain text");
    const auto bad = (dir.path() / "not-a-mailbox.pst").string();

    testing::WriteFile(report, "Items converted: 999\n");
    const auto alone = Run({"convert", bad, "--new-db", (dir.path() / "a").string(), "--notes-data", NotesData(),
                            "--report", report.string()});
    EXPECT_EQ(alone.status, 1);
    const auto aloneReport = testing::ReadFile(report);
    EXPECT_EQ(aloneReport.find("999"), std::string::npos) << aloneReport;
    ASSERT_EQ(LinesStartingWith(aloneReport, "Stopped: ").size(), 1u) << aloneReport;
    EXPECT_NE(aloneReport.find("not an Outlook data file"), std::string::npos) << aloneReport;

    const auto good = Fixture("sample1.pst");
    const auto batch = Run({"convert", good, bad, "--new-db", (dir.path() / "b").string(), "--notes-data",
                            NotesData(), "--report", report.string()});
    EXPECT_EQ(batch.status, 1);
    const auto batchReport = testing::ReadFile(report);
    EXPECT_EQ(LinesStartingWith(batchReport, "Data file: "),
              (std::vector<std::string>{"Data file: " + good, "Data file: " + bad}));
    EXPECT_EQ(LinesStartingWith(batchReport, "Items converted: "), std::vector<std::string>{"Items converted: 1"});
    EXPECT_GT(batchReport.find("Stopped: "), batchReport.find("Data file: " + bad)) << batchReport;

    // A target that cannot be opened stops the run after it began: the reason, then its counts.
    const auto missing = Run({"convert", good, "--into", (dir.path() / "missing.nsf").string(), "--notes-data",
                              NotesData(), "--report", report.string()});
    EXPECT_EQ(missing.status, 1);
    const auto missingReport = testing::ReadFile(report);
    const auto stopped = LinesStartingWith(missingReport, "Stopped: ");
    ASSERT_EQ(stopped.size(), 1u) << missingReport;
    EXPECT_NE(stopped[0].find("could not start"), std::string::npos) << stopped[0];
    EXPECT_NE(stopped[0].find("missing.nsf"), std::string::npos) << stopped[0];
    EXPECT_EQ(LinesStartingWith(missingReport, "Items converted: "), std::vector<std::string>{"Items converted: 0"});
}

TEST_F(Cli, ExitStatusesTellUsageErrorsFromFailures)
{
    EXPECT_EQ(Run({}).status, 2);
    EXPECT_EQ(Run({"convert", Fixture("sample1.pst")}).status, 2) << "no target";
    EXPECT_EQ(Run({"convert", Fixture("sample1.pst"), "--into", "a.nsf", "--new-db", "x"}).status, 2);
    EXPECT_EQ(Run({"convert", Fixture("sample1.pst"), "--into", "a.nsf", "--folder", "Nowhere"}).status, 2);

    testing::WriteFile(dir.path() / "not-a-mailbox.pst", "plain text");
    const auto bad = Run({"convert", (dir.path() / "not-a-mailbox.pst").string(), "--new-db", dir.path().string(),
                          "--notes-data", NotesData()});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("not-a-mailbox.pst"), std::string::npos) << bad.err;

    const auto missing = Run({"convert", Fixture("sample1.pst"), "--into", (dir.path() / "missing.nsf").string(),
                              "--notes-data", NotesData()});
    EXPECT_EQ(missing.status, 1) << "the target cannot be opened";
    EXPECT_EQ(missing.out, "") << "no completion message";
    EXPECT_NE(missing.err.find("could not start"), std::string::npos) << missing.err;
    EXPECT_NE(missing.err.find("missing.nsf"), std::string::npos) << missing.err;
}

}  // namespace
}  // namespace varnemo
