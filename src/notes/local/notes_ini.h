#pragma once

#include <filesystem>
#include <string>

namespace varnemo::notes::local {

// The value of a notes.ini setting. Names compare without regard to case, as Notes compares
// them; a missing file or setting gives "". Section lines ("[Notes]") are skipped.
std::string ReadNotesIniSetting(const std::filesystem::path& iniPath, const std::string& name);

}  // namespace varnemo::notes::local
