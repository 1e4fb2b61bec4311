#pragma once

#include <filesystem>
#include <string>

namespace varnemo::testing {

// Registers the fake server DLL under the real components' ProgIDs, as
// installing Outlook with Redemption and the Notes client would; removes it all again.
class ClassRegistration {
public:
    explicit ClassRegistration(const std::filesystem::path& serverDll);
    ~ClassRegistration();
    ClassRegistration(const ClassRegistration&) = delete;
    ClassRegistration& operator=(const ClassRegistration&) = delete;

    // Takes one ProgID away again, as on a machine without that component.
    static void Unregister(const wchar_t* progId);
};

}  // namespace varnemo::testing
