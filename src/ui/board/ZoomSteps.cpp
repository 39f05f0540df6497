#include "ui/board/ZoomSteps.h"

namespace trevalon::zoom {

int step(int percent, int direction) {
    if (direction > 0) {
        for (const int each : kSteps) {
            if (each > percent) {
                return each;
            }
        }
        return kSteps.back();
    }
    if (direction < 0) {
        for (auto it = kSteps.rbegin(); it != kSteps.rend(); ++it) {
            if (*it < percent) {
                return *it;
            }
        }
        return kSteps.front();
    }
    return kActual;
}

}  // namespace trevalon::zoom
