// Ctrl+C on a running varnemo-cli convert, sent to a real process converting a generated data
// file: the run stops after the item at hand, says how many items it converted, exits with its
// own status, and leaves a database that opens whole with exactly those documents.
#include "cli_process.h"
#include "damaged_node.h"
#include "local_notes_test_support.h"
#include "pstgen/pst_writer.h"
#include "pstgen_mailboxes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <regex>
#include <thread>

namespace varnemo::testing {
namespace {

namespace fs = std::filesystem;

// Reads standard error line by line until the progress line of that item, then sends Ctrl+C
// (SIGINT) and drains the rest. False when the program ended before it got there.
bool InterruptAtItem(pid_t child, FILE* err, const std::string& progressLine)
{
    char line[4096];
    bool sent = false;
    while (std::fgets(line, sizeof line, err)) {
        if (!sent && std::string(line).rfind(progressLine, 0) == 0) {
            kill(child, SIGINT);
            sent = true;
        }
    }
    return sent;
}

TEST(CliInterrupt, CtrlCStopsTheConversionWithAWholeDatabaseAndItsOwnExitStatus)
{
    TempDir dir;
    const auto pst = dir.path() / "bulk.pst";
    // Enough items that the program cannot finish ahead of the pipe that carries its progress.
    pstgen::WritePst(BulkMailbox(20000), pst);
    fs::create_directories(dir.path() / "tmp");
    setenv("TMPDIR", (dir.path() / "tmp").c_str(), 1);

    const auto outPath = dir.path() / "out.txt";
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int errPipe[2];
    ASSERT_EQ(pipe(errPipe), 0);
    const pid_t child = fork();
    if (child == 0) {
        close(errPipe[0]);
        detail::ExecCli({"convert", pst.string(), "--new-db", (dir.path() / "target").string(), "--notes-data",
                         (dir.path() / "notes-data").string()},
                        out, errPipe[1], {});
    }
    close(out);
    close(errPipe[1]);
    FILE* err = fdopen(errPipe[0], "r");
    const bool interrupted = InterruptAtItem(child, err, "  20/20000 ");
    std::fclose(err);
    int status = 0;
    waitpid(child, &status, 0);
    unsetenv("TMPDIR");

    ASSERT_TRUE(interrupted) << "the conversion ended before its 20th item";
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 3);
    const std::string text = ReadFile(outPath);
    std::smatch found;
    ASSERT_TRUE(std::regex_search(text, found,
                                  std::regex("^The conversion was stopped by the user\\.\n(.*\\.nsf)\n.*\\.nsf\n"
                                             "([0-9]+) items converted before it stopped\\.")))
        << text;
    const long converted = std::stol(found[2]);
    EXPECT_GE(converted, 20);
    EXPECT_LT(converted, 20000);
    EXPECT_EQ(static_cast<long>(notes::local::testing::ReadDocuments(found[1].str()).size()), converted);
    EXPECT_TRUE(fs::is_empty(dir.path() / "tmp")) << "temporary files were left behind";
}

// Whether the process holds the file open: it is reading it.
bool HoldsOpen(pid_t process, const fs::path& file)
{
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(fs::path("/proc") / std::to_string(process) / "fd", error)) {
        if (fs::read_symlink(entry.path(), error) == file)
            return true;
    }
    return false;
}

// libpff reads the whole index of a file while it opens it, minutes for a large one; Ctrl+C
// during that open ends the program at once instead of after the open.
TEST(CliInterrupt, CtrlCWhileLibpffOpensTheFileStopsAtOnce)
{
    TempDir dir;
    const auto pst = dir.path() / "bulk.pst";
    pstgen::WritePst(BulkMailbox(20000), pst);
    // A name-to-id map block that fails its checksum stops Varnemo's reader at the start, and
    // libpff, which reads past it, gets the file.
    BreakDataBlock(pst, 0x61);

    const auto errPath = dir.path() / "err.txt";
    const int out = open("/dev/null", O_WRONLY);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const pid_t child = fork();
    if (child == 0)
        detail::ExecCli({"convert", pst.string(), "--new-db", (dir.path() / "target").string(), "--notes-data",
                         (dir.path() / "notes-data").string()},
                        out, err, {});
    close(out);
    close(err);
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!HoldsOpen(child, pst) && std::chrono::steady_clock::now() < giveUp)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    kill(child, SIGINT);
    int status = 0;
    waitpid(child, &status, 0);

    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 3);
    const auto text = ReadFile(errPath);
    EXPECT_NE(text.find("stopped by the user while " + pst.string() + " was opened"), std::string::npos) << text;
    EXPECT_FALSE(fs::exists(dir.path() / "target")) << "nothing was converted";
}

}  // namespace
}  // namespace varnemo::testing
