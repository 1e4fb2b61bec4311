#include "fake_server/fake_notes.h"

#include "fake_server/call_log.h"
#include "fake_server/mailbox_file.h"
#include "fake_server/variant_text.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace varnemo::testing {
namespace {

constexpr HRESULT kNotesError = static_cast<HRESULT>(0x80040FA3);

std::filesystem::path FilePath(const std::string& utf8)
{
    return std::filesystem::path(Wide(utf8));
}

bool IsInDataDirectory(const std::string& path)
{
    return !FilePath(path).is_absolute();
}

IDispatch* NewRichTextItem()
{
    auto* object = new FakeObject("NotesRichTextItem");
    object->On("EmbedObject", [object](const Invocation& call) {
        std::error_code error;
        const auto size = std::filesystem::file_size(FilePath(call.Text(2)), error);
        LogLine(DescribeCall(object->typeName(), call) + (error ? "  # no such file" : "  # " + std::to_string(size) + " bytes"));
        if (error)
            throw FakeFailure{"Notes", "File not found or not readable: " + call.Text(2), kNotesError};
        call.ReturnObject(new FakeObject("NotesEmbeddedObject"));
    });
    return object;
}

// The documents saved into a fake database, a JSON object of their text items a line, in a file
// beside it: a later run, in another process, finds them there as it would in Notes.
std::filesystem::path DocumentsFile(const std::string& database)
{
    return FilePath(database + ".documents");
}

std::vector<nlohmann::json> SavedDocuments(const std::string& database)
{
    std::vector<nlohmann::json> documents;
    std::ifstream in(DocumentsFile(database));
    for (std::string line; std::getline(in, line);)
        documents.push_back(nlohmann::json::parse(line));
    return documents;
}

void ReturnBool(const Invocation& call, bool value)
{
    call.result->vt = VT_BOOL;
    call.result->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

// A document that a database's AllDocuments hands out: its text items can be read.
IDispatch* NewSavedDocument(nlohmann::json items)
{
    auto* object = new FakeObject("NotesDocument");
    object->On("HasItem", [items](const Invocation& call) { ReturnBool(call, items.contains(call.Text(0))); });
    object->On("GetFirstItem", [items](const Invocation& call) {
        auto* item = new FakeObject("NotesItem");
        item->On("Text", [text = items.at(call.Text(0)).get<std::string>()](const Invocation& get) {
            get.ReturnText(text);
        });
        call.ReturnObject(item);
    });
    return object;
}

IDispatch* NewDocumentCollection(std::vector<nlohmann::json> documents)
{
    auto* object = new FakeObject("NotesDocumentCollection");
    object->On("Count", [count = static_cast<long>(documents.size())](const Invocation& call) {
        call.ReturnLong(count);
    });
    object->On("GetNthDocument", [documents](const Invocation& call) {
        call.ReturnObject(NewSavedDocument(documents.at(static_cast<size_t>(call.Long(0) - 1))));
    });
    return object;
}

IDispatch* NewDocument(const std::string& database)
{
    auto* object = new FakeObject("NotesDocument");
    auto texts = std::make_shared<nlohmann::json>(nlohmann::json::object());
    object->OnAnyAssignment([object, texts](const Invocation& call) {
        LogLine(DescribeCall(object->typeName(), call));
        if (call.arguments.at(0)->vt == VT_BSTR)
            (*texts)[call.member] = call.Text(0);
    });
    OnLogged(*object, "CreateRichTextItem", [](const Invocation& call) { call.ReturnObject(NewRichTextItem()); });
    OnLogged(*object, "Save", [database, texts](const Invocation& call) {
        if (!IsInDataDirectory(database))
            std::ofstream(DocumentsFile(database), std::ios::app) << texts->dump() << "\n";
        ReturnBool(call, true);
    });
    OnLogged(*object, "PutInFolder", [](const Invocation&) {});
    return object;
}

IDispatch* NewDatabase(const std::string& path)
{
    auto* object = new FakeObject("NotesDatabase");
    OnLogged(*object, "CreateCopy", [](const Invocation& call) {
        const auto path = FilePath(call.Text(1));
        if (std::filesystem::exists(path))
            throw FakeFailure{"Notes", "Database " + call.Text(1) + " already exists", kNotesError};
        std::ofstream(path, std::ios::binary) << "fake Notes database";
        call.ReturnObject(NewDatabase(call.Text(1)));
    });
    OnLogged(*object, "EnableFolder", [](const Invocation&) {});
    OnLogged(*object, "CreateDocument", [path](const Invocation& call) { call.ReturnObject(NewDocument(path)); });
    OnLogged(*object, "AllDocuments",
             [path](const Invocation& call) { call.ReturnObject(NewDocumentCollection(SavedDocuments(path))); });
    return object;
}

class FakeNotesSession : public FakeObject {
public:
    FakeNotesSession() : FakeObject("NotesSession"), environment_(ReadMailboxFile())
    {
        OnLogged(*this, "GetDatabase", [](const Invocation& call) {
            const auto path = call.Text(1);
            if (!IsInDataDirectory(path) && !std::filesystem::is_regular_file(FilePath(path)))
                throw FakeFailure{"Notes", "File does not exist: " + path, kNotesError};
            call.ReturnObject(NewDatabase(path));
        });
        OnLogged(*this, "GetEnvironmentString", [this](const Invocation& call) {
            // A setting that is not a system one is kept under its name with a "$" in front.
            const bool system = call.arguments.size() > 1 && call.Long(1) != 0;
            const auto settings = environment_->value("notes", nlohmann::json::object());
            call.ReturnText(settings.value((system ? "" : "$") + call.Text(0), ""));
        });
    }
    ~FakeNotesSession() override
    {
        LogLine("NotesSession released; Notes objects left: " + std::to_string(Live("Notes") - 1));
    }

private:
    std::shared_ptr<const nlohmann::json> environment_;
};

}  // namespace

IDispatch* NewFakeNotesSession()
{
    return new FakeNotesSession();
}

}  // namespace varnemo::testing
