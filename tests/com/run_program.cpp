#include "run_program.h"

#include "temp_dir.h"

#include <stdexcept>
#include <windows.h>

namespace varnemo::testing {
namespace {

// An inheritable handle of a new file for the child's output; closed with the object.
class OutputFile {
public:
    explicit OutputFile(const std::filesystem::path& path) : path_(path)
    {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        handle_ = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE)
            throw std::runtime_error("cannot create " + path.string());
    }
    ~OutputFile() { CloseHandle(handle_); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    HANDLE handle() const { return handle_; }

private:
    std::filesystem::path path_;
    HANDLE handle_;
};

}  // namespace

ProgramResult RunProgram(const std::wstring& commandLine, const std::filesystem::path& folder)
{
    ProgramResult result;
    {
        OutputFile out(folder / "stdout.txt"), err(folder / "stderr.txt");
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = out.handle();
        startup.hStdError = err.handle();
        PROCESS_INFORMATION process{};
        std::wstring mutableLine = commandLine;
        if (!CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                            &process))
            throw std::runtime_error("cannot start a program");
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &result.exitCode);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    result.out = ReadFile(folder / "stdout.txt");
    result.err = ReadFile(folder / "stderr.txt");
    return result;
}

std::filesystem::path ProgramFolder()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).parent_path();
}

}  // namespace varnemo::testing
