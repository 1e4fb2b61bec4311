// Fuzz target: the fuzzer's bytes as an Outlook data file, read the way varnemo-cli reads one:
// the folder tree first, then every folder, every item value, every attachment (saved to a
// file) and every member of a distribution list. A ComponentError is the expected answer to a
// damaged file; a crash, a sanitizer report, a hang or a leak is a finding.
#include "source/folder_tree.h"
#include "source/pff/pff_mapi.h"
#include "whole_store_reader.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using namespace varnemo;

// One folder for the whole fuzzing process: the input file and the saved attachments are
// overwritten on every run.
const fs::path& ScratchFolder()
{
    static const fs::path folder = [] {
        auto pattern = (fs::temp_directory_path() / "varnemo-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        std::atexit([] { fs::remove_all(ScratchFolder()); });
        return fs::path(pattern);
    }();
    return folder;
}

void WriteInput(const fs::path& path, const std::uint8_t* data, std::size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out)
        std::abort();  // the scratch folder is broken, not the input
}

void BuildTree(const fs::path& dataFile)
{
    auto session = mapi::pff::PffMapi(ScratchFolder() / "no profile").CreateSession();
    session->Logon();
    try {
        auto store = session->GetStores().AddPSTStore(dataFile.string());
        FolderTree tree;
        BuildFolderTree(*store, tree, [] {});
    } catch (const ComponentError&) {
        // refused or damaged: the answer varnemo-cli gives the user
    }
    session->Logoff();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto dataFile = ScratchFolder() / "input.pst";
    WriteInput(dataFile, data, size);
    BuildTree(dataFile);
    testing::WholeStoreReader(ScratchFolder()).Read(dataFile);
    return 0;
}
