#pragma once

#include <string>

namespace varnemo::mapi::pff::direct {

// Undoes the compressible encoding of a data block: every byte stands for another.
void DecodePermuted(std::string& block);

}  // namespace varnemo::mapi::pff::direct
