#pragma once

// The columns of the tables every folder and message has. Readers find rows by these tables,
// and show their columns without opening each object.

#include <cstdint>
#include <vector>

namespace pstgen::table_columns {

const std::vector<std::uint32_t>& Hierarchy();
const std::vector<std::uint32_t>& Contents();
const std::vector<std::uint32_t>& AssociatedContents();
const std::vector<std::uint32_t>& Attachments();
const std::vector<std::uint32_t>& Recipients();

}  // namespace pstgen::table_columns
