#pragma once

// The Notes automation component: the operations through which the program writes Notes
// databases. A backend serves them (the local store here; Notes.NotesSession on Windows).
// Every operation returns its result or throws ComponentError.

#include "common/date_time.h"
#include "common/errors.h"

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace varnemo::notes {

// The value of a document item: a text, a date-time, a list of texts or a list of date-times
// (the occurrences of a repeating calendar entry). A date-time with no value is stored as an
// empty text, as Notes stores an empty date field.
using ItemValue = std::variant<std::string, DateTime, std::vector<std::string>, std::vector<DateTime>>;

// EmbedObject's type for a file attachment.
inline constexpr int EMBED_ATTACHMENT = 1454;

class RichTextItem {
public:
    virtual ~RichTextItem() = default;
    // Copies the file at source into the document as an attachment of this item.
    virtual void EmbedObject(int type, const std::string& objectClass, const std::string& source,
                             const std::string& name) = 0;
};

class Document {
public:
    virtual ~Document() = default;
    // Creates the item or replaces its value (the same as assigning to the document's member
    // named after the item).
    virtual void ReplaceItemValue(const std::string& name, const ItemValue& value) = 0;
    virtual std::unique_ptr<RichTextItem> CreateRichTextItem(const std::string& name) = 0;
    // Writes the whole document: all of it or nothing.
    virtual void Save(std::int16_t force, std::int16_t createResponse) = 0;
    // Files the saved document into the folder, creating the folder when it does not exist.
    virtual void PutInFolder(const std::string& folderName) = 0;
};

class Database {
public:
    virtual ~Database() = default;
    // A new database with this database's design (forms, views, folders) and no documents;
    // fails rather than replace an existing file.
    virtual std::unique_ptr<Database> CreateCopy(const std::string& server, const std::string& path) = 0;
    virtual void EnableFolder(const std::string& folderName) = 0;
    virtual std::unique_ptr<Document> CreateDocument() = 0;
    // The text of this item in every document that holds it as a text, in no particular order.
    virtual std::vector<std::string> TextsOfItem(const std::string& itemName) = 0;
};

class Session {
public:
    virtual ~Session() = default;
    // Opens an existing database; server "" is the local machine. Never creates a file.
    virtual std::unique_ptr<Database> GetDatabase(const std::string& server, const std::string& path) = 0;
    // A setting of the Notes environment (notes.ini); system = false prefixes the name with "$".
    virtual std::string GETENVIRONMENTSTRING(const std::string& name, bool system) = 0;
};

// Creates sessions: the one place that knows which backend serves the component.
class Component {
public:
    virtual ~Component() = default;
    virtual std::unique_ptr<Session> CreateSession() = 0;
    // From now on the component may hold back the documents saved and write them together at the
    // next CommitSaved(), which costs far less than writing each on its own: a document saved is
    // in its database only once that commit succeeds. ReleaseDatabases() commits too and ends it.
    virtual void HoldSaves() = 0;
    // Writes every document held back. Throws ComponentError naming a database whose documents
    // could not be written: none of those held back for it is there then.
    virtual void CommitSaved() = 0;
    // Lets go of whatever the component keeps open between sessions, so that every database
    // written so far is whole in its own file: a copy of that file alone holds every document.
    // A run calls it before it reports completion; later sessions open the databases afresh.
    // Throws ComponentError naming a database that could not be made whole in its file.
    virtual void ReleaseDatabases() = 0;
};

}  // namespace varnemo::notes
