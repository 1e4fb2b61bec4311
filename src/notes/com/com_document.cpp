#include "notes/com/com_document.h"

#include "notes/com/item_variant.h"

#include <limits>

namespace varnemo::notes::com {

using varnemo::com::Variant;

void ComRichTextItem::EmbedObject(int type, const std::string& objectClass, const std::string& source,
                                  const std::string& name)
{
    // EmbedObject's type is a LotusScript Integer (16 bits); 1454 fits.
    if (type < std::numeric_limits<std::int16_t>::min() || type > std::numeric_limits<std::int16_t>::max())
        throw ComponentError("EmbedObject type " + std::to_string(type) + " is out of the Integer range");
    item_.Call("EmbedObject", Variant::Int16(static_cast<std::int16_t>(type)), Variant::Text(objectClass),
               Variant::Text(source), Variant::Text(name));
}

void ComDocument::ReplaceItemValue(const std::string& name, const ItemValue& value)
{
    document_.Put(name, ItemVariant(value));
}

std::unique_ptr<RichTextItem> ComDocument::CreateRichTextItem(const std::string& name)
{
    return std::make_unique<ComRichTextItem>(
        document_.CallObject("CreateRichTextItem", "NotesRichTextItem", Variant::Text(name)));
}

void ComDocument::Save(std::int16_t force, std::int16_t createResponse)
{
    document_.Call("Save", Variant::Int16(force), Variant::Int16(createResponse));
}

void ComDocument::PutInFolder(const std::string& folderName)
{
    document_.Call("PutInFolder", Variant::Text(folderName));
}

}  // namespace varnemo::notes::com
