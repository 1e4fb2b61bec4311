#include "source/reading_note.h"

#include <fmt/format.h>

namespace varnemo {

std::string FallbackReadSentence(const std::string& reason, bool readPastDamage)
{
    return fmt::format("The data file was read by the fallback reader (libpff), as {}{}.", reason,
                       readPastDamage ? "; what was read past the damage may not be whole" : "");
}

std::string DamageReadAroundSentence(const std::string& what)
{
    return fmt::format("The data file is damaged: {}.", what);
}

std::string ReadingNote(mapi::Store& store)
{
    std::string note;
    if (const auto reason = store.FallbackReason(); !reason.empty())
        note = FallbackReadSentence(reason, store.ReadPastDamage());
    if (const auto damage = store.DamageReadAround(); !damage.empty())
        note += (note.empty() ? "" : "\n") + DamageReadAroundSentence(damage);
    return note;
}

}  // namespace varnemo
