#include "common/text.h"

namespace varnemo {

std::string TrimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::vector<std::string> SplitKeepingEmpty(std::string_view text, char separator)
{
    std::vector<std::string> pieces;
    if (text.empty())
        return pieces;
    size_t start = 0;
    for (;;) {
        const auto end = text.find(separator, start);
        pieces.emplace_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
            return pieces;
        start = end + 1;
    }
}

}  // namespace varnemo
