// pstgen: writes Outlook data files (Unicode PST) for tests and benchmarks.
#include "mailbox_json.h"
#include "pst_writer.h"
#include "synthetic_mailbox.h"

#include <CLI/CLI.hpp>
#include <fmt/format.h>

#include <cstdio>

int main(int argc, char** argv)
{
    CLI::App app{"pstgen: writes Outlook data files (Unicode PST) for tests and benchmarks."};
    app.require_subcommand(1);
    app.footer(std::string(pstgen::MailboxJsonHelp()));

    pstgen::SynthOptions synth;
    std::string output, description;
    auto* synthCommand = app.add_subcommand("synth", "Write a synthetic mailbox, the same for the same seed");
    synthCommand->add_option("--items", synth.items, "Number of items")->capture_default_str();
    synthCommand->add_option("--attachment-mb", synth.attachmentMegabytes, "Megabytes of attachments over the mail")
        ->capture_default_str();
    synthCommand->add_option("--seed", synth.seed, "Seed of the contents")->capture_default_str();
    std::string encoding = "none";
    synthCommand->add_option("--encoding", encoding, "How item data is encoded: none, compressible or high")
        ->check([](const std::string& name) { return pstgen::EncodingNamed(name) ? "" : "unknown encoding " + name; })
        ->capture_default_str();
    synthCommand->add_option("OUT", output, "Data file to write")->required();

    auto* describeCommand = app.add_subcommand("describe", "Write the mailbox described by a JSON file (see below)");
    describeCommand->add_option("MAILBOX", description, "JSON description")->required()->check(CLI::ExistingFile);
    describeCommand->add_option("OUT", output, "Data file to write")->required();

    CLI11_PARSE(app, argc, argv);
    try {
        synth.encoding = *pstgen::EncodingNamed(encoding);
        const auto mailbox = *synthCommand ? pstgen::SynthesizeMailbox(synth) : pstgen::ReadMailboxJson(description);
        pstgen::WritePst(mailbox, output);
    } catch (const std::exception& error) {
        fmt::print(stderr, "pstgen: {}\n", error.what());
        return 1;
    }
    return 0;
}
