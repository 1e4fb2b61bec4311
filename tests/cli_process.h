#pragma once

// Runs the built varnemo-cli as a user would, in a child process, and collects what it said.

#include "temp_dir.h"

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace varnemo::testing {

struct CliOutcome {
    int exitStatus = -1;    // -1 when a signal ended the program
    int signal = 0;         // the signal that ended it, if one did
    std::string out, err;   // standard output and standard error
};

struct CliConditions {
    // The largest file the program may write (RLIMIT_FSIZE): a full disk as the program sees
    // it, for its writes fail with EFBIG once a file would grow past it.
    std::optional<rlim_t> fileSizeLimit;
    // Run as nobody when the tests run as root, so that file permissions are enforced: root
    // reads and writes whatever the permission bits say.
    bool unprivileged = false;
};

inline constexpr uid_t kNobody = 65534;

inline CliConditions AsNobody()
{
    CliConditions conditions;
    conditions.unprivileged = true;
    return conditions;
}

inline CliConditions WithFileSizeLimit(rlim_t bytes)
{
    CliConditions conditions;
    conditions.fileSizeLimit = bytes;
    return conditions;
}

namespace detail {

[[noreturn]] inline void ExecCli(const std::vector<std::string>& arguments, int out, int err,
                                 const CliConditions& conditions)
{
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    const int nothing = open("/dev/null", O_RDONLY);
    dup2(nothing, STDIN_FILENO);
    if (conditions.fileSizeLimit) {
        const rlimit limit{*conditions.fileSizeLimit, *conditions.fileSizeLimit};
        setrlimit(RLIMIT_FSIZE, &limit);
        signal(SIGXFSZ, SIG_IGN);  // an ignored signal stays ignored across exec
    }
    if (conditions.unprivileged && geteuid() == 0 &&
        (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0))
        _exit(126);
    std::vector<char*> argv{const_cast<char*>(VARNEMO_CLI)};
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(VARNEMO_CLI, argv.data());
    _exit(127);
}

}  // namespace detail

inline CliOutcome RunCli(const std::vector<std::string>& arguments, const CliConditions& conditions = {})
{
    TempDir capture;
    const auto outPath = capture.path() / "out", errPath = capture.path() / "err";
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const pid_t child = fork();
    if (child == 0)
        detail::ExecCli(arguments, out, err, conditions);
    close(out);
    close(err);
    if (child < 0)
        throw std::runtime_error("cannot start varnemo-cli");
    int status = 0;
    waitpid(child, &status, 0);
    CliOutcome outcome{.out = ReadFile(outPath), .err = ReadFile(errPath)};
    if (WIFEXITED(status))
        outcome.exitStatus = WEXITSTATUS(status);
    else
        outcome.signal = WTERMSIG(status);
    return outcome;
}

// The mail database that a conversion's completion text names on its second line.
inline std::string MailDatabase(const std::string& completion)
{
    const auto start = completion.find('\n') + 1;
    return completion.substr(start, completion.find('\n', start) - start);
}

// Lets everyone into the folder and at everything below it, so that an unprivileged run of
// the program can use what a test prepared as root.
inline void OpenToEveryone(const std::filesystem::path& folder)
{
    namespace fs = std::filesystem;
    fs::permissions(folder, fs::perms::all, fs::perm_options::add);
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        fs::permissions(entry.path(),
                        entry.is_directory() ? fs::perms::all
                                             : fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                                   fs::perms::group_write | fs::perms::others_read |
                                                   fs::perms::others_write,
                        fs::perm_options::add);
}

}  // namespace varnemo::testing
