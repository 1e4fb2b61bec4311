#pragma once

#include <string>

namespace varnemo {

// A library opened by name when a run first needs it, instead of linked. A linked library is
// loaded, with every library it links in turn, at each start of the program, whether the run
// calls it or not: a few milliseconds each, a noticeable part of converting a small mailbox.
// Never closed, as what a library sets up (registered types, its allocator) lasts as long as the
// process.
class SharedLibrary {
public:
    // A ComponentError naming the library when it cannot be loaded.
    explicit SharedLibrary(std::string fileName);

    // Points pointer at the library's function or variable of that name; a ComponentError when
    // the library has none.
    template <class Pointer>
    void Resolve(const char* name, Pointer& pointer) const
    {
        pointer = reinterpret_cast<Pointer>(Symbol(name));
    }

private:
    void* Symbol(const char* name) const;

    std::string fileName_;
    void* handle_;
};

// Declares the struct Table with one member per name of the X-macro list FUNCTIONS, typed as a
// pointer to the library's function (or variable) of that name, so that a call through it is
// checked against the library's header.
#define VARNEMO_LIBRARY_MEMBER(name) decltype(&::name) name = nullptr;
#define VARNEMO_LIBRARY_RESOLVE(name) library.Resolve(#name, name);
#define VARNEMO_LIBRARY_TABLE(Table, FUNCTIONS)                                                                      \
    struct Table {                                                                                                   \
        FUNCTIONS(VARNEMO_LIBRARY_MEMBER)                                                                            \
        void ResolveIn(const SharedLibrary& library) { FUNCTIONS(VARNEMO_LIBRARY_RESOLVE) }                          \
    }

// The table of the library, every member resolved; a ComponentError when it cannot be.
template <class Table>
Table LoadLibrary(const char* fileName)
{
    const SharedLibrary library(fileName);
    Table table;
    table.ResolveIn(library);
    return table;
}

// The table of the library, loaded by the first call: one library per table type. A failed load
// throws out of that call, and the next call tries again.
template <class Table>
const Table& OpenedLibrary(const char* fileName)
{
    static const Table table = LoadLibrary<Table>(fileName);
    return table;
}

}  // namespace varnemo
