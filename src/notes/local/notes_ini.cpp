#include "notes/local/notes_ini.h"

#include <algorithm>
#include <cctype>
#include <fstream>

namespace varnemo::notes::local {
namespace {

bool SameNameIgnoringCase(std::string_view left, std::string_view right)
{
    return std::ranges::equal(left, right, [](unsigned char a, unsigned char b) {
        return std::tolower(a) == std::tolower(b);
    });
}

}  // namespace

std::string ReadNotesIniSetting(const std::filesystem::path& iniPath, const std::string& name)
{
    if (name.empty())
        return {};
    std::ifstream in(iniPath);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto equals = line.find('=');
        if (equals != std::string::npos && SameNameIgnoringCase(std::string_view(line).substr(0, equals), name))
            return line.substr(equals + 1);
    }
    return {};
}

}  // namespace varnemo::notes::local
