#include "source/com/com_attachments.h"

#include "com/wide_text.h"

namespace varnemo::mapi::com {

void ComAttachment::SaveAsFile(const std::filesystem::path& path)
{
    // The path's own wide form: no detour through a code page.
    attachment_.Call("SaveAsFile", varnemo::com::Variant::Text(varnemo::com::Narrow(path.wstring())));
}

}  // namespace varnemo::mapi::com
