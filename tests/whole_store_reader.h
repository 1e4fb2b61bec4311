#pragma once

#include "common/continue_on_error.h"
#include "source/pff/pff_mapi.h"

#include <filesystem>
#include <memory>
#include <string>

namespace varnemo::testing {

// Reads everything a conversion would read from a data file: the store, every folder at any
// depth, every value of every item, every attachment (saved to a scratch file) and every member
// of a distribution list. A ComponentError skips one step and is counted; anything else
// propagates, and a crash is a crash: that is what the damaged-input tests and the fuzzer look
// for.
class WholeStoreReader {
public:
    explicit WholeStoreReader(std::filesystem::path scratch) : scratch_(std::move(scratch)) {}

    // Returns the number of failed steps.
    size_t Read(const std::filesystem::path& dataFile)
    {
        auto session = mapi::pff::PffMapi(scratch_ / "no profile").CreateSession();
        session->Logon();
        std::unique_ptr<mapi::Store> store;
        step_([&] { store = session->GetStores().AddPSTStore(dataFile.string()); });
        step_([&] { Required(store, "store").Name(); });
        std::unique_ptr<mapi::Folder> top;
        step_([&] { top = Required(store, "store").TopFolder(); });
        if (top)
            ReadFolder(*store, *top, 0);
        return step_.failures().size();
    }

    const std::vector<std::string>& failures() const { return step_.failures(); }

private:
    // Deeper than any real mailbox; a bound all the same, so that a damaged hierarchy cannot
    // keep the reader busy for ever.
    static constexpr int kMaxDepth = 64;

    void ReadFolder(mapi::Store& store, mapi::Folder& folder, int depth)
    {
        step_([&] { store.GetFolderFromID(folder.EntryID())->Name(); });
        step_([&] { folder.DefaultMessageClass(); });
        step_([&] {
            auto items = folder.GetItems();
            for (long index = 1; index <= items->Count(); ++index)
                step_([&] { ReadItem(*items->Item(index)); });
        });
        if (depth >= kMaxDepth)
            return;
        step_([&] {
            auto folders = folder.GetFolders();
            for (long index = 1; index <= folders->Count(); ++index)
                step_([&] { ReadFolder(store, *folders->Item(index), depth + 1); });
        });
    }

    void ReadItem(mapi::Item& item)
    {
        for (int field = 0; field <= static_cast<int>(mapi::TextField::HomeFaxNumber); ++field)
            step_([&] { item.Text(static_cast<mapi::TextField>(field)); });
        for (int field = 0; field <= static_cast<int>(mapi::DateField::Anniversary); ++field)
            step_([&] { item.Date(static_cast<mapi::DateField>(field)); });
        step_([&] { item.Importance(); });
        step_([&] {
            auto members = item.GetMembers();
            for (long index = 1; index <= members->Count(); ++index)
                step_([&] { members->Item(index); });
        });
        step_([&] {
            auto attachments = item.GetAttachments();
            for (long index = 1; index <= attachments->Count(); ++index) {
                step_([&] {
                    auto attachment = attachments->Item(index);
                    attachment->FileName();
                    attachment->SaveAsFile(scratch_ / "attachment");
                });
            }
        });
    }

    std::filesystem::path scratch_;
    ContinueOnError step_;
};

}  // namespace varnemo::testing
