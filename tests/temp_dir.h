#pragma once

#include "shell/shell.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

namespace varnemo::testing {

// A fresh directory that is removed with everything in it when the test ends.
class TempDir {
public:
    TempDir() : path_(CreateUniqueFolder(std::filesystem::temp_directory_path(), "varnemo-test-")) {}
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Points the system's temporary folder at another folder while it lives.
class TemporaryFolderOverride {
public:
#ifdef _WIN32
    static constexpr const wchar_t* kVariable = L"TMP";  // the first that GetTempPath reads
#else
    static constexpr const char* kVariable = "TMPDIR";
#endif
    explicit TemporaryFolderOverride(const std::filesystem::path& folder) : previous_(Get()) { Set(folder.c_str()); }
    ~TemporaryFolderOverride() { Set(previous_ ? previous_->c_str() : nullptr); }
    TemporaryFolderOverride(const TemporaryFolderOverride&) = delete;
    TemporaryFolderOverride& operator=(const TemporaryFolderOverride&) = delete;

private:
    // The variable in the path's own characters (wide on Windows), so that any folder name
    // arrives whole.
    using Value = std::filesystem::path::string_type;

    static std::optional<Value> Get()
    {
#ifdef _WIN32
        const wchar_t* value = _wgetenv(kVariable);
#else
        const char* value = std::getenv(kVariable);
#endif
        return value ? std::optional<Value>(value) : std::nullopt;
    }
    static void Set(const Value::value_type* value)
    {
#ifdef _WIN32
        _wputenv_s(kVariable, value ? value : L"");
#else
        value ? setenv(kVariable, value, 1) : unsetenv(kVariable);
#endif
    }

    std::optional<Value> previous_;
};

inline void WriteFile(const std::filesystem::path& path, std::string_view content)
{
    std::ofstream out(path, std::ios::binary);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

inline std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

#ifdef VARNEMO_FIXTURES_DIR
// Copies a sample PST file into dir and returns the copy's path.
inline std::filesystem::path CopyFixture(const std::string& name, const std::filesystem::path& dir)
{
    const auto target = dir / name;
    std::filesystem::copy_file(std::filesystem::path(VARNEMO_FIXTURES_DIR) / name, target,
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::permissions(target, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    return target;
}
#endif

}  // namespace varnemo::testing
