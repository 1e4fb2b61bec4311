#include "source/pff/pff_error.h"

#include <fmt/format.h>

#include <array>

namespace varnemo::mapi::pff {

PffError::~PffError()
{
    if (error_)
        Libpff().libpff_error_free(&error_);
}

std::string PffError::message() const
{
    std::array<char, 8192> text{};
    if (!error_ || Libpff().libpff_error_backtrace_sprint(error_, text.data(), text.size()) < 0)
        return "no details from libpff";
    // libpff stacks one line per level of its call chain, the root cause first: keep the
    // outermost account and the cause.
    std::string_view lines(text.data());
    while (!lines.empty() && (lines.back() == '\n' || lines.back() == ' '))
        lines.remove_suffix(1);
    const auto firstEnd = lines.find('\n');
    if (firstEnd == std::string_view::npos)
        return std::string(lines);
    const auto cause = lines.substr(0, firstEnd);
    const auto outermost = lines.substr(lines.rfind('\n') + 1);
    return fmt::format("{} (cause: {})", outermost, cause);
}

ComponentError PffFailure(std::string_view what, std::string_view where, const PffError& error)
{
    return ComponentError(fmt::format("{} ({}): {}", what, where, error.message()));
}

}  // namespace varnemo::mapi::pff
