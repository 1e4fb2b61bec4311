#pragma once

#include <string>

namespace varnemo {

// A configured store's entry in the store list: the display name, 300 blanks, "#" and the
// store's entry identifier, so that the identifier lies far to the right of the name.
std::string StoreEntryText(const std::string& displayName, const std::string& entryId);

// The entry identifier of an entry: the text after the last "#", since an entry identifier never
// holds "#" but a display name may. The empty text when the entry has no "#".
std::string StoreIdOfEntry(const std::string& entryText);

// The entry identifier of an entry, without blanks around it. Throws ComponentError when the
// entry names none.
std::string RequiredStoreIdOfEntry(const std::string& entryText);

// The display name of an entry: the text before the run of blanks that precedes the identifier.
std::string DisplayNameOfEntry(const std::string& entryText);

}  // namespace varnemo
