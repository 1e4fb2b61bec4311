#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace varnemo::mapi::pff::direct {

// The heap that property and table contexts keep in a node's data: allocations named by heap
// ids (block index and 1-based allocation index). where names the node in error messages.
class HeapOnNode {
public:
    // Throws ComponentError unless the blocks hold a heap of this client (0xBC property context,
    // 0x7C table context).
    HeapOnNode(const std::vector<std::string>& blocks, std::uint8_t clientSignature, std::string where);

    std::uint32_t userRoot() const;
    std::string_view Allocation(std::uint32_t heapId) const;

    [[noreturn]] void Damaged(const std::string& why) const;

private:
    const std::vector<std::string>& blocks_;
    std::string where_;
};

// Calls visit with the key and the data of every record of the B-tree whose header the heap
// allocation headerId holds; keySize is what the caller's records must use.
void ForEachBTreeRecord(const HeapOnNode& heap, std::uint32_t headerId, std::size_t keySize,
                        const std::function<void(std::string_view key, std::string_view data)>& visit);

}  // namespace varnemo::mapi::pff::direct
