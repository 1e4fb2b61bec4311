#include "notes/com/com_session.h"

#include "notes/com/com_document.h"

namespace varnemo::notes::com {

using varnemo::com::Variant;

std::unique_ptr<Database> ComDatabase::CreateCopy(const std::string& server, const std::string& path)
{
    return std::make_unique<ComDatabase>(
        database_.CallObject("CreateCopy", "NotesDatabase", Variant::Text(server), Variant::Text(path)));
}

void ComDatabase::EnableFolder(const std::string& folderName)
{
    database_.Call("EnableFolder", Variant::Text(folderName));
}

std::unique_ptr<Document> ComDatabase::CreateDocument()
{
    return std::make_unique<ComDocument>(database_.CallObject("CreateDocument", "NotesDocument"));
}

std::vector<std::string> ComDatabase::TextsOfItem(const std::string& itemName)
{
    const auto documents = database_.CallObject("AllDocuments", "NotesDocumentCollection");
    const long count = documents.GetLong("Count");
    std::vector<std::string> texts;
    for (long number = 1; number <= count; ++number) {
        const auto document =
            documents.CallObject("GetNthDocument", "NotesDocument", Variant::Int32(static_cast<std::int32_t>(number)));
        if (LongOf(document.Call("HasItem", Variant::Text(itemName)), "NotesDocument.HasItem") != 0)
            texts.push_back(document.CallObject("GetFirstItem", "NotesItem", Variant::Text(itemName)).GetText("Text"));
    }
    return texts;
}

std::unique_ptr<Database> ComSession::GetDatabase(const std::string& server, const std::string& path)
{
    return std::make_unique<ComDatabase>(
        session_.CallObject("GetDatabase", "NotesDatabase", Variant::Text(server), Variant::Text(path)));
}

std::string ComSession::GETENVIRONMENTSTRING(const std::string& name, bool system)
{
    return TextOf(session_.Call("GETENVIRONMENTSTRING", Variant::Text(name), Variant::Bool(system)),
                  "NotesSession.GETENVIRONMENTSTRING(" + name + ")");
}

}  // namespace varnemo::notes::com
