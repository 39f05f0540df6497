#pragma once

#include <QString>
#include <array>
#include <optional>

#include "config/Status.h"
#include "model/Board.h"

namespace trevalon {

class TextTable;

// Position of a cell in the project.
struct CellRef {
    int board = 0;
    int column = 0;
    int row = 0;
    friend bool operator==(const CellRef&, const CellRef&) = default;
};

// The drawing being edited: three boards of 15 x 15 cells, allocated once. Board numbers count
// from 1; callers pass numbers 1..3 and positions 1..15 (checked by assertions).
//
// Finds scan boards ascending, then columns ascending, then rows ascending, over the columns x
// rows in use, and stop at the first hit. Names compare without regard to case except in
// `variableType` and `checkNotReserved`.
class Project {
public:
    static inline const QString Unset = QStringLiteral("Brak");
    static inline const QString NoBlock = QStringLiteral("Brak klocka");
    static inline const QString EmptyArray = QStringLiteral("\"*\"");

    Project();

    Board& board(int n);
    const Board& board(int n) const;
    Cell& cell(int n, int column, int row) { return board(n).cell(column, row); }
    const Cell& cell(int n, int column, int row) const { return board(n).cell(column, row); }
    Cell& cell(const CellRef& at) { return cell(at.board, at.column, at.row); }
    const Cell& cell(const CellRef& at) const { return cell(at.board, at.column, at.row); }

    int boardCount = 1;
    int activeBoard = 1;
    QString note, lastModified;  // a project file's "lc" and "dt", shown only in the open log line

    // Raised before every placement for the whole program run; new or loaded projects keep it.
    int placementCounter() const { return m_placementCounter; }
    // Raises the counter and answers it: the number of the next block named by placement.
    int takePlacementNumber() { return ++m_placementCounter; }

    void resetBoard(int n);
    void newProject();
    // Adds a board and makes it active; false (and nothing changes) with three boards in use.
    bool addBoard();
    void clearCell(int n, int column, int row);
    // Puts a new block of the given kind with its defaults into an empty cell. Limits are the
    // editor's business; the board's variable count is raised by the caller for variables.
    void placeBlock(int n, int column, int row, int group, int index);
    void deleteBlock(int n, int column, int row);
    // Moves every field of a block to an empty cell; an occupied target is refused
    // (texts::MoveTargetOccupied) and nothing moves.
    Status moveBlock(int n, int fromColumn, int fromRow, int toColumn, int toRow);

    bool isOccupied(int n, int column, int row) const { return cell(n, column, row).occupied; }
    bool isVariableCell(int n, int column, int row) const {
        return cell(n, column, row).isVariable;
    }
    int kindAt(int n, int column, int row) const { return cell(n, column, row).kindCode; }
    bool boardHasKind(int n, int kindCode) const;

    std::optional<CellRef> findMarkedCell(int n) const;
    // fromBoard 0 scans from board 1.
    std::optional<CellRef> findBlockByName(const QString& name, int fromBoard = 0) const;
    std::optional<CellRef> findKind(int kindCode, int fromBoard = 0) const;
    // Type code of the first variable named exactly `name`, or -1.
    int variableType(const QString& name) const;
    int findBoardByName(const QString& name) const;

    bool boardNameTaken(const QString& name, int exceptBoard) const;
    bool blockNameTaken(int n, const QString& name, int exceptColumn, int exceptRow) const;
    bool variableNameTaken(const QString& name, int exceptColumn, int exceptRow) const;
    // OK unless `name` is exactly the reserved "Brak"; the refusal (texts::ReservedName)
    // names it.
    static Status checkNotReserved(const QString& name);

    bool projectChanged() const;
    void clearChanged();

    QString describeVariable(int n, int column, int row, const TextTable& texts) const;
    QString describeBlock(int n, int column, int row, const TextTable& texts) const;
    // The variable or block description, whichever the cell holds; empty for an empty cell.
    QString describeCell(int n, int column, int row, const TextTable& texts) const;

private:
    template <typename Match>
    std::optional<CellRef> scan(int fromBoard, Match match) const;
    void applyKindDefaults(Cell& cell, int kindCode);

    std::array<Board, kMaxBoards> m_boards;
    int m_placementCounter = 0;
};

}  // namespace trevalon
