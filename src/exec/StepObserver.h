#pragma once

#include <QtGlobal>

#include "model/Cell.h"
#include "model/Project.h"

namespace trevalon {

// What a run tells about each block it has just performed: the trace table records it. The
// executor calls it only when one is installed, so a run without it pays nothing for it.
class StepObserver {
public:
    virtual ~StepObserver() = default;

    // The block at `at` was performed in step `step` (from 1; step 1 is board 1's Start, so a
    // new run begins there). `cell` is that block; the run may already stand elsewhere (after
    // a jump or a call). `conditionHeld` is the outcome of a comparison block (the flow turned
    // left), false for every other kind. Called after the block's work and before the move, so
    // the Calculator's store holds the values the block left; a read, write, message or
    // question block did its dialog when the run reached it, before this call. A block that
    // ends the run with an error is not reported; board 1's End is, before the run ends.
    virtual void performed(qint64 step, const CellRef& at, const Cell& cell,
                           bool conditionHeld) = 0;
};

}  // namespace trevalon
