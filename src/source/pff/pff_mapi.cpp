#include "source/pff/pff_mapi.h"

#include "source/pff/pff_session.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace varnemo::mapi::pff {
namespace {

std::filesystem::path HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    // A session started without a login environment still has an account entry.
    if (const passwd* account = getpwuid(getuid()); account && account->pw_dir)
        return account->pw_dir;
    return std::filesystem::current_path();
}

}  // namespace

PffMapi::PffMapi(std::filesystem::path profileFolder) : profileFolder_(std::move(profileFolder)) {}

std::filesystem::path PffMapi::DefaultProfileFolder()
{
    return HomeFolder() / "Documents" / "Outlook Files";
}

std::unique_ptr<Session> PffMapi::CreateSession()
{
    return std::make_unique<PffSession>(profileFolder_, recent_);
}

}  // namespace varnemo::mapi::pff
