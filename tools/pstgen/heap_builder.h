#pragma once

// A heap-on-node: the small allocations of a property or table context, packed into pages of
// one data block each. An allocation is addressed by its heap id (page and index).

#include "little_endian.h"

#include <vector>

namespace pstgen {

namespace heap_client {
constexpr std::uint8_t kTable = 0x7C;
constexpr std::uint8_t kBTree = 0xB5;
constexpr std::uint8_t kProperties = 0xBC;
}  // namespace heap_client

class HeapBuilder {
public:
    explicit HeapBuilder(std::uint8_t clientSignature);

    // Stores data (at most 3,580 bytes) and returns its heap id.
    std::uint32_t Allocate(ByteView data);
    // The finished pages, each one data block; userRoot is the client's own root allocation.
    std::vector<Bytes> Finish(std::uint32_t userRoot);

private:
    struct Page {
        Bytes data;
        std::vector<std::uint16_t> starts;
    };

    static std::size_t HeaderSize(std::size_t pageIndex);
    static std::size_t PageMapSize(std::size_t allocations);
    void OpenPage();
    void CloseHeaders(std::uint32_t userRoot);

    std::uint8_t clientSignature_;
    std::vector<Page> pages_;
};

}  // namespace pstgen
