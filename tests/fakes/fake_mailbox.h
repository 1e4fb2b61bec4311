#pragma once

#include "source/mapi.h"

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace varnemo::testing {

// An Outlook mailbox in memory, built by a test: stores, folders at any depth, items of every
// kind with attachments and members, and failures where a test wants them.

struct FakeAttachment {
    std::string fileName;
    // Shared, so that a large mailbox can hold one content many times over.
    std::shared_ptr<const std::string> content;
    // Saving writes the first half of the content, then fails, as a reader does at a damaged block.
    bool failsToSave = false;
};

struct FakeItem {
    std::string entryId;
    std::map<mapi::TextField, std::string> texts;
    std::map<mapi::DateField, DateTime> dates;
    long importance = 1;
    mapi::RecurrenceData recurrence;
    std::vector<FakeAttachment> attachments;
    std::optional<std::vector<std::string>> members;  // only distribution lists have members
    std::set<long> unreadableMembers;                   // 1-based
    std::set<mapi::TextField> unreadableTexts;
    bool unreadable = false;  // the item cannot even be opened

    FakeItem& Text(mapi::TextField field, std::string value);
    FakeItem& Date(mapi::DateField field, DateTime value);
    FakeItem& Attach(std::string fileName, std::string content);
};

FakeItem FakeMail(std::string subject);
FakeItem FakeContact(std::string firstName, std::string lastName);
FakeItem FakeDistList(std::string name, std::vector<std::string> members);

// A part of a folder whose reading fails, as in a damaged data file.
enum class FolderFault { Open, Name, EntryId, Class, Items, SubFolders };

struct FakeFolder {
    std::string name;
    std::string entryId;
    std::string defaultMessageClass = "IPM.Note";
    std::vector<FakeItem> items{};
    std::vector<FakeFolder> folders{};
    bool unreadable = false;  // GetFolderFromID fails for it
    // Open: its parent's sub-folder list cannot hand it out; the others: that one call fails.
    std::set<FolderFault> faults{};
    // How long handing out its sub-folder list takes, as in a large file on a slow disk.
    std::chrono::milliseconds listingTakes{0};

    FakeFolder& Add(FakeFolder folder);
};

struct FakeStore {
    std::string name;
    std::string entryId;
    std::string pstPath;
    std::string qualifyingText = "qualifies";
    FakeFolder top{.name = "Top of Personal Folders", .entryId = "TOP"};
    // How long opening it takes, as libpff takes on a large file; a stop request ends it early.
    std::chrono::milliseconds openTakes{0};
    // How long reading its name for the store list takes, as libpff's open of a damaged file does.
    std::chrono::milliseconds listingTakes{0};
    // How the file was read when not as it stands (mapi::Store::FallbackReason and the like).
    std::string fallbackReason{};
    bool readPastDamage = false;
    std::string damageReadAround{};
};

class FakeMailbox : public mapi::Component {
public:
    std::vector<FakeStore> stores;                // the profile's stores
    std::map<std::string, FakeStore> dataFiles;   // stores that AddPSTStore can add, by path
    bool failsToLogOn = false;
    int sessionsCreated = 0;
    int sessionsLoggedOff = 0;
    // Lets a test open stores on a thread of their own, as the real reader allows.
    bool usableFromAnyThread = false;
    // The thread of every listing of the stores and every opening of one.
    std::vector<std::thread::id> storeReadsOn;
    // Opens that a stop request ended before they were done.
    int opensStopped = 0;

    std::unique_ptr<mapi::Session> CreateSession() override;
    FakeStore* FindStore(const std::string& entryId);
    bool UsableFromAnyThread() const override { return usableFromAnyThread; }
};

}  // namespace varnemo::testing
