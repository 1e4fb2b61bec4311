#include "cli/commands.h"
#include "common/text.h"
#include "source/default_profile.h"

#include <fmt/format.h>

namespace varnemo::cli {

int RunStores(const BackendOptions& options)
{
    auto backends = CreateBackends(options);
    auto session = LogOnToDefaultProfile(*backends.mapi);
    auto& stores = session->GetStores();
    const long count = stores.Count();
    for (long index = 1; index <= count; ++index) {
        auto store = stores.Item(index);
        if (TrimBlanks(store->QualifyingText()).empty())
            continue;
        fmt::print("{}\t{}\t{}\n", store->Name(), store->EntryID(), store->PstPath());
    }
    if (count == 0)
        fmt::print(stderr, "No data files in {}\n", options.profileFolder.string());
    session->Logoff();
    return kSuccess;
}

}  // namespace varnemo::cli
