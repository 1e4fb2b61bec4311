// varnemo-cli convert with its standard error on a terminal: the live progress line, read from
// the other side of a real pseudo-terminal.
#include "cli_process.h"
#include "pstgen/pst_writer.h"
#include "pstgen_mailboxes.h"

#include <fmt/format.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace varnemo::testing {
namespace {

namespace fs = std::filesystem;

// Everything the program wrote to the terminal, until it closed its side.
std::string ReadUntilClosed(int terminal)
{
    std::string written;
    char buffer[4096];
    for (;;) {
        const auto got = read(terminal, buffer, sizeof buffer);
        if (got > 0)
            written.append(buffer, static_cast<std::size_t>(got));
        else if (got < 0 && errno == EINTR)
            continue;
        else
            return written;  // EIO once the last holder of the program's side closed it
    }
}

std::size_t Count(const std::string& text, const std::string& what)
{
    std::size_t count = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size()))
        ++count;
    return count;
}

TEST(CliTerminal, TheLiveLineIsPaintedAFewTimesASecondAndEndsOnTheLastItem)
{
    TempDir dir;
    const auto pst = dir.path() / "bulk.pst";
    // The last folder's one item is painted at once, as the start of a folder is, before it is
    // converted; the line left on the terminal must still count it.
    constexpr int kItems = 5000;
    auto mailbox = BulkMailbox(kItems - 1);
    mailbox.folders.push_back({"Last", "IPF.Note", {}, {}});
    mailbox.folders.back().items.resize(1);
    mailbox.folders.back().items[0].subject = "The last";
    pstgen::WritePst(mailbox, pst);

    const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    ASSERT_EQ(grantpt(terminal), 0);
    ASSERT_EQ(unlockpt(terminal), 0);
    const int programSide = open(ptsname(terminal), O_RDWR | O_NOCTTY);
    ASSERT_GE(programSide, 0);
    const int out = open("/dev/null", O_WRONLY);
    const pid_t child = fork();
    if (child == 0) {
        close(terminal);
        detail::ExecCli({"convert", pst.string(), "--new-db", (dir.path() / "target").string(), "--notes-data",
                         (dir.path() / "notes-data").string()},
                        out, programSide, {});
    }
    close(out);
    close(programSide);
    const std::string written = ReadUntilClosed(terminal);
    close(terminal);
    int status = 0;
    waitpid(child, &status, 0);

    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << written;
    const auto paints = Count(written, "\r\033[K");
    EXPECT_GE(paints, 1u) << written;
    // Painted for every item, the line came 5,000 times; at ten paints a second, 500 would take
    // the run 50 s, ten times what it takes even with sanitizers.
    EXPECT_LT(paints, static_cast<std::size_t>(kItems / 10)) << paints << " paints";
    const auto lastPaint = written.rfind("\r\033[K");
    ASSERT_NE(lastPaint, std::string::npos);
    const auto lastLine = written.substr(lastPaint, written.find('\n', lastPaint) - lastPaint);
    EXPECT_NE(lastLine.find(fmt::format("{0} of {0} items", kItems)), std::string::npos) << lastLine;
    EXPECT_NE(lastLine.find("Last 1/1: The last"), std::string::npos) << lastLine;
}

}  // namespace
}  // namespace varnemo::testing
