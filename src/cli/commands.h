#pragma once

#include "backends/backends.h"

#include <string>
#include <vector>

namespace varnemo::cli {

// Exit statuses of varnemo-cli.
enum ExitStatus { kSuccess = 0, kFailure = 1, kUsageError = 2, kStoppedByUser = 3 };

struct ConvertOptions {
    // Each into a new database of its own in newDatabaseFolder, or all into existingDatabase.
    std::vector<std::string> dataFiles;
    std::string newDatabaseFolder;  // a new database in "Converted Outlook PST" below this folder
    std::string existingDatabase;   // or an existing database
    std::vector<std::string> folders;  // folder paths as in the tags; none means every folder
    std::string reportFile;            // where to write the conversion report, if anywhere
    bool duplicates = false;           // add items that the database already holds
};

int RunStores(const BackendOptions& backends);
int RunFolders(const BackendOptions& backends, const std::string& dataFile);
int RunConvert(const BackendOptions& backends, const ConvertOptions& options);
#ifdef VARNEMO_LOCAL_BACKENDS
int RunShow(const std::string& database, bool json);
// outputFile "" writes to standard output.
int RunExportDxl(const std::string& database, const std::string& outputFile);
int RunImportDxl(const std::string& dxlFile, const std::string& database);
#endif

}  // namespace varnemo::cli
