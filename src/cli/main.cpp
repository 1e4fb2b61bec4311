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

}  // namespace

int main(int argc, char** argv)
{
    CLI::App app{"Varnemo by Kestrova: converts Outlook mailboxes into Lotus Notes mail databases."};
    app.set_version_flag("--version", "varnemo-cli 3.0");
    app.require_subcommand(1);

    BackendOptions backends = BackendOptions::Defaults();
    std::string dataFile, database;
    bool json = false;
    ConvertOptions convert;

    auto* stores = app.add_subcommand("stores", "List the stores of the default profile (name, entry id, path)");
    AddBackendOptions(*stores, backends);

    auto* folders = app.add_subcommand("folders", "Show a data file's folder tree with item counts and tags");
    folders->add_option("PST", dataFile, "Outlook data file")->required();
    AddBackendOptions(*folders, backends);

    auto* run = app.add_subcommand("convert", "Convert a data file into a new or an existing Notes database");
    run->add_option("PST", convert.dataFile, "Outlook data file")->required();
    auto* newDb = run->add_option("--new-db", convert.newDatabaseFolder,
                                  "Create a new database in \"Converted Outlook PST\" below this folder");
    auto* into = run->add_option("--into", convert.existingDatabase, "Convert into this existing database");
    newDb->excludes(into);
    run->add_option("--folder", convert.folders, "Convert only this folder (a path as in the tags; repeatable)");
    run->add_option("--report", convert.reportFile, "Write a report of every item that was not converted");
    AddBackendOptions(*run, backends);

    auto* show = app.add_subcommand("show", "Show every document of a Notes database of the local store");
    show->add_option("DATABASE", database, "Database file")->required();
    show->add_flag("--json", json, "One JSON object instead of text");

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
        return RunShow(database, json);
    } catch (const ComponentError& error) {
        fmt::print(stderr, "varnemo-cli: {}\n", error.what());
        return kFailure;
    }
}
