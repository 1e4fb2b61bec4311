#pragma once

#include "source/mapi.h"

#include <string>

namespace varnemo {

// The sentences that tell a user that a data file was not read as it stands: read by the fallback
// reader, or read around damage. The completion text and the folder preview say it alike.
std::string FallbackReadSentence(const std::string& reason, bool readPastDamage);
std::string DamageReadAroundSentence(const std::string& what);

// Both of a store's sentences, one per line; empty when the store was read as it stands.
std::string ReadingNote(mapi::Store& store);

}  // namespace varnemo
