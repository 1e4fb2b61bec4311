#include "shell/shell.h"

#include "shell/path_text.h"

#include <random>
#include <system_error>

namespace varnemo {

std::string GetFileName(const std::string& path)
{
    const auto separator = path.rfind(kPathSeparator);
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

namespace {

// A dangling link takes its name too: a file created under it would land wherever it points.
bool NameIsTaken(const std::filesystem::path& path)
{
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

}  // namespace

std::string NextFreeFileName(const std::string& path)
{
    const auto wanted = PathFromText(path);
    auto candidate = wanted;
    for (int number = 2; NameIsTaken(candidate); ++number)
        candidate = wanted.parent_path() /
                    PathFromText(TextFromPath(wanted.stem()) + "-" + std::to_string(number) +
                                 TextFromPath(wanted.extension()));
    return candidate == wanted ? path : TextFromPath(candidate);
}

std::filesystem::path CreateUniqueFolder(const std::filesystem::path& parent, const std::string& prefix)
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    constexpr int kAttempts = 100;
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<size_t> letter(0, sizeof kLetters - 2);
    std::error_code error;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::string name = prefix;
        for (int count = 0; count < 8; ++count)
            name += kLetters[letter(random)];
        const auto folder = parent / name;
        // create_directory reports false, without an error, when the name is taken already.
        if (std::filesystem::create_directory(folder, error))
            return folder;
        if (error)
            break;
    }
    if (!error)
        error = std::make_error_code(std::errc::file_exists);
    throw std::filesystem::filesystem_error("cannot create a new folder", parent / prefix, error);
}

}  // namespace varnemo
