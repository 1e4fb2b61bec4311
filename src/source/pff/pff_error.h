#pragma once

#include "common/errors.h"
#include "source/pff/libpff_library.h"

#include <string>
#include <string_view>
#include <utility>

namespace varnemo::mapi::pff {

// The error slot of one libpff call, freed when it goes out of scope.
class PffError {
public:
    PffError() = default;
    PffError(const PffError&) = delete;
    PffError& operator=(const PffError&) = delete;
    ~PffError();

    libpff_error_t** out() { return &error_; }
    // libpff's own account of what went wrong, on one line.
    std::string message() const;

private:
    libpff_error_t* error_ = nullptr;
};

// "<what> (<where>): <libpff's account>" — what we were doing, on which file, folder or item.
ComponentError PffFailure(std::string_view what, std::string_view where, const PffError& error);

// Runs one libpff call that reports into the error slot it is given. A failure (-1) becomes a
// ComponentError; otherwise the call's result comes back (1 found, 0 "not there").
template <class Call>
int CheckPff(std::string_view what, std::string_view where, Call&& call)
{
    PffError error;
    const int result = std::forward<Call>(call)(error.out());
    if (result < 0)
        throw PffFailure(what, where, error);
    return result;
}

}  // namespace varnemo::mapi::pff
