#pragma once

#include <QString>
#include <memory>

#include "model/Project.h"

namespace trevalon::bench {

// The largest project there is: three boards with every one of their 225 cells holding an
// assignment whose formula has characters that files must escape.
inline std::unique_ptr<Project> fullProject() {
    auto project = std::make_unique<Project>();
    project->boardCount = 3;
    for (int n = 1; n <= 3; ++n) {
        for (int c = 1; c <= kGridSize; ++c) {
            for (int r = 1; r <= kGridSize; ++r) {
                project->placeBlock(n, c, r, 3, 1);
                Cell& cell = project->cell(n, c, r);
                cell.text4 = QStringLiteral("wynik:=wynik+\"zażółć & <gęślą>\"*%1").arg(c * r);
            }
        }
    }
    return project;
}

}  // namespace trevalon::bench
