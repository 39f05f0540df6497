#pragma once

#include <cstddef>

namespace trevalon {

// The bytes of texts.tsv (UTF-8), embedded at build time.
const char* textTableData();
std::size_t textTableDataSize();

}  // namespace trevalon
