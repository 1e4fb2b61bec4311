#include "common/errors.h"
#include "common/shared_library.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <zlib.h>

namespace varnemo {
namespace {

#define ZLIB_TEST_FUNCTIONS(X) X(crc32) X(zlibVersion)

VARNEMO_LIBRARY_TABLE(ZlibFunctions, ZLIB_TEST_FUNCTIONS);

TEST(SharedLibrary, ATableOfFunctionsIsResolvedAndCalledThroughTheLibrary)
{
    const auto zlib = LoadLibrary<ZlibFunctions>("libz.so.1");
    const char digits[] = "123456789";
    EXPECT_EQ(zlib.crc32(0, reinterpret_cast<const Bytef*>(digits), 9), 0xCBF43926u);
    EXPECT_STREQ(zlib.zlibVersion(), zlibVersion());
}

std::string ErrorOf(const std::function<void()>& load)
{
    try {
        load();
    } catch (const ComponentError& error) {
        return error.what();
    }
    return "no error";
}

TEST(SharedLibrary, AMissingLibraryOrFunctionIsAnErrorThatNamesIt)
{
    const auto missingLibrary = ErrorOf([] { SharedLibrary("libvarnemo-absent.so.1"); });
    EXPECT_NE(missingLibrary.find("cannot load a library: libvarnemo-absent.so.1"), std::string::npos)
        << missingLibrary;

    const auto missingFunction = ErrorOf([] {
        void (*function)() = nullptr;
        SharedLibrary("libz.so.1").Resolve("varnemo_absent_function", function);
    });
    EXPECT_EQ(missingFunction, "libz.so.1 has no function varnemo_absent_function");
}

}  // namespace
}  // namespace varnemo
