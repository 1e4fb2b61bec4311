#pragma once

#include <string>

namespace varnemo {

// A file name taken from a mailbox, made safe to create inside a folder of ours: no directory
// parts, no drive, no "." or "..", no control characters, no device name, not too long. An
// empty name becomes a generated one that carries the attachment's position.
std::string SafeFileName(const std::string& name, long position);

}  // namespace varnemo
