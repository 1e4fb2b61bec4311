#include "fake_server/fake_notes.h"

#include "fake_server/call_log.h"
#include "fake_server/mailbox_file.h"
#include "fake_server/variant_text.h"

#include <filesystem>
#include <fstream>

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

IDispatch* NewDocument()
{
    auto* object = new FakeObject("NotesDocument");
    object->OnAnyAssignment([object](const Invocation& call) { LogLine(DescribeCall(object->typeName(), call)); });
    OnLogged(*object, "CreateRichTextItem", [](const Invocation& call) { call.ReturnObject(NewRichTextItem()); });
    OnLogged(*object, "Save", [](const Invocation& call) {
        call.result->vt = VT_BOOL;
        call.result->boolVal = VARIANT_TRUE;
    });
    OnLogged(*object, "PutInFolder", [](const Invocation&) {});
    return object;
}

IDispatch* NewDatabase()
{
    auto* object = new FakeObject("NotesDatabase");
    OnLogged(*object, "CreateCopy", [](const Invocation& call) {
        const auto path = FilePath(call.Text(1));
        if (std::filesystem::exists(path))
            throw FakeFailure{"Notes", "Database " + call.Text(1) + " already exists", kNotesError};
        std::ofstream(path, std::ios::binary) << "fake Notes database";
        call.ReturnObject(NewDatabase());
    });
    OnLogged(*object, "EnableFolder", [](const Invocation&) {});
    OnLogged(*object, "CreateDocument", [](const Invocation& call) { call.ReturnObject(NewDocument()); });
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
            call.ReturnObject(NewDatabase());
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
