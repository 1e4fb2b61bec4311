#pragma once

#include "source/pff/pff_mapi.h"
#include "temp_dir.h"
#include "time_zone.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

namespace varnemo::testing {

// A session on an empty profile with a copy of one sample file added as its store.
struct FixtureStore {
    explicit FixtureStore(const std::string& fixture)
        : session(mapi::pff::PffMapi(dir.path() / "no profile").CreateSession())
    {
        session->Logon();
        path = CopyFixture(fixture, dir.path());
        store = session->GetStores().AddPSTStore(path.string());
    }

    TempDir dir;
    std::unique_ptr<mapi::Session> session;
    std::filesystem::path path;
    std::unique_ptr<mapi::Store> store;
};

// The sub-folder of parent with this name; fails the test when there is none.
inline std::unique_ptr<mapi::Folder> SubFolder(mapi::Folder& parent, const std::string& name)
{
    auto folders = parent.GetFolders();
    for (long index = 1; index <= folders->Count(); ++index) {
        if (auto folder = folders->Item(index); folder->Name() == name)
            return folder;
    }
    throw std::runtime_error("no sub-folder \"" + name + "\" in \"" + parent.Name() + "\"");
}

// The item of folder whose message class is messageClass.
inline std::unique_ptr<mapi::Item> ItemOfClass(mapi::Folder& folder, const std::string& messageClass)
{
    auto items = folder.GetItems();
    for (long index = 1; index <= items->Count(); ++index) {
        if (auto item = items->Item(index); item->MessageClass() == messageClass)
            return item;
    }
    throw std::runtime_error("no " + messageClass + " item in \"" + folder.Name() + "\"");
}

}  // namespace varnemo::testing
