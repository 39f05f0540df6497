#include "ui/app/WindowPlacement.h"

#include <gtest/gtest.h>

using namespace trevalon;

// Windows kept on a screen: moved inside, shrunk when larger, the top-left corner always on it.
TEST(WindowPlacement, FittedKeepsAWindowOnTheScreen) {
    struct Row {
        QRect window;
        QRect expected;
    };
    const QRect screen(0, 0, 700, 500);
    const Row rows[] = {
        {{100, 100, 200, 100}, {100, 100, 200, 100}},  // already inside
        {{-58, 40, 244, 138}, {0, 40, 244, 138}},      // off the left edge
        {{600, 450, 200, 100}, {500, 400, 200, 100}},  // off the bottom right corner
        {{-37, -310, 787, 560}, {0, 0, 700, 500}},     // larger than the screen
        {{650, -20, 100, 800}, {600, 0, 100, 500}},    // taller than the screen
    };
    for (const Row& row : rows) {
        EXPECT_EQ(placement::fitted(row.window, screen), row.expected) << row.window;
    }
    // A screen that does not start at the origin (a second monitor, a panel on the left).
    EXPECT_EQ(placement::fitted({0, 0, 100, 100}, {1024, 30, 800, 570}), QRect(1024, 30, 100, 100));
}

// A companion beside the boards: right of them, else left, below, above; never over them.
TEST(WindowPlacement, BesideTakesTheFirstSideWithRoom) {
    struct Row {
        const char* what;
        QRect taken;
        QPoint expected;
    };
    const QSize size(244, 184);
    const QRect screen(0, 0, 1024, 768);
    const Row rows[] = {
        {"right, level with the top", {238, 206, 341, 361}, {587, 206}},
        {"left when the right is full", {600, 100, 400, 300}, {348, 100}},
        {"below when both sides are full", {100, 100, 824, 300}, {100, 408}},
        {"above when only the top has room", {100, 400, 824, 360}, {100, 208}},
        {"slid up to stay on the screen", {238, 650, 341, 100}, {587, 584}},
    };
    for (const Row& row : rows) {
        const QPoint place = placement::beside(size, row.taken, screen, 8);
        EXPECT_EQ(place, row.expected) << row.what;
        EXPECT_FALSE(QRect(place, size).intersects(row.taken)) << row.what;
        EXPECT_TRUE(screen.contains(QRect(place, size))) << row.what;
    }
    // On its side it slides past a button it would cover.
    EXPECT_EQ(placement::beside(size, {238, 206, 341, 361}, screen, 8, {{600, 150, 100, 100}}),
              QPoint(587, 258));
    // No side has room: the right-hand place, kept on the screen.
    const QPoint crowded = placement::beside(size, {0, 0, 1000, 760}, screen, 8);
    EXPECT_TRUE(screen.contains(QRect(crowded, size)));
}

// A window opened where another's title strip lies slides away from it, and stays on the screen.
TEST(WindowPlacement, ApartKeepsEveryTitleStripInSight) {
    struct Row {
        const char* what;
        QRect window;
        std::vector<QRect> others;
        QPoint expected;
    };
    const QRect screen(0, 0, 1024, 768);
    const Row rows[] = {
        {"alone", {140, 122, 321, 341}, {}, {140, 122}},
        {"a strip's height away already", {140, 122, 321, 341}, {{120, 102, 321, 341}}, {140, 122}},
        {"exactly on top", {120, 102, 321, 341}, {{120, 102, 321, 341}}, {140, 122}},
        {"on top of the first, the second's place taken too",
         {120, 102, 321, 341},
         {{120, 102, 321, 341}, {140, 122, 321, 341}},
         {160, 142}},
        {"past the screen's corner", {900, 700, 321, 341}, {}, {703, 427}},
        {"on top in the screen's corner: starts again at the top left",
         {703, 427, 321, 341},
         {{703, 427, 321, 341}},
         {0, 0}},
    };
    for (const Row& row : rows) {
        const QPoint place = placement::apart(row.window, row.others, screen, 20);
        EXPECT_EQ(place, row.expected) << row.what;
        EXPECT_TRUE(screen.contains(QRect(place, row.window.size()))) << row.what;
    }
}
