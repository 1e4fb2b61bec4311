#include "cli/commands.h"
#include "cli/data_file.h"

#include <fmt/format.h>

namespace varnemo::cli {

int RunFolders(const BackendOptions& options, const std::string& dataFile)
{
    auto backends = CreateBackends(options);
    const auto opened = OpenDataFile(*backends.mapi, dataFile);
    // On standard error, as convert says it: the listing on standard output stays a listing.
    if (!opened.fallbackReason.empty())
        SayFallbackRead(dataFile, opened.fallbackReason);
    if (!opened.damageReadAround.empty())
        SayDamageReadAround(dataFile, opened.damageReadAround);
    for (size_t number = 1; number <= opened.tree.Count(); ++number) {
        const auto& node = opened.tree.Node(number);
        const std::string indent(static_cast<size_t>(node.level) * 2, ' ');
        if (node.tag.empty())
            fmt::print("{}{}\n", indent, node.text);
        else if (node.Readable())
            fmt::print("{}{}\t{}\n", indent, node.text, node.tag);
        else
            fmt::print("{}{}\t{}\t{}\n", indent, node.text, node.tag, node.error);
    }
    return kSuccess;
}

}  // namespace varnemo::cli
