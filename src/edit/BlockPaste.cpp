#include "edit/BlockPaste.h"

#include "edit/BlockFragment.h"
#include "model/BlockCatalogue.h"
#include "model/Project.h"

namespace trevalon {
namespace {

using Verdict = BlockPaste::Verdict;

// A free name for a pasted variable, counted on from the board's variables as placing does.
QString freeVariableName(const Project& project, int n) {
    for (int k = project.board(n).variableCount;; ++k) {
        const QString name = QStringLiteral("Zm") + QString::number(k);
        if (!project.variableNameTaken(name, 0, 0)) {
            return name;
        }
    }
}

// Whether a block of any board in use has `name`: a name shared across boards would make a
// call, a link or the check's reason name two blocks at once.
bool blockNameTakenInProject(const Project& project, const QString& name) {
    for (int b = 1; b <= project.boardCount; ++b) {
        if (project.blockNameTaken(b, name, 0, 0)) {
            return true;
        }
    }
    return false;
}

// A numbered block whose name is taken in the project is named anew from the placement
// counter; its texts that named the block itself (an array block's own array) follow the name.
void renameIfTaken(Project& project, Cell& cell) {
    if (cell.isVariable) {
        if (project.variableNameTaken(cell.name, 0, 0)) {
            cell.name = freeVariableName(project, cell.board);
        }
        return;
    }
    const KindInfo* info = BlockCatalogue::find(cell.kindCode);
    if (info == nullptr || !info->numbered || !blockNameTakenInProject(project, cell.name)) {
        return;
    }
    const QString old = cell.name;
    do {
        cell.name =
            QString::fromLatin1(info->defaultName) + QString::number(project.takePlacementNumber());
    } while (blockNameTakenInProject(project, cell.name));
    cell.replaceTexts(old, cell.name);
}

}  // namespace

Verdict BlockPaste::check(const Project& project, int n, int column, int row,
                          const BlockFragment& fragment) {
    const Board& board = project.board(n);
    if (fragment.empty()) {
        return {Empty};
    }
    if (column < 1 || row < 1 || column + fragment.columns() - 1 > board.usedColumns() ||
        row + fragment.rows() - 1 > board.usedRows()) {
        return {OutsideBoard};
    }
    for (const Cell& cell : fragment.cells()) {
        const int c = column + cell.column - 1;
        const int r = row + cell.row - 1;
        if (board.cell(c, r).occupied) {
            return {Occupied, c, r};
        }
    }
    const int blocks = static_cast<int>(fragment.cells().size());
    if (board.blockCount + blocks > kMaxBlocksPerBoard) {
        return {BlockLimit};
    }
    if (board.variableCount + fragment.variableCount() > kMaxVariablesPerBoard) {
        return {VariableLimit};
    }
    const auto second = [&](int kind) {
        const int pasted = fragment.count(kind);
        return pasted > 1 || (pasted == 1 && project.boardHasKind(n, kind));
    };
    if (second(KindStart)) {
        return {SecondStart};
    }
    if (second(KindEnd)) {
        return {SecondEnd};
    }
    return {Fits};
}

QRect BlockPaste::paste(Project& project, int n, int column, int row,
                        const BlockFragment& fragment) {
    for (const Cell& source : fragment.cells()) {
        Cell pasted = source;
        pasted.column = column + source.column - 1;
        pasted.row = row + source.row - 1;
        pasted.board = n;
        pasted.marked = false;
        pasted.occupied = true;
        renameIfTaken(project, pasted);
        Board& board = project.board(n);
        board.cell(pasted.column, pasted.row) = pasted;
        ++board.blockCount;
        board.variableCount += pasted.isVariable ? 1 : 0;
        board.changed = true;
    }
    return {column, row, fragment.columns(), fragment.rows()};
}

}  // namespace trevalon
