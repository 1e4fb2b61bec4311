#include "common/shared_library.h"

#include "common/errors.h"

#include <dlfcn.h>
#include <fmt/format.h>
#include <utility>

namespace varnemo {

SharedLibrary::SharedLibrary(std::string fileName) : fileName_(std::move(fileName))
{
    handle_ = dlopen(fileName_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_)
        throw ComponentError(fmt::format("cannot load a library: {}", dlerror()));  // names the file
}

void* SharedLibrary::Symbol(const char* name) const
{
    void* symbol = dlsym(handle_, name);
    if (!symbol)
        throw ComponentError(fmt::format("{} has no function {}", fileName_, name));
    return symbol;
}

}  // namespace varnemo
