// Text with NUL and other control characters on its whole way: from a data file through our
// reader, the conversion and the local store into DXL. A character that C strings take for their
// end is part of the text, never the place where it is cut.
#include "cli_process.h"
#include "pff_fixtures.h"
#include "pstgen/pst_writer.h"
#include "pstgen_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace varnemo::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

const std::string kSubject = "NUL\0inside\x01"s;
const std::string kBody = "before\0after\x1B\0end"s;

pstgen::Mailbox ControlCharacterMailbox()
{
    pstgen::Item mail;
    mail.subject = kSubject;
    mail.body = kBody;
    pstgen::Folder inbox;
    inbox.name = "Inbox";
    inbox.items = {mail};
    pstgen::Mailbox mailbox;
    mailbox.folders = {inbox};
    return mailbox;
}

std::string ItemValue(const nlohmann::json& document, const std::string& name)
{
    for (const auto& item : document["items"])
        if (item["name"] == name)
            return item["value"];
    return "<missing " + name + ">";
}

class ControlCharacters : public ::testing::Test {
protected:
    ControlCharacters() { pstgen::WritePst(ControlCharacterMailbox(), pst); }

    CommandResult Cli(const std::vector<std::string>& arguments)
    {
        std::string command = Quote(VARNEMO_CLI);
        for (const auto& argument : arguments)
            command += " " + Quote(argument);
        return RunCommand(command, dir.path());
    }

    TempDir dir;
    fs::path pst = dir.path() / "control.pst";
};

TEST_F(ControlCharacters, TheReaderKeepsTheWholeText)
{
    auto session = mapi::pff::PffMapi(dir.path() / "no profile").CreateSession();
    session->Logon();
    auto store = session->GetStores().AddPSTStore(pst.string());
    auto mail = SubFolder(*store->TopFolder(), "Inbox")->GetItems()->Item(1);
    EXPECT_EQ(mail->Subject(), kSubject);
    EXPECT_EQ(mail->Text(mapi::TextField::Body), kBody);
}

TEST_F(ControlCharacters, TheStoredMemoAndItsDxlHoldTheWholeText)
{
    const auto converted = Cli({"convert", pst.string(), "--new-db", (dir.path() / "out").string(), "--notes-data",
                                (dir.path() / "notes-data").string()});
    ASSERT_EQ(converted.status, 0) << converted.err;
    const auto database = MailDatabase(converted.out);
    const auto shown = Cli({"show", database, "--json"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    const auto documents = nlohmann::json::parse(shown.out)["documents"];
    ASSERT_EQ(documents.size(), 1u);
    EXPECT_EQ(ItemValue(documents[0], "Subject"), kSubject);
    EXPECT_EQ(ItemValue(documents[0], "Body"), kBody);

    const auto dxl = Cli({"export-dxl", database});
    ASSERT_EQ(dxl.status, 0) << dxl.err;
    EXPECT_NE(dxl.out.find(R"(NUL<nonxmlchar value="0"/>inside<nonxmlchar value="1"/>)"), std::string::npos);
    EXPECT_NE(dxl.out.find(R"(before<nonxmlchar value="0"/>after<nonxmlchar value="1B"/><nonxmlchar value="0"/>end)"),
              std::string::npos);
}

}  // namespace
}  // namespace varnemo::testing
