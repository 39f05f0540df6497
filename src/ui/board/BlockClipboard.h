#pragma once

#include <optional>

#include "edit/BlockFragment.h"

namespace trevalon {

class TextTable;

// Blocks on the system clipboard: the fragment as the project file's XML under a type of our
// own, which another running program reads back, and its picture for programs that take
// images.
namespace BlockClipboard {

void put(const BlockFragment& fragment);
// Whether the clipboard holds our type at all (read or not).
bool holdsBlocks();
// The fragment on the clipboard; nothing when it holds none or what it holds cannot be read.
std::optional<BlockFragment> take(const TextTable& texts);

}  // namespace BlockClipboard
}  // namespace trevalon
