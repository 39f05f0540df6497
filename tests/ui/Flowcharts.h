#pragma once

#include "FlowBuilder.h"
#include "model/BlockCatalogue.h"
#include "model/Project.h"

// Small flowcharts built through the model, for tests that run or draw a whole project.
namespace flowcharts {

// Reads n, multiplies s = n * (n - 1) * ... * 2 in a loop on the left, writes s.
inline void factorial(trevalon::Project& project) {
    using namespace trevalon;
    test::FlowBuilder f(project);
    f.put(1, 3, 1, KindStart);
    f.read(1, 3, 2, QStringLiteral("n"), QStringLiteral("Podaj n:"));
    f.assign(1, 3, 3, QStringLiteral("s"), QStringLiteral("1"));
    f.put(1, 3, 4, KindJoinLeft);
    f.compare(1, 3, 5, QStringLiteral("n"), 1, QStringLiteral("1"));  // n > 1
    f.put(1, 2, 5, KindCornerBottomRight);
    f.assign(1, 2, 6, QStringLiteral("s"), QStringLiteral("s*n"));
    f.assign(1, 2, 7, QStringLiteral("n"), QStringLiteral("n-1"));
    f.put(1, 2, 8, KindCornerTopLeft);
    f.put(1, 1, 8, KindCornerTopRight);
    f.put(1, 1, 7, KindLineVertical);
    f.put(1, 1, 6, KindLineVertical);
    f.put(1, 1, 5, KindLineVertical);
    f.put(1, 1, 4, KindCornerBottomRight);
    f.put(1, 2, 4, KindLineHorizontal);
    f.put(1, 4, 5, KindCornerLeftBottom);
    Cell& write = f.put(1, 4, 6, KindReadWrite);
    write.mode = 1;
    write.text2 = QStringLiteral("s");
    write.text4 = QStringLiteral("n! =");
    f.put(1, 4, 7, KindEnd);
    f.variable(1, 6, 1, QStringLiteral("n"), TypeInteger);
    f.variable(1, 7, 1, QStringLiteral("s"), TypeInteger);
}

// A loop of corners that never reaches the End block, which only a branch start leads to.
inline void endlessLoop(trevalon::Project& project) {
    using namespace trevalon;
    test::FlowBuilder f(project);
    f.put(1, 1, 1, KindStart);
    f.put(1, 1, 2, KindJoinRight);
    f.put(1, 1, 3, KindCornerTopRight);
    f.put(1, 2, 3, KindCornerTopLeft);
    f.put(1, 2, 2, KindCornerLeftBottom);
    f.put(1, 4, 1, KindBranchStart).text2 = QStringLiteral("End");
    f.put(1, 4, 2, KindEnd);
    f.variable(1, 6, 6, QStringLiteral("x"), TypeInteger);
}

}  // namespace flowcharts
