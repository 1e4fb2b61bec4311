#pragma once

#include "source/pff/libpff_library.h"

#include <utility>

namespace varnemo::mapi::pff {

// Owns one libpff object and frees it with its libpff free function.
template <class T, int (*LibpffLibrary::*Free)(T**, libpff_error_t**)>
class PffHandle {
public:
    PffHandle() = default;
    PffHandle(const PffHandle&) = delete;
    PffHandle& operator=(const PffHandle&) = delete;
    PffHandle(PffHandle&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    PffHandle& operator=(PffHandle&& other) noexcept
    {
        if (this != &other) {
            reset();
            object_ = std::exchange(other.object_, nullptr);
        }
        return *this;
    }
    ~PffHandle() { reset(); }

    T* get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

    // For the libpff call that creates the object.
    T** out()
    {
        reset();
        return &object_;
    }

    void reset()
    {
        if (!object_)
            return;
        libpff_error_t* error = nullptr;
        // A failure to free leaves nothing to act on; only the error record must not leak.
        if ((Libpff().*Free)(&object_, &error) != 1 && error)
            Libpff().libpff_error_free(&error);
        object_ = nullptr;
    }

private:
    T* object_ = nullptr;
};

using ItemHandle = PffHandle<libpff_item_t, &LibpffLibrary::libpff_item_free>;
using RecordSetHandle = PffHandle<libpff_record_set_t, &LibpffLibrary::libpff_record_set_free>;
using RecordEntryHandle = PffHandle<libpff_record_entry_t, &LibpffLibrary::libpff_record_entry_free>;

}  // namespace varnemo::mapi::pff
