// Compares varnemo-cli convert with the usual tools on generated mailboxes of growing size:
// wall time and peak memory of each, beside a plain read of the file as the floor, and libpff
// reading the file without writing anything (what any reader built on libpff costs at least).
//
//   compare [--sizes 10,100,1000] [--items-per-mb N] [--repeat R] [--work DIR] [--seed S]
//
// The mailboxes (about SIZE megabytes each) are kept in the work folder, outside the repository,
// and written again from their seed when missing. By default they hold 25 items per megabyte
// (40 KB an item, attachments included, as in an ordinary office mailbox); a higher density
// shows how the reading library copes with many small items.
#include <CLI/CLI.hpp>
#include <fmt/format.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Measure {
    double seconds = 0;
    double cpuSeconds = 0;  // user and system time: the wall time also counts other programs' load
    double peakMegabytes = 0;
    int status = 0;
};

double Seconds(const timeval& time)
{
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

// Runs the program with its output discarded and returns its wall time and peak memory.
Measure Run(const std::vector<std::string>& argv, const fs::path& stdoutFile, const fs::path& tmp)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        const int out = ::open(stdoutFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int null = ::open("/dev/null", O_WRONLY);
        dup2(out, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        setenv("TMPDIR", tmp.c_str(), 1);
        std::vector<char*> args;
        for (const auto& arg : argv)
            args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return {elapsed.count(), Seconds(usage.ru_utime) + Seconds(usage.ru_stime), usage.ru_maxrss / 1024.0,
            WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

struct MailboxShape {
    std::uint64_t megabytes = 0;
    std::uint64_t itemsPerMegabyte = 0;
    std::uint64_t seed = 0;
};

// About megabytes of file, items of every kind with attachments over the mail: what the items
// themselves take (about 4.7 KB each) is left out of the attachments. pstgen runs as a process of
// its own so that this one stays small: a child's peak memory counts from the fork.
fs::path Mailbox(const fs::path& work, const MailboxShape& shape)
{
    const auto path =
        work / fmt::format("synth-{}mb-{}perMB-seed{}.pst", shape.megabytes, shape.itemsPerMegabyte, shape.seed);
    if (!fs::exists(path)) {
        fmt::print(stderr, "writing {}\n", path.string());
        const auto items = shape.megabytes * shape.itemsPerMegabyte;
        constexpr std::uint64_t kItemKilobytes = 5;
        const auto itemMegabytes = items * kItemKilobytes / 1024;
        const auto attachmentMegabytes = shape.megabytes > itemMegabytes ? shape.megabytes - itemMegabytes : 0;
        const auto made = Run({PSTGEN, "synth", "--items", std::to_string(items), "--attachment-mb",
                               std::to_string(attachmentMegabytes), "--seed", std::to_string(shape.seed), path.string()},
                              "/dev/null", work);
        if (made.status != 0)
            throw std::runtime_error(fmt::format("pstgen could not write {}", path.string()));
    }
    return path;
}

// One row per run on the mailbox of about megabytes, with the ratios to the floor and to pffexport.
// Returns varnemo-cli's items per second.
double CompareOn(const fs::path& work, const MailboxShape& shape, int repeat)
{
    const auto pst = Mailbox(work, shape).string();
    const auto out = work / "out";
    struct Row {
        const char* name;
        std::vector<std::string> argv;
        Measure measure;
    };
    std::vector<Row> rows{
        {"cat > /dev/null", {"cat", pst}, {}},
        {"varnemo-cli convert",
         {VARNEMO_CLI, "convert", pst, "--new-db", (out / "db").string(), "--notes-data", (out / "notes-data").string()},
         {}},
        {"pffexport", {"pffexport", "-q", "-t", (out / "pffexport").string(), pst}, {}},
        {"readpst -e", {"readpst", "-e", "-o", (out / "readpst").string(), pst}, {}},
        {"libpff, reading only", {LIBPFF_READ, pst}, {}},
    };
    // The programs take turns, so that a disturbance of the machine falls on all of them; each
    // keeps its fastest run. Runs on files below 100 MB last a fraction of a second, where one
    // hiccup of the machine weighs most: they are repeated ten times as often.
    const int rounds = shape.megabytes < 100 ? repeat * 10 : repeat;
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            // Every run starts from empty output folders; the floor's output is discarded.
            fs::remove_all(out);
            fs::create_directories(out / "tmp");
            fs::create_directories(out / "readpst");
            const auto measure = Run(rows[i].argv, i == 0 ? fs::path("/dev/null") : out / "stdout", out / "tmp");
            if (round == 0 || measure.seconds < rows[i].measure.seconds)
                rows[i].measure = measure;
        }
    }
    const auto floor = rows[0].measure.seconds, pffexport = rows[2].measure.seconds;
    const auto items = static_cast<double>(shape.megabytes * shape.itemsPerMegabyte);
    for (const auto& row : rows)
        fmt::print("| {} MB | {:.0f} | {:.0f} | {}{} | {:.3f} | {:.2f} | {:.1f} | {:.0f} | {:.1f} | {:.2f} |\n",
                   shape.megabytes, fs::file_size(pst) / 1048576.0, items, row.name,
                   row.measure.status == 0 ? "" : " (failed)", row.measure.seconds, row.measure.cpuSeconds,
                   row.measure.peakMegabytes, items / row.measure.seconds, row.measure.seconds / floor,
                   row.measure.seconds / pffexport);
    std::fflush(stdout);
    fs::remove_all(out);
    return items / rows[1].measure.seconds;
}

}  // namespace

int main(int argc, char** argv)
{
    CLI::App app{"Wall time and peak memory of varnemo-cli convert beside pffexport and readpst"};
    std::vector<std::uint64_t> sizes{10, 100, 1000};
    fs::path work = fs::temp_directory_path() / "varnemo-bench";
    std::uint64_t seed = 1;
    std::uint64_t itemsPerMegabyte = 25;
    int repeat = 3;
    app.add_option("--sizes", sizes, "Mailbox sizes in megabytes")->delimiter(',')->capture_default_str();
    app.add_option("--items-per-mb", itemsPerMegabyte, "Items per megabyte of mailbox")
        ->check(CLI::PositiveNumber)
        ->capture_default_str();
    app.add_option("--repeat", repeat, "Runs of each program (ten times as many below 100 MB); the fastest counts")
        ->check(CLI::PositiveNumber)
        ->capture_default_str();
    app.add_option("--work", work, "Folder for the mailboxes and the outputs")->capture_default_str();
    app.add_option("--seed", seed, "Seed of the mailboxes")->capture_default_str();
    CLI11_PARSE(app, argc, argv);
    try {
        fs::create_directories(work);
        fmt::print("| size | file MB | items | run | wall s | cpu s | peak MB | items/s | × cat | × pffexport |\n"
                   "|---|---|---|---|---|---|---|---|---|---|\n");
        std::vector<double> itemsPerSecond;
        for (const auto megabytes : sizes)
            itemsPerSecond.push_back(CompareOn(work, {megabytes, itemsPerMegabyte, seed}, repeat));
        if (itemsPerSecond.empty())
            return 0;
        // How evenly varnemo-cli keeps its pace from the smallest mailbox to the largest.
        const auto [slowest, fastest] = std::minmax_element(itemsPerSecond.begin(), itemsPerSecond.end());
        fmt::print("\nvarnemo-cli convert: {:.0f} items/s at the slowest size, {:.0f} at the fastest: {:.2f}\n",
                   *slowest, *fastest, *slowest / *fastest);
    } catch (const std::exception& error) {
        fmt::print(stderr, "compare: {}\n", error.what());
        return 1;
    }
    return 0;
}
