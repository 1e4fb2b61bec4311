#include "notes/local/data_directory.h"

#include "common/errors.h"
#include "notes/local/design_store.h"
#include "notes/local/sqlite_connection.h"
#include "notes/local/standard_templates.h"
#include "notes/local/store_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fmt/format.h>

namespace varnemo::notes::local {
namespace {

constexpr std::string_view kNotesIniContent =
    "[Notes]\n"
    "DefaultMailTemplate=mail.ntf\n"
    "NAMES=names.nsf\n";

std::filesystem::path FromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::filesystem::path(value) : std::filesystem::path();
}

void CreateDirectory(const std::filesystem::path& directory)
{
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error)
        throw ComponentError(
            fmt::format("cannot create the Notes data directory {}: {}", directory.string(), error.message()));
}

// "wx" opens exclusively: a notes.ini that appeared meanwhile is left alone.
void CreateNotesIni(const std::filesystem::path& path)
{
    std::FILE* file = std::fopen(path.c_str(), "wx");
    if (!file) {
        if (errno == EEXIST)
            return;
        throw ComponentError(fmt::format("cannot create {}: {}", path.string(), std::strerror(errno)));
    }
    const bool written = std::fwrite(kNotesIniContent.data(), 1, kNotesIniContent.size(), file) ==
                         kNotesIniContent.size();
    if (std::fclose(file) != 0 || !written) {
        std::remove(path.c_str());
        throw ComponentError(fmt::format("cannot write {}", path.string()));
    }
}

DatabaseDesign DatabaseFromTemplate(const std::filesystem::path& templatePath)
{
    DatabaseDesign design = ReadDesign(*OpenStoreForReading(templatePath));
    design.isTemplate = false;
    return design;
}

bool Exists(const std::filesystem::path& path)
{
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}

}  // namespace

std::filesystem::path DefaultNotesDataDirectory()
{
    if (auto dataHome = FromEnvironment("XDG_DATA_HOME"); dataHome.is_absolute())
        return dataHome / "varnemo" / "notes";
    if (auto home = FromEnvironment("HOME"); !home.empty())
        return home / ".local" / "share" / "varnemo" / "notes";
    throw ComponentError("no place for the Notes data directory: neither XDG_DATA_HOME nor HOME is set");
}

void ProvisionDataDirectory(const std::filesystem::path& directory)
{
    CreateDirectory(directory);
    if (!Exists(directory / kNotesIniFile))
        CreateNotesIni(directory / kNotesIniFile);
    if (!Exists(directory / kMailTemplateFile))
        CreateStore(directory / kMailTemplateFile, MailTemplateDesign());
    if (!Exists(directory / kAddressBookTemplateFile))
        CreateStore(directory / kAddressBookTemplateFile, PersonalAddressBookTemplateDesign());
    if (!Exists(directory / kAddressBookFile))
        CreateStore(directory / kAddressBookFile, DatabaseFromTemplate(directory / kAddressBookTemplateFile));
}

}  // namespace varnemo::notes::local
