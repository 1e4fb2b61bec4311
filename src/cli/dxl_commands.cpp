#include "cli/commands.h"
#include "common/errors.h"
#include "notes/dxl/database_export.h"
#include "notes/dxl/database_import.h"

#include <filesystem>
#include <fmt/format.h>
#include <fstream>
#include <iostream>

namespace varnemo::cli {
namespace {

// The export goes to a file beside the target and takes the target's name only when it is
// complete, so that a failed export never leaves a truncated DXL file that looks finished.
void ExportToFile(const std::string& database, const std::filesystem::path& target)
{
    const auto partial = std::filesystem::path(target.string() + ".partial");
    try {
        {
            std::ofstream out(partial, std::ios::binary | std::ios::trunc);
            if (!out)
                throw ComponentError(fmt::format("cannot create {}", partial.string()));
            notes::dxl::ExportDatabase(database, out);
        }
        std::filesystem::rename(partial, target);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
        throw;
    }
}

}  // namespace

int RunExportDxl(const std::string& database, const std::string& outputFile)
{
    if (outputFile.empty())
        notes::dxl::ExportDatabase(database, std::cout);
    else
        ExportToFile(database, outputFile);
    return kSuccess;
}

int RunImportDxl(const std::string& dxlFile, const std::string& database)
{
    notes::dxl::ImportDatabase(dxlFile, database);
    return kSuccess;
}

}  // namespace varnemo::cli
