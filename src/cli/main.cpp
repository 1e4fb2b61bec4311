// varnemo-cli: the conversion without windows, for scripts and batch work.
#include "cli/commands.h"
#include "common/errors.h"

#include <CLI/CLI.hpp>
#include <fmt/format.h>

using namespace varnemo;
using namespace varnemo::cli;

namespace {

void AddBackendOptions(CLI::App& command, BackendOptions& options)
{
    command.add_option("--profile", options.profileFolder, "Folder of the default profile's data files");
    command.add_option("--notes-data", options.notesDataDirectory, "The local Notes data directory");
}

#ifdef VARNEMO_LOCAL_BACKENDS
// The commands that read and write databases of the local store.
class LocalStoreCommands {
public:
    explicit LocalStoreCommands(CLI::App& app)
    {
        show_ = app.add_subcommand("show", "Show every document of a Notes database of the local store");
        show_->add_option("DATABASE", database_, "Database file")->required();
        show_->add_flag("--json", json_, "One JSON object instead of text");

        exportDxl_ = app.add_subcommand("export-dxl", "Write a database of the local store as DXL, for Notes or Domino");
        exportDxl_->add_option("DATABASE", database_, "Database file")->required();
        exportDxl_->add_option("-o,--output", dxlFile_, "The DXL file to write (standard output without it)");

        importDxl_ = app.add_subcommand("import-dxl", "Read a DXL file of export-dxl into an existing database");
        importDxl_->add_option("FILE", dxlFile_, "DXL file")->required();
        importDxl_->add_option("DATABASE", database_, "Database file")->required();
    }

    // Runs the one that was chosen.
    int Run() const
    {
        if (*show_)
            return RunShow(database_, json_);
        if (*exportDxl_)
            return RunExportDxl(database_, dxlFile_);
        return RunImportDxl(dxlFile_, database_);
    }

private:
    std::string database_, dxlFile_;
    bool json_ = false;
    CLI::App* show_;
    CLI::App* exportDxl_;
    CLI::App* importDxl_;
};
#endif

}  // namespace

int main(int argc, char** argv)
{
    CLI::App app{"Varnemo by Kestrova: converts Outlook mailboxes into Lotus Notes mail databases."};
    app.set_version_flag("--version", [] {
        return "varnemo-cli 3.0\n" + CreateBackends(BackendOptions::Defaults()).description;
    });
    app.require_subcommand(1);

    BackendOptions backends = BackendOptions::Defaults();
    std::string dataFile;
    ConvertOptions convert;

    auto* stores = app.add_subcommand("stores", "List the stores of the default profile (name, entry id, path)");
    AddBackendOptions(*stores, backends);

    auto* folders = app.add_subcommand("folders", "Show a data file's folder tree with item counts and tags");
    folders->add_option("PST", dataFile, "Outlook data file")->required();
    AddBackendOptions(*folders, backends);

    auto* run = app.add_subcommand("convert", "Convert data files into new or an existing Notes database");
    run->add_option("PST", convert.dataFiles,
                    "Outlook data files, each into a new database of its own (--new-db) or all into one (--into)")
        ->required();
    auto* newDb = run->add_option("--new-db", convert.newDatabaseFolder,
                                  "Create a new database in \"Converted Outlook PST\" below this folder");
    auto* into = run->add_option("--into", convert.existingDatabase, "Convert into this existing database");
    newDb->excludes(into);
    run->add_option("--folder", convert.folders, "Convert only this folder (a path as in the tags; repeatable)");
    run->add_option("--report", convert.reportFile,
                    "Write a report of every item and folder that did not arrive whole, with the reason");
    run->add_flag("--duplicates", convert.duplicates,
                  "Add every item, even one that an earlier conversion brought into the database already");
    run->footer("Each data file is a run of its own with its own completion text; several end with a total line. "
                "Exit status: 0 when everything selected arrived whole; 1 when a run could not start, or items "
                "were not converted, arrived in part, or sat in folders that could not be read (each one is listed "
                "on standard error); 2 for a usage error; 3 when Ctrl+C stopped the conversion (after the item at hand, with "
                "the database whole and the completion text of what was converted; a second Ctrl+C ends the "
                "program at once).");
    AddBackendOptions(*run, backends);

#ifdef VARNEMO_LOCAL_BACKENDS
    LocalStoreCommands localStore(app);
#endif

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int status = app.exit(error);
        return status == 0 ? kSuccess : kUsageError;
    }

    try {
        if (*stores)
            return RunStores(backends);
        if (*folders)
            return RunFolders(backends, dataFile);
        if (*run) {
            if (convert.newDatabaseFolder.empty() && convert.existingDatabase.empty()) {
                fmt::print(stderr, "convert needs --new-db FOLDER or --into DATABASE\n");
                return kUsageError;
            }
            return RunConvert(backends, convert);
        }
#ifdef VARNEMO_LOCAL_BACKENDS
        return localStore.Run();
#else
        return kUsageError;
#endif
    } catch (const ComponentError& error) {
        fmt::print(stderr, "varnemo-cli: {}\n", error.what());
        return kFailure;
    }
}
