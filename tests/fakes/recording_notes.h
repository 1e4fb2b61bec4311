#pragma once

#include "notes/notes.h"

#include <fmt/format.h>
#include <set>
#include <string>
#include <vector>

namespace varnemo::testing {

// A Notes component that records every call as a line of text and fails the operations it is
// told to fail. For tests of call order and failure handling; the contents of documents are
// tested against the real local store.
class RecordingNotes : public notes::Component {
public:
    std::vector<std::string> calls;
    // Operation names ("GetDatabase", "Save", "EmbedObject", ...) that throw ComponentError.
    std::set<std::string> failing;
    // What TextsOfItem answers, whatever the item.
    std::vector<std::string> itemTexts;

    std::unique_ptr<notes::Session> CreateSession() override;
    void HoldSaves() override { Record("HoldSaves"); }
    void CommitSaved() override { Record("CommitSaved"); }
    void ReleaseDatabases() override { Record("ReleaseDatabases"); }

    void Record(const std::string& operation, const std::string& arguments = {})
    {
        calls.push_back(arguments.empty() ? operation : operation + "(" + arguments + ")");
        if (failing.count(operation))
            throw ComponentError(operation + " failed");
    }
};

class RecordingDocument : public notes::Document {
public:
    explicit RecordingDocument(RecordingNotes& notes) : notes_(notes) {}
    void ReplaceItemValue(const std::string& name, const notes::ItemValue&) override
    {
        notes_.Record("ReplaceItemValue", name);
    }
    std::unique_ptr<notes::RichTextItem> CreateRichTextItem(const std::string& name) override;
    void Save(std::int16_t force, std::int16_t createResponse) override
    {
        notes_.Record("Save", fmt::format("{},{}", force, createResponse));
    }
    void PutInFolder(const std::string& folderName) override { notes_.Record("PutInFolder", folderName); }

private:
    RecordingNotes& notes_;
};

class RecordingRichText : public notes::RichTextItem {
public:
    explicit RecordingRichText(RecordingNotes& notes) : notes_(notes) {}
    void EmbedObject(int type, const std::string& objectClass, const std::string& source,
                     const std::string& name) override
    {
        notes_.Record("EmbedObject", fmt::format("{},\"{}\",{},{}", type, objectClass, source, name));
    }

private:
    RecordingNotes& notes_;
};

class RecordingDatabase : public notes::Database {
public:
    explicit RecordingDatabase(RecordingNotes& notes) : notes_(notes) {}
    std::unique_ptr<notes::Database> CreateCopy(const std::string& server, const std::string& path) override
    {
        notes_.Record("CreateCopy", server + "," + path);
        return std::make_unique<RecordingDatabase>(notes_);
    }
    void EnableFolder(const std::string& folderName) override { notes_.Record("EnableFolder", folderName); }
    std::unique_ptr<notes::Document> CreateDocument() override
    {
        notes_.Record("CreateDocument");
        return std::make_unique<RecordingDocument>(notes_);
    }
    std::vector<std::string> TextsOfItem(const std::string& itemName) override
    {
        notes_.Record("TextsOfItem", itemName);
        return notes_.itemTexts;
    }

private:
    RecordingNotes& notes_;
};

class RecordingSession : public notes::Session {
public:
    explicit RecordingSession(RecordingNotes& notes) : notes_(notes) {}
    std::unique_ptr<notes::Database> GetDatabase(const std::string& server, const std::string& path) override
    {
        notes_.Record("GetDatabase", server + "," + path);
        return std::make_unique<RecordingDatabase>(notes_);
    }
    std::string GETENVIRONMENTSTRING(const std::string& name, bool system) override
    {
        notes_.Record("GETENVIRONMENTSTRING", name + (system ? ",True" : ",False"));
        return {};
    }

private:
    RecordingNotes& notes_;
};

inline std::unique_ptr<notes::Session> RecordingNotes::CreateSession()
{
    Record("CreateSession");
    return std::make_unique<RecordingSession>(*this);
}

inline std::unique_ptr<notes::RichTextItem> RecordingDocument::CreateRichTextItem(const std::string& name)
{
    notes_.Record("CreateRichTextItem", name);
    return std::make_unique<RecordingRichText>(notes_);
}

}  // namespace varnemo::testing
