#include "source/pff/pff_error.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>

namespace varnemo::mapi::pff {

PffError::~PffError()
{
    if (error_)
        libpff_error_free(&error_);
}

std::string PffError::message() const
{
    if (!error_)
        return "no details from libpff";
    std::array<char, 2048> text{};
    if (libpff_error_sprint(error_, text.data(), text.size()) < 0)
        return "no details from libpff";
    std::string message(text.data());
    // libpff stacks one line per level of its call chain; keep them readable in one message.
    std::replace(message.begin(), message.end(), '\n', ' ');
    while (!message.empty() && message.back() == ' ')
        message.pop_back();
    return message;
}

ComponentError PffFailure(std::string_view what, std::string_view where, const PffError& error)
{
    return ComponentError(fmt::format("{} ({}): {}", what, where, error.message()));
}

}  // namespace varnemo::mapi::pff
