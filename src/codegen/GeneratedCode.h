#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "config/Status.h"
#include "model/Project.h"

namespace trevalon::codegen {

// One line of generated code and the block it was made from, if any: a code window marks the
// lines of the block the pupil selects, or of the block a run stands on.
struct GeneratedLine {
    QString text;
    std::optional<CellRef> cell;
};

// The translation of a project.
struct GeneratedCode {
    // Why the project could not be translated (texts::Codegen...); OK when it was.
    Status status;
    std::vector<GeneratedLine> lines;
    int routines = 0;            // the main board and the procedures reached from it
    int dispatchedRoutines = 0;  // of them, those written as a state machine
    // The first line of the flowchart's own code (its variables), after the heading and the
    // helper functions; a code window opens there.
    int ownCodeStart = 0;

    bool ok() const { return status.ok(); }
    // The whole text, one line after another, each ended by a line feed.
    QString text() const;
    // The numbers (from 0) of the lines made from `cell`.
    std::vector<int> linesOf(const CellRef& cell) const;
};

}  // namespace trevalon::codegen
