#pragma once

// What the bad-input suites share: a conversion through varnemo-cli into a fresh folder, and
// the checks that a run ended with a clear message and lost nothing.

#include "cli_process.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace varnemo::testing {

inline ::testing::AssertionResult Says(const std::string& message, const std::string& part)
{
    if (message.find(part) != std::string::npos)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << message << "\" does not say \"" << part << "\"";
}

// The databases that a run made in the new-database folder below output.
inline std::vector<std::filesystem::path> DatabasesBelow(const std::filesystem::path& output)
{
    std::vector<std::filesystem::path> found;
    const auto folder = output / "Converted Outlook PST";
    if (!std::filesystem::exists(folder))
        return found;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        found.push_back(entry.path());
    return found;
}

class BadInputTest : public ::testing::Test {
protected:
    // A new database below output_.
    CliOutcome ConvertToNew(const std::filesystem::path& source, const CliConditions& conditions = {})
    {
        return Keep(source.filename().string(),
                    RunCli({"convert", source.string(), "--new-db", output_.string(), "--notes-data",
                            notesData_.string(), "--profile", profile_.string()},
                           conditions));
    }

    CliOutcome ConvertInto(const std::filesystem::path& source, const std::filesystem::path& database,
                           const CliConditions& conditions = {})
    {
        return Keep("into " + database.filename().string(),
                    RunCli({"convert", source.string(), "--into", database.string(), "--notes-data",
                            notesData_.string(), "--profile", profile_.string()},
                           conditions));
    }

    // The message goes into the test's record (--gtest_output=xml), under the name of the file
    // it is about, for whoever reviews the wording; a run that a signal ended fails the test.
    CliOutcome Keep(const std::string& file, CliOutcome outcome)
    {
        RecordProperty(file, outcome.err);
        EXPECT_EQ(outcome.signal, 0) << "varnemo-cli was ended by signal " << outcome.signal << "\n" << outcome.err;
        return outcome;
    }

    TempDir temp_;
    std::filesystem::path output_ = temp_.path() / "output";
    std::filesystem::path notesData_ = temp_.path() / "notes";
    // An empty profile (a folder that does not exist): the data file is given by path.
    std::filesystem::path profile_ = temp_.path() / "profile";
};

}  // namespace varnemo::testing
