// A board's picture drawn again, as its window draws it after every edit and every step of a
// run: a full board (every cell holding a block, the kinds in turn) with a run's frame on one
// block. The argument is the scale in percent, device pixels per board unit: the zoom times
// the screen's pixel ratio (400 is 200 % on a screen at 2).
//
//   BoardRedraw/100        the embedded pictures, exactly as before zooming was possible
//   BoardRedraw/N          the squares drawn from their sources once per size, then copied
//   BoardRedrawUncached/N  every square drawn from its source at every redraw, for comparison

#include <benchmark/benchmark.h>
#include <QGuiApplication>
#include <QPainter>
#include <cmath>

#include "edit/FrameMap.h"
#include "model/BlockCatalogue.h"
#include "model/Project.h"
#include "ui/board/BlockTileCache.h"
#include "ui/board/BoardPicture.h"

namespace {

using namespace trevalon;

Board& fullBoard(Project& project) {
    const auto& kinds = BlockCatalogue::kinds();
    std::size_t i = 0;
    for (int c = 1; c <= kGridSize; ++c) {
        for (int r = 1; r <= kGridSize; ++r) {
            const int kind = kinds[i++ % kinds.size()].code;
            project.placeBlock(1, c, r, kind / 10, kind % 10);
        }
    }
    Board& board = project.board(1);
    board.columns = kGridSize;
    board.rows = kGridSize;
    return board;
}

void BoardRedraw(benchmark::State& state) {
    Project project;
    const Board& board = fullBoard(project);
    FrameMap frames;
    frames.set(7, 7, FrameRunning);
    BlockTileCache tiles;
    const qreal scale = state.range(0) / 100.0;
    QImage picture;
    for (auto _ : state) {
        // As the window does it: the last picture's memory is painted over.
        picture =
            BoardPicture::render(board, frames, QRect(), {}, scale, tiles, std::move(picture));
        benchmark::DoNotOptimize(picture.constBits());
    }
    state.counters["tiles"] = double(tiles.size());
}

void BoardRedrawUncached(benchmark::State& state) {
    Project project;
    const Board& board = fullBoard(project);
    FrameMap frames;
    frames.set(7, 7, FrameRunning);
    const qreal scale = state.range(0) / 100.0;
    const QSize size = BoardPicture::size(board);
    for (auto _ : state) {
        QImage picture(int(std::ceil(size.width() * scale)), int(std::ceil(size.height() * scale)),
                       QImage::Format_RGB32);
        QPainter p(&picture);
        p.scale(scale, scale);
        BoardPicture::paint(p, board, frames, QRect(), {}, PictureSource::Drawings);
        p.end();
        benchmark::DoNotOptimize(picture.constBits());
    }
}

}  // namespace

BENCHMARK(BoardRedraw)
    ->Arg(100)
    ->Arg(150)
    ->Arg(200)
    ->Arg(300)
    ->Arg(400)
    ->Arg(600)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BoardRedrawUncached)->Arg(200)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
