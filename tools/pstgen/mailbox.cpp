#include "mailbox.h"

namespace pstgen {

std::optional<Encoding> EncodingNamed(std::string_view name)
{
    if (name == "none")
        return Encoding::None;
    if (name == "compressible")
        return Encoding::Compressible;
    if (name == "high")
        return Encoding::High;
    return std::nullopt;
}

std::string_view DefaultMessageClass(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Mail: return "IPM.Note";
    case ItemKind::Appointment: return "IPM.Appointment";
    case ItemKind::Task: return "IPM.Task";
    case ItemKind::Contact: return "IPM.Contact";
    case ItemKind::DistributionList: return "IPM.DistList";
    case ItemKind::StickyNote: return "IPM.StickyNote";
    case ItemKind::Journal: return "IPM.Activity";
    }
    return "IPM.Note";
}

}  // namespace pstgen
