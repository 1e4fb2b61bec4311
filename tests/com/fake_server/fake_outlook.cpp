#include "fake_server/fake_outlook.h"

#include "fake_server/call_log.h"
#include "fake_server/mailbox_file.h"
#include "fake_server/variant_text.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <strings.h>

namespace varnemo::testing {
namespace {

using nlohmann::json;
using Mailbox = std::shared_ptr<const json>;

constexpr HRESULT kNotFound = static_cast<HRESULT>(0x8004010F);  // MAPI_E_NOT_FOUND

const std::vector<std::string> kMessageProperties = {
    "MessageClass", "Subject", "To", "CC", "BCC", "SenderName", "Body", "Categories", "EntryID"};
const std::vector<std::string> kMessageDates = {"CreationTime", "ReceivedTime", "SentOn", "ReminderTime"};
const std::vector<std::string> kContactProperties = {
    "FirstName", "MiddleName", "LastName", "Suffix", "Title", "Email1Address", "Email2Address", "Email3Address",
    "CompanyName", "JobTitle", "Department", "OfficeLocation", "BusinessAddressStreet", "BusinessAddressCity",
    "BusinessAddressState", "BusinessAddressPostalCode", "BusinessAddressCountry", "WebPage", "ManagerName",
    "AssistantName", "BusinessTelephoneNumber", "BusinessFaxNumber", "MobileTelephoneNumber", "PagerNumber",
    "HomeAddressStreet", "HomeAddressCity", "HomeAddressPostalCode", "HomeAddressState", "HomeAddressCountry",
    "Spouse", "Children", "HomeTelephoneNumber", "HomeFaxNumber"};

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.rfind(prefix, 0) == 0;
}

std::string TextOr(const json& node, const char* key, const std::string& fallback = "")
{
    return node.contains(key) ? node[key].get<std::string>() : fallback;
}

// The list under key, or an empty one; a reference into the mailbox, which the objects keep alive.
const json& ListOr(const json& node, const char* key)
{
    static const json empty = json::array();
    return node.contains(key) ? node[key] : empty;
}

// A collection with Count and a 1-based Item.
IDispatch* NewCollection(const std::string& typeName, std::vector<std::function<IDispatch*()>> elements)
{
    auto* collection = new FakeObject(typeName);
    collection->On("Count", [elements](const Invocation& call) { call.ReturnLong(static_cast<long>(elements.size())); });
    collection->On("Item", [elements, typeName](const Invocation& call) {
        const long index = call.Long(0);
        if (index < 1 || index > static_cast<long>(elements.size()))
            throw FakeFailure{"Redemption", typeName + ": no element " + std::to_string(index), DISP_E_BADINDEX};
        call.ReturnObject(elements[static_cast<size_t>(index - 1)]());
    });
    return collection;
}

IDispatch* NewAttachment(Mailbox mailbox, const json& attachment)
{
    auto* object = new FakeObject("RDOAttachment");
    object->On("FileName", [mailbox, &attachment](const Invocation& call) { call.ReturnText(TextOr(attachment, "fileName")); });
    object->On("SaveAsFile", [mailbox, &attachment](const Invocation& call) {
        std::ofstream file(std::filesystem::path(Wide(call.Text(0))), std::ios::binary | std::ios::trunc);
        file << TextOr(attachment, "content");
        if (!file)
            throw FakeFailure{"Redemption", "cannot write " + call.Text(0), STG_E_WRITEFAULT};
    });
    return object;
}

IDispatch* NewAddressEntry(Mailbox mailbox, const json& member)
{
    auto* object = new FakeObject("RDOAddressEntry");
    object->On("Name", [mailbox, &member](const Invocation& call) { call.ReturnText(TextOr(member, "name")); });
    object->On("Address", [mailbox, &member](const Invocation& call) { call.ReturnText(TextOr(member, "address")); });
    return object;
}

template <class Make>
IDispatch* NewCollectionOf(const std::string& typeName, Mailbox mailbox, const json& list, Make make)
{
    std::vector<std::function<IDispatch*()>> elements;
    for (const auto& element : list)
        elements.push_back([mailbox, &element, make] { return make(mailbox, element); });
    return NewCollection(typeName, std::move(elements));
}

std::string BytesFromHex(const std::string& hex)
{
    std::string bytes;
    for (size_t at = 0; at + 1 < hex.size(); at += 2)
        bytes.push_back(static_cast<char>(std::stoi(hex.substr(at, 2), nullptr, 16)));
    return bytes;
}

// The names of the item's properties, by its class: RDOMail's, then its kind's own.
void KindProperties(const std::string& messageClass, std::vector<std::string>& texts, std::vector<std::string>& dates)
{
    texts = kMessageProperties;
    dates = kMessageDates;
    if (StartsWith(messageClass, "IPM.Appointment")) {
        texts.push_back("Location");
        dates.insert(dates.end(), {"Start", "End"});
    } else if (StartsWith(messageClass, "IPM.Task")) {
        dates.insert(dates.end(), {"StartDate", "DueDate"});
    } else if (StartsWith(messageClass, "IPM.Contact")) {
        texts.insert(texts.end(), kContactProperties.begin(), kContactProperties.end());
        dates.insert(dates.end(), {"Birthday", "Anniversary"});
    } else if (StartsWith(messageClass, "IPM.DistList")) {
        texts.push_back("DLName");
    }
}

// Reading a property that the test marked as failing fails as an unreadable property does.
void FailIfMarked(const json& item, const Invocation& call)
{
    if (item.contains("failing") && std::find(item["failing"].begin(), item["failing"].end(), call.member) != item["failing"].end())
        throw FakeFailure{"Redemption", "the property " + call.member + " cannot be read", kNotFound};
}

IDispatch* NewItem(Mailbox mailbox, const json& item)
{
    const std::string messageClass = TextOr(item, "class", "IPM.Note");
    auto* object = new FakeObject("RDOMail");
    std::vector<std::string> texts, dates;
    KindProperties(messageClass, texts, dates);
    for (const auto& name : texts) {
        object->On(name, [mailbox, &item, messageClass](const Invocation& call) {
            FailIfMarked(item, call);
            const json& values = item.contains("texts") ? item["texts"] : json::object();
            call.ReturnText(call.member == "MessageClass" ? messageClass : TextOr(values, call.member.c_str()));
        });
    }
    for (const auto& name : dates) {
        object->On(name, [mailbox, &item](const Invocation& call) {
            FailIfMarked(item, call);
            const json& values = item.contains("dates") ? item["dates"] : json::object();
            call.ReturnDate(OleDateFromIso(TextOr(values, call.member.c_str(), "4501-01-01T00:00:00")));
        });
    }
    object->On("Importance", [mailbox, &item](const Invocation& call) { call.ReturnLong(item.value("importance", 1)); });
    // Raw properties by their MAPI names, given in hexadecimal; a property the item lacks is empty.
    object->On("Fields", [mailbox, &item](const Invocation& call) {
        const json& fields = item.contains("fields") ? item["fields"] : json::object();
        if (fields.contains(call.Text(0)))
            call.ReturnBytes(BytesFromHex(fields[call.Text(0)].get<std::string>()));
    });
    object->On("Attachments", [mailbox, &item](const Invocation& call) {
        call.ReturnObject(NewCollectionOf("RDOAttachments", mailbox, ListOr(item, "attachments"), NewAttachment));
    });
    if (StartsWith(messageClass, "IPM.DistList")) {
        object->On("Members", [mailbox, &item](const Invocation& call) {
            call.ReturnObject(NewCollectionOf("RDOAddressEntries", mailbox, item["members"], NewAddressEntry));
        });
    }
    return object;
}

const json* FindFolder(const json& folder, const std::string& entryId)
{
    if (TextOr(folder, "entryId") == entryId)
        return &folder;
    for (const auto& child : ListOr(folder, "folders")) {
        if (const json* found = FindFolder(child, entryId))
            return found;
    }
    return nullptr;
}

IDispatch* NewFolder(Mailbox mailbox, const json& folder)
{
    auto* object = new FakeObject("RDOFolder");
    object->On("Name", [mailbox, &folder](const Invocation& call) { call.ReturnText(TextOr(folder, "name")); });
    object->On("EntryID", [mailbox, &folder](const Invocation& call) { call.ReturnText(TextOr(folder, "entryId")); });
    object->On("DefaultMessageClass", [mailbox, &folder](const Invocation& call) {
        call.ReturnText(TextOr(folder, "class", "IPM.Note"));
    });
    object->On("Folders", [mailbox, &folder](const Invocation& call) {
        call.ReturnObject(NewCollectionOf("RDOFolders", mailbox, ListOr(folder, "folders"), NewFolder));
    });
    object->On("Items", [mailbox, &folder](const Invocation& call) {
        call.ReturnObject(NewCollectionOf("RDOItems", mailbox, ListOr(folder, "items"), NewItem));
    });
    return object;
}

IDispatch* NewStore(Mailbox mailbox, const json& store)
{
    auto* object = new FakeObject("RDOStore");
    object->On("Name", [mailbox, &store](const Invocation& call) { call.ReturnText(TextOr(store, "name")); });
    object->On("EntryID", [mailbox, &store](const Invocation& call) { call.ReturnText(TextOr(store, "entryId")); });
    object->On("PstPath", [mailbox, &store](const Invocation& call) { call.ReturnText(TextOr(store, "pstPath")); });
    object->On("IPMRootFolder", [mailbox, &store](const Invocation& call) { call.ReturnObject(NewFolder(mailbox, store["top"])); });
    OnLogged(*object, "GetFolderFromID", [mailbox, &store](const Invocation& call) {
        const json* folder = FindFolder(store["top"], call.Text(0));
        if (!folder)
            throw FakeFailure{"Redemption", "no folder " + call.Text(0), kNotFound};
        call.ReturnObject(NewFolder(mailbox, *folder));
    });
    return object;
}

// The store whose value of key equals the text (case-insensitively, as file paths compare).
const json& FindStore(const json& mailbox, const char* key, const std::string& text)
{
    for (const auto& store : mailbox["stores"]) {
        if (strcasecmp(TextOr(store, key).c_str(), text.c_str()) == 0)
            return store;
    }
    throw FakeFailure{"Redemption", std::string("no store with the ") + key + " " + text, kNotFound};
}

IDispatch* NewStores(Mailbox mailbox)
{
    std::vector<std::function<IDispatch*()>> elements;
    for (const auto& store : (*mailbox)["stores"])
        elements.push_back([mailbox, &store] { return NewStore(mailbox, store); });
    auto* object = static_cast<FakeObject*>(NewCollection("RDOStores", std::move(elements)));
    OnLogged(*object, "GetStoreFromID", [mailbox](const Invocation& call) {
        call.ReturnObject(NewStore(mailbox, FindStore(*mailbox, "entryId", call.Text(0))));
    });
    OnLogged(*object, "AddPSTStore", [mailbox](const Invocation& call) {
        call.ReturnObject(NewStore(mailbox, FindStore(*mailbox, "pstPath", call.Text(0))));
    });
    return object;
}

class FakeRdoSession : public FakeObject {
public:
    FakeRdoSession() : FakeObject("RDOSession"), mailbox_(ReadMailboxFile())
    {
        OnLogged(*this, "Logon", [this](const Invocation&) { loggedOn_ = true; });
        OnLogged(*this, "Logoff", [this](const Invocation&) { loggedOn_ = false; });
        On("Stores", [this](const Invocation& call) { call.ReturnObject(NewStores(LoggedOn())); });
        OnLogged(*this, "GetStoreFromID", [this](const Invocation& call) {
            call.ReturnObject(NewStore(mailbox_, FindStore(*LoggedOn(), "entryId", call.Text(0))));
        });
    }
    ~FakeRdoSession() override
    {
        LogLine("RDOSession released; RDO objects left: " + std::to_string(Live("RDO") - 1));
    }

private:
    Mailbox LoggedOn() const
    {
        if (!loggedOn_)
            throw FakeFailure{"Redemption", "the session is not logged on", static_cast<HRESULT>(0x80040605)};
        return mailbox_;
    }

    Mailbox mailbox_;
    bool loggedOn_ = false;
};

}  // namespace

IDispatch* NewFakeRdoSession()
{
    return new FakeRdoSession();
}

}  // namespace varnemo::testing
