#include "property_context.h"

#include "bth_writer.h"
#include "format_constants.h"
#include "value_storage.h"

namespace pstgen {

std::uint64_t WritePropertyContext(const PropertyList& properties, Subnodes& subnodes, BlockWriter& blocks)
{
    HeapBuilder heap(heap_client::kProperties);
    LtpTarget target{heap, subnodes, blocks};
    Bytes records;
    for (const auto& [id, value] : properties) {
        PutLE(records, id);
        PutLE(records, value.type);
        const auto fixedSize = FixedValueSize(value.type);
        if (fixedSize > 0 && fixedSize <= 4) {
            // Values of up to four bytes live in the record itself.
            Bytes inlineValue = value.data;
            inlineValue.resize(4, 0);
            Append(records, inlineValue);
        } else {
            PutLE(records, StoreValue(target, value));
        }
    }
    const auto root = WriteBth(heap, 2, 6, records);
    return WriteHeap(blocks, heap.Finish(root));
}

}  // namespace pstgen
