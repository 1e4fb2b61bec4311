#include "fake_server/mailbox_file.h"

#include "fake_classes.h"
#include "fake_server/fake_object.h"

#include <cstdlib>
#include <fstream>

namespace varnemo::testing {

std::shared_ptr<const nlohmann::json> ReadMailboxFile()
{
    const char* path = std::getenv(kMailboxVariable);
    std::ifstream file(path ? path : "");
    if (!file)
        throw FakeFailure{"fake", std::string("no mailbox file in ") + kMailboxVariable, E_FAIL};
    return std::make_shared<const nlohmann::json>(nlohmann::json::parse(file));
}

}  // namespace varnemo::testing
