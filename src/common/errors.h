#pragma once

#include <memory>
#include <stdexcept>
#include <string>

namespace varnemo {

// The one error type of the platform components (mailbox reader, Notes store) and of the
// procedures built on them. Its text says what failed and on which file, folder or item.
class ComponentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An object whose creation failed in a best-effort procedure stays empty; a later step that
// needs it fails in turn with a ComponentError instead of dereferencing nothing.
template <class T>
T& Required(const std::unique_ptr<T>& object, const char* what)
{
    if (!object)
        throw ComponentError(std::string("no ") + what + " to work on (an earlier step failed)");
    return *object;
}

}  // namespace varnemo

namespace varnemo {

// Thrown once the window has been told to end the program, so that the work in progress
// unwinds at once without running any further step.
class ProgramEnding : public std::exception {
public:
    const char* what() const noexcept override { return "the program is ending"; }
};

}  // namespace varnemo
