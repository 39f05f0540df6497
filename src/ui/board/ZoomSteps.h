#pragma once

#include <array>

namespace trevalon::zoom {

// The sizes a board or the schema can be shown at, in percent. Each step changes the size by
// a tenth to a third: small enough to find a size that fits, few enough to cross quickly.
inline constexpr std::array<int, 12> kSteps{50, 67, 75, 90, 100, 110, 125, 150, 175, 200, 250, 300};
inline constexpr int kActual = 100;

// The step after `percent` in `direction` (> 0 larger, < 0 smaller, 0 back to 100 %). A size
// between two steps goes to the nearer one in that direction; at either end it stays.
int step(int percent, int direction);

}  // namespace trevalon::zoom
