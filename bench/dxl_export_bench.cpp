// Fills a database of the local store with generated mail (documents of several item types,
// one in ten with a 1 MiB attachment) and exports it as DXL, printing the time and the peak
// memory of the process before and after the export. Each size runs in a process of its own,
// so that every peak figure belongs to that size alone.
//
//   dxl_export_bench [MEGABYTES...]     (default: 64 256 1024, megabytes of attachments)
#include "notes/dxl/database_export.h"
#include "notes/local/local_notes.h"

#include "peak_memory.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fmt/format.h>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace varnemo;

namespace {

constexpr long kAttachmentSize = 1 << 20;
constexpr int kDocumentsPerAttachment = 10;

double SecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Bytes that do not repeat in a way base64 or SQLite could take a shortcut on.
std::filesystem::path WriteAttachmentFile(const std::filesystem::path& folder)
{
    const auto file = folder / "scan.pdf";
    std::string bytes(kAttachmentSize, '\0');
    unsigned state = 12345;
    for (auto& byte : bytes) {
        state = state * 1103515245u + 12345u;
        byte = static_cast<char>(state >> 16);
    }
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file;
}

void AddDocument(notes::Database& database, long number, const std::filesystem::path* attachment)
{
    auto document = database.CreateDocument();
    document->ReplaceItemValue("Form", std::string("Memo"));
    document->ReplaceItemValue("Subject", fmt::format("Quarterly figures {}", number));
    document->ReplaceItemValue("Body", std::string(600, 'x'));
    document->ReplaceItemValue("SendTo", std::vector<std::string>{"Ann Lee", "Bob Stone", "Carl Jones"});
    document->ReplaceItemValue("PostedDate", DateTime::Full(2026, 1 + static_cast<int>(number % 12), 3, 9, 30, 0));
    auto richText = document->CreateRichTextItem("Attachment");
    if (attachment)
        richText->EmbedObject(notes::EMBED_ATTACHMENT, "", attachment->string(), "");
    document->Save(0, 0);
    document->PutInFolder(fmt::format("Outlook\\Inbox\\{}", number % 20));
}

void Measure(long megabytes, const std::filesystem::path& work)
{
    notes::local::LocalNotes notes(work / "notes-data");
    auto session = notes.CreateSession();
    const auto databasePath = work / "bench.nsf";
    auto database = session->GetDatabase("", "mail.ntf")->CreateCopy("", databasePath.string());
    const auto attachment = WriteAttachmentFile(work);

    const auto fillStart = std::chrono::steady_clock::now();
    const long documents = megabytes * kDocumentsPerAttachment;
    for (long number = 0; number < documents; ++number)
        AddDocument(*database, number, number % kDocumentsPerAttachment == 0 ? &attachment : nullptr);
    database.reset();
    const double fillSeconds = SecondsSince(fillStart);
    const double peakBefore = PeakMegabytes();

    const auto dxlPath = work / "bench.dxl";
    const auto exportStart = std::chrono::steady_clock::now();
    {
        std::ofstream out(dxlPath, std::ios::binary);
        notes::dxl::ExportDatabase(databasePath, out);
    }
    const double exportSeconds = SecondsSince(exportStart);
    const double dxlMegabytes = static_cast<double>(std::filesystem::file_size(dxlPath)) / 1e6;
    fmt::print("{:>5} MB attachments  {:>6} documents  database {:7.1f} MB  fill {:6.1f} s  export {:6.1f} s  "
               "DXL {:7.1f} MB ({:5.1f} MB/s)  peak before export {:5.1f} MB, after {:5.1f} MB\n",
               megabytes, documents, static_cast<double>(std::filesystem::file_size(databasePath)) / 1e6,
               fillSeconds, exportSeconds, dxlMegabytes, dxlMegabytes / exportSeconds, peakBefore, PeakMegabytes());
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<long> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atol(argv[i]));
    if (sizes.empty())
        sizes = {64, 256, 1024};
    for (long size : sizes) {
        const auto work = std::filesystem::temp_directory_path() / fmt::format("varnemo-dxl-bench-{}-{}", getpid(), size);
        std::filesystem::create_directories(work);
        std::fflush(stdout);
        const pid_t child = fork();
        if (child == 0) {
            int status = 0;
            try {
                Measure(size, work);
            } catch (const std::exception& error) {
                fmt::print("{:>5} MB: {}\n", size, error.what());
                status = 1;
            }
            std::fflush(stdout);
            _exit(status);
        }
        int status = 0;
        waitpid(child, &status, 0);
        std::filesystem::remove_all(work);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            fmt::print("{:>5} MB: the run failed\n", size);
    }
}
