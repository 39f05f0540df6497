#pragma once

namespace trevalon {

// What the properties window shows: a block by its kind code (model/KindCode.h), or one of
// these two, which lie below every kind code. A variable block is shown as a variable.
enum PropertiesKind : int { PropertiesVariable = 1, PropertiesBoard = 2 };

}  // namespace trevalon
