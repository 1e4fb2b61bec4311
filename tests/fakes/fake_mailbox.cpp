#include "fakes/fake_mailbox.h"

#include <fstream>
#include <thread>

namespace varnemo::testing {
namespace {

void CheckIndex(long index, size_t count, const char* what)
{
    if (index < 1 || static_cast<size_t>(index) > count)
        throw ComponentError(std::string("no ") + what + " at index " + std::to_string(index));
}

class FakeAttachmentObject : public mapi::Attachment {
public:
    explicit FakeAttachmentObject(const FakeAttachment& data) : data_(data) {}
    std::string FileName() override { return data_.fileName; }
    void SaveAsFile(const std::filesystem::path& path) override
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (data_.failsToSave) {
            if (data_.content)
                out << data_.content->substr(0, data_.content->size() / 2);
            throw ComponentError("cannot save attachment " + data_.fileName);
        }
        if (data_.content)
            out << *data_.content;
        if (!out)
            throw ComponentError("cannot write " + path.string());
    }

private:
    const FakeAttachment& data_;
};

class FakeAttachmentList : public mapi::Attachments {
public:
    explicit FakeAttachmentList(const FakeItem& item) : item_(item) {}
    long Count() override { return static_cast<long>(item_.attachments.size()); }
    std::unique_ptr<mapi::Attachment> Item(long index) override
    {
        CheckIndex(index, item_.attachments.size(), "attachment");
        return std::make_unique<FakeAttachmentObject>(item_.attachments[static_cast<size_t>(index - 1)]);
    }

private:
    const FakeItem& item_;
};

class FakeMemberList : public mapi::Members {
public:
    explicit FakeMemberList(const FakeItem& item) : item_(item) {}
    long Count() override { return static_cast<long>(item_.members->size()); }
    std::string Item(long index) override
    {
        CheckIndex(index, item_.members->size(), "member");
        if (item_.unreadableMembers.count(index))
            throw ComponentError("member " + std::to_string(index) + " cannot be read");
        return (*item_.members)[static_cast<size_t>(index - 1)];
    }

private:
    const FakeItem& item_;
};

class FakeItemObject : public mapi::Item {
public:
    explicit FakeItemObject(const FakeItem& data) : data_(data) {}
    std::string EntryID() override { return data_.entryId; }
    std::string Text(mapi::TextField field) override
    {
        if (data_.unreadableTexts.count(field))
            throw ComponentError("value cannot be read");
        const auto found = data_.texts.find(field);
        return found == data_.texts.end() ? std::string() : found->second;
    }
    DateTime Date(mapi::DateField field) override
    {
        const auto found = data_.dates.find(field);
        return found == data_.dates.end() ? DateTime() : found->second;
    }
    long Importance() override { return data_.importance; }
    mapi::RecurrenceData Recurrence() override { return data_.recurrence; }
    std::unique_ptr<mapi::Attachments> GetAttachments() override
    {
        return std::make_unique<FakeAttachmentList>(data_);
    }
    std::unique_ptr<mapi::Members> GetMembers() override
    {
        if (!data_.members)
            throw ComponentError("the item is not a distribution list");
        return std::make_unique<FakeMemberList>(data_);
    }

private:
    const FakeItem& data_;
};

class FakeItemList : public mapi::Items {
public:
    explicit FakeItemList(const FakeFolder& folder) : folder_(folder) {}
    long Count() override { return static_cast<long>(folder_.items.size()); }
    std::unique_ptr<mapi::Item> Item(long index) override
    {
        CheckIndex(index, folder_.items.size(), "item");
        const auto& item = folder_.items[static_cast<size_t>(index - 1)];
        if (item.unreadable)
            throw ComponentError("item " + std::to_string(index) + " of " + folder_.name + " cannot be read");
        return std::make_unique<FakeItemObject>(item);
    }

private:
    const FakeFolder& folder_;
};

class FakeFolderObject;

class FakeFolderList : public mapi::Folders {
public:
    explicit FakeFolderList(const FakeFolder& folder) : folder_(folder) {}
    long Count() override { return static_cast<long>(folder_.folders.size()); }
    std::unique_ptr<mapi::Folder> Item(long index) override;

private:
    const FakeFolder& folder_;
};

// Throws when reading this part of the folder is to fail.
void CheckFault(const FakeFolder& folder, FolderFault part, const char* what)
{
    if (folder.faults.count(part))
        throw ComponentError(std::string("cannot read the ") + what + " of folder " + folder.entryId + " (damaged)");
}

class FakeFolderObject : public mapi::Folder {
public:
    explicit FakeFolderObject(const FakeFolder& data) : data_(data) {}
    std::string Name() override
    {
        CheckFault(data_, FolderFault::Name, "name");
        return data_.name;
    }
    std::string EntryID() override
    {
        CheckFault(data_, FolderFault::EntryId, "entry id");
        return data_.entryId;
    }
    std::string DefaultMessageClass() override
    {
        CheckFault(data_, FolderFault::Class, "class");
        return data_.defaultMessageClass;
    }
    std::unique_ptr<mapi::Folders> GetFolders() override
    {
        CheckFault(data_, FolderFault::SubFolders, "sub-folders");
        std::this_thread::sleep_for(data_.listingTakes);
        return std::make_unique<FakeFolderList>(data_);
    }
    std::unique_ptr<mapi::Items> GetItems() override
    {
        CheckFault(data_, FolderFault::Items, "contents table");
        return std::make_unique<FakeItemList>(data_);
    }

private:
    const FakeFolder& data_;
};

std::unique_ptr<mapi::Folder> FakeFolderList::Item(long index)
{
    CheckIndex(index, folder_.folders.size(), "folder");
    const auto& child = folder_.folders[static_cast<size_t>(index - 1)];
    CheckFault(child, FolderFault::Open, "properties");
    return std::make_unique<FakeFolderObject>(child);
}

const FakeFolder* FindFolder(const FakeFolder& folder, const std::string& entryId)
{
    if (folder.entryId == entryId)
        return &folder;
    for (const auto& child : folder.folders)
        if (const auto* found = FindFolder(child, entryId))
            return found;
    return nullptr;
}

class FakeStoreObject : public mapi::Store {
public:
    explicit FakeStoreObject(const FakeStore& data) : data_(data) {}
    std::string Name() override { return data_.name; }
    std::string EntryID() override { return data_.entryId; }
    std::string QualifyingText() override { return data_.qualifyingText; }
    std::string FallbackReason() override { return data_.fallbackReason; }
    bool ReadPastDamage() override { return data_.readPastDamage; }
    std::string DamageReadAround() override { return data_.damageReadAround; }
    std::unique_ptr<mapi::Folder> TopFolder() override { return std::make_unique<FakeFolderObject>(data_.top); }
    std::string PstPath() override
    {
        if (data_.pstPath.empty())
            throw ComponentError("store " + data_.name + " has no data file");
        return data_.pstPath;
    }
    std::unique_ptr<mapi::Folder> GetFolderFromID(const std::string& entryId) override
    {
        const auto* folder = FindFolder(data_.top, entryId);
        if (!folder || folder->unreadable)
            throw ComponentError("no folder " + entryId + " in " + data_.name);
        return std::make_unique<FakeFolderObject>(*folder);
    }

private:
    const FakeStore& data_;
};

class FakeStoreList : public mapi::Stores {
public:
    explicit FakeStoreList(FakeMailbox& mailbox) : mailbox_(mailbox) {}
    long Count() override
    {
        mailbox_.storeReadsOn.push_back(std::this_thread::get_id());
        return static_cast<long>(mailbox_.stores.size());
    }
    std::unique_ptr<mapi::Store> Item(long index) override
    {
        CheckIndex(index, mailbox_.stores.size(), "store");
        const FakeStore& store = mailbox_.stores[static_cast<size_t>(index - 1)];
        WaitUnlessStopped(store.listingTakes);
        return std::make_unique<FakeStoreObject>(store);
    }
    std::unique_ptr<mapi::Store> GetStoreFromID(const std::string& entryId) override
    {
        mailbox_.storeReadsOn.push_back(std::this_thread::get_id());
        if (auto* store = mailbox_.FindStore(entryId))
            return Open(*store);
        throw ComponentError("no store " + entryId);
    }
    std::unique_ptr<mapi::Store> AddPSTStore(const std::string& path) override
    {
        mailbox_.storeReadsOn.push_back(std::this_thread::get_id());
        const auto found = mailbox_.dataFiles.find(path);
        if (found == mailbox_.dataFiles.end())
            throw ComponentError(path + " is not an Outlook data file");
        return Open(found->second);
    }
    void StopOpensOn(const StopRequest& request) { stopOpens_ = &request; }

private:
    std::unique_ptr<mapi::Store> Open(const FakeStore& store)
    {
        WaitUnlessStopped(store.openTakes);
        return std::make_unique<FakeStoreObject>(store);
    }
    void WaitUnlessStopped(std::chrono::milliseconds duration)
    {
        const auto end = std::chrono::steady_clock::now() + duration;
        while (std::chrono::steady_clock::now() < end) {
            if (stopOpens_ && stopOpens_->Requested()) {
                ++mailbox_.opensStopped;
                throw WorkStopped();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    FakeMailbox& mailbox_;
    const StopRequest* stopOpens_ = nullptr;
};

class FakeSession : public mapi::Session {
public:
    explicit FakeSession(FakeMailbox& mailbox) : mailbox_(mailbox), stores_(mailbox) {}
    void Logon() override
    {
        if (mailbox_.failsToLogOn)
            throw ComponentError("no profile");
        loggedOn_ = true;
    }
    mapi::Stores& GetStores() override
    {
        RequireLogon();
        return stores_;
    }
    std::unique_ptr<mapi::Store> GetStoreFromID(const std::string& entryId) override
    {
        RequireLogon();
        return stores_.GetStoreFromID(entryId);
    }
    void Logoff() override
    {
        loggedOn_ = false;
        ++mailbox_.sessionsLoggedOff;
    }
    void StopOpensOn(const StopRequest& request) override { stores_.StopOpensOn(request); }

private:
    void RequireLogon() const
    {
        if (!loggedOn_)
            throw ComponentError("the session is not logged on");
    }

    FakeMailbox& mailbox_;
    FakeStoreList stores_;
    bool loggedOn_ = false;
};

}  // namespace

FakeItem& FakeItem::Text(mapi::TextField field, std::string value)
{
    texts[field] = std::move(value);
    return *this;
}

FakeItem& FakeItem::Date(mapi::DateField field, DateTime value)
{
    dates[field] = value;
    return *this;
}

FakeItem& FakeItem::Attach(std::string fileName, std::string content)
{
    attachments.push_back({std::move(fileName), std::make_shared<const std::string>(std::move(content))});
    return *this;
}

FakeItem FakeMail(std::string subject)
{
    FakeItem item;
    item.Text(mapi::TextField::MessageClass, "IPM.Note").Text(mapi::TextField::Subject, std::move(subject));
    return item;
}

FakeItem FakeContact(std::string firstName, std::string lastName)
{
    FakeItem item;
    item.Text(mapi::TextField::MessageClass, "IPM.Contact")
        .Text(mapi::TextField::FirstName, std::move(firstName))
        .Text(mapi::TextField::LastName, std::move(lastName));
    return item;
}

FakeItem FakeDistList(std::string name, std::vector<std::string> members)
{
    FakeItem item;
    item.Text(mapi::TextField::MessageClass, "IPM.DistList").Text(mapi::TextField::DLName, std::move(name));
    item.members = std::move(members);
    return item;
}

FakeFolder& FakeFolder::Add(FakeFolder folder)
{
    folders.push_back(std::move(folder));
    return folders.back();
}

std::unique_ptr<mapi::Session> FakeMailbox::CreateSession()
{
    ++sessionsCreated;
    return std::make_unique<FakeSession>(*this);
}

FakeStore* FakeMailbox::FindStore(const std::string& entryId)
{
    for (auto& store : stores)
        if (store.entryId == entryId)
            return &store;
    for (auto& [path, store] : dataFiles)
        if (store.entryId == entryId)
            return &store;
    return nullptr;
}

}  // namespace varnemo::testing
