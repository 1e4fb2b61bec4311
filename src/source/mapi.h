#pragma once

// The MAPI access component: the operations through which the program reads Outlook stores,
// folders and items. A backend serves them (libpff here; the Redemption.RDOSession COM class on
// Windows). Every operation returns its result or throws ComponentError; indices are 1-based.

#include "common/date_time.h"
#include "common/errors.h"
#include "common/stop_request.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace varnemo::mapi {

// Text values of an item, named as the Outlook object model names them. Every kind carries the
// message values; the others belong to one kind and are empty on an item that lacks them.
enum class TextField {
    // every kind
    MessageClass, Subject, To, CC, BCC, SenderName, Body, Categories,
    // appointments
    Location,
    // distribution lists
    DLName,
    // contacts
    FirstName, MiddleName, LastName, Suffix, Title,
    Email1Address, Email2Address, Email3Address,
    CompanyName, JobTitle, Department, OfficeLocation,
    BusinessAddressStreet, BusinessAddressCity, BusinessAddressState, BusinessAddressPostalCode,
    BusinessAddressCountry, WebPage, ManagerName, AssistantName,
    BusinessTelephoneNumber, BusinessFaxNumber, MobileTelephoneNumber, PagerNumber,
    HomeAddressStreet, HomeAddressCity, HomeAddressPostalCode, HomeAddressState, HomeAddressCountry,
    Spouse, Children, HomeTelephoneNumber, HomeFaxNumber,
};

// Date-time values of an item; "no value" when the item does not have one.
enum class DateField {
    CreationTime, MessageDate, ReminderTime,  // every kind
    Start, End,                               // appointments
    StartDate, DueDate,                       // tasks (calendar dates)
    Birthday, Anniversary,                    // contacts (dates alone, the day as saved)
};

// What an appointment stores about its repeating, as the stored bytes: Outlook's recurrence
// pattern (recurrence_pattern.h) and the time zone of the series' wall clock
// (series_time_zone.h). The pattern is empty for an item that does not repeat; the zone may be
// missing even when the pattern is there.
struct RecurrenceData {
    std::string pattern;
    std::string timeZone;
};

class Attachment {
public:
    virtual ~Attachment() = default;
    virtual std::string FileName() = 0;
    // Writes the attachment's content to the file at path, replacing it.
    virtual void SaveAsFile(const std::filesystem::path& path) = 0;
};

class Attachments {
public:
    virtual ~Attachments() = default;
    virtual long Count() = 0;
    virtual std::unique_ptr<Attachment> Item(long index) = 0;
};

// Members of a distribution list; a member's text is its display name, or its address when
// the name is empty.
class Members {
public:
    virtual ~Members() = default;
    virtual long Count() = 0;
    virtual std::string Item(long index) = 0;
};

class Item {
public:
    virtual ~Item() = default;
    // Names the item for good within its store (a message's entry identifier).
    virtual std::string EntryID() = 0;
    virtual std::string Text(TextField field) = 0;
    virtual DateTime Date(DateField field) = 0;
    // 0 low, 1 normal, 2 high.
    virtual long Importance() = 0;
    virtual RecurrenceData Recurrence() = 0;
    virtual std::unique_ptr<Attachments> GetAttachments() = 0;
    // Throws when the item is not a distribution list.
    virtual std::unique_ptr<Members> GetMembers() = 0;
    // What of the item its reader could not read, each in a sentence: the item arrives without it.
    virtual std::vector<std::string> LeftOut() { return {}; }

    std::string MessageClass() { return Text(TextField::MessageClass); }
    std::string Subject() { return Text(TextField::Subject); }
};

class Items {
public:
    virtual ~Items() = default;
    virtual long Count() = 0;
    virtual std::unique_ptr<mapi::Item> Item(long index) = 0;
};

class Folder;

class Folders {
public:
    virtual ~Folders() = default;
    virtual long Count() = 0;
    virtual std::unique_ptr<Folder> Item(long index) = 0;
};

class Folder {
public:
    virtual ~Folder() = default;
    virtual std::string Name() = 0;
    virtual std::string EntryID() = 0;
    // "IPM.Note", "IPM.Appointment", "IPM.Contact", "IPM.Task", "IPM.Journal", "IPM.StickyNote", ...
    virtual std::string DefaultMessageClass() = 0;
    virtual std::unique_ptr<mapi::Folders> GetFolders() = 0;
    virtual std::unique_ptr<mapi::Items> GetItems() = 0;
};

class Store {
public:
    virtual ~Store() = default;
    virtual std::string Name() = 0;
    // Self-contained: any new session can reopen the store from it.
    virtual std::string EntryID() = 0;
    // A store is offered to the user only when this text, trimmed, is not empty.
    virtual std::string QualifyingText() = 0;
    // The folder whose sub-folders form the first level of the mailbox's tree.
    virtual std::unique_ptr<Folder> TopFolder() = 0;
    // The data file behind the store.
    virtual std::string PstPath() = 0;
    // Why a fallback reader reads the store instead of the usual one (a data file format that the
    // program's own reader does not read); empty when the usual reader reads it.
    virtual std::string FallbackReason() { return {}; }
    // Whether the fallback reader reads it because the usual one found the file damaged: what
    // is read past the damage may not be whole.
    virtual bool ReadPastDamage() { return false; }
    // Damage of the store's own structure that its reader read around, in a sentence that says
    // what the store does without; empty when there is none. Such a store is no whole success.
    virtual std::string DamageReadAround() { return {}; }
    virtual std::unique_ptr<Folder> GetFolderFromID(const std::string& entryId) = 0;
};

class Stores {
public:
    virtual ~Stores() = default;
    virtual long Count() = 0;
    virtual std::unique_ptr<Store> Item(long index) = 0;
    virtual std::unique_ptr<Store> GetStoreFromID(const std::string& entryId) = 0;
    // Adds a personal folders file to the session and returns its store.
    virtual std::unique_ptr<Store> AddPSTStore(const std::string& path) = 0;
};

class Session {
public:
    virtual ~Session() = default;
    // Logs on to the default profile.
    virtual void Logon() = 0;
    virtual mapi::Stores& GetStores() = 0;
    virtual std::unique_ptr<Store> GetStoreFromID(const std::string& entryId) = 0;
    virtual void Logoff() = 0;
    // Lets the user stop the session's opens of data files that take long (WorkStopped) with
    // request, which outlives the session. A component whose opens cannot be stopped ignores it.
    virtual void StopOpensOn(const StopRequest& request) { static_cast<void>(request); }
};

// Creates sessions: the one place that knows which backend serves the component.
class Component {
public:
    virtual ~Component() = default;
    virtual std::unique_ptr<Session> CreateSession() = 0;
    // Whether a session and what it hands out may be used on another thread than the one that
    // created it (one thread at a time). COM objects of the window's apartment may not.
    virtual bool UsableFromAnyThread() const { return false; }
};

}  // namespace varnemo::mapi
