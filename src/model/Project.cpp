#include "model/Project.h"

#include <cassert>

#include "config/TextIds.h"
#include "config/TextTable.h"
#include "model/BlockCatalogue.h"

namespace trevalon {
namespace {

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

void startNumber(int& field, int start) {
    if (start != KindDefaults::Kept) {
        field = start;
    }
}

void startText(QString& field, StartText start, const QString& ownName) {
    switch (start) {
        case StartText::Kept:
            break;
        case StartText::NoBlock:
            field = Project::NoBlock;
            break;
        case StartText::Unset:
            field = Project::Unset;
            break;
        case StartText::OwnName:
            field = ownName;
            break;
        case StartText::EmptyArray:
            field = Project::EmptyArray;
            break;
    }
}

}  // namespace

Project::Project() {
    newProject();
    clearChanged();
}

Board& Project::board(int n) {
    assert(n >= 1 && n <= kMaxBoards);
    return m_boards[static_cast<std::size_t>(n - 1)];
}

const Board& Project::board(int n) const {
    assert(n >= 1 && n <= kMaxBoards);
    return m_boards[static_cast<std::size_t>(n - 1)];
}

void Project::resetBoard(int n) {
    Board& b = board(n);
    b.forEachCell([this, n](Cell&, int c, int r) { clearCell(n, c, r); });
    b.formatMarker = 123;
    b.number = n;
    b.kind = BoardProgram;
    b.name = QStringLiteral("Plansza nr ") + QString::number(n);
    b.rows = 8;
    b.columns = 8;
    b.left = 20 * n + 100;
    b.top = 20 * n + 82;
    b.variableCount = 0;
    b.runDirection = QStringLiteral("D");
    b.changed = true;
}

void Project::newProject() {
    for (int n = 1; n <= kMaxBoards; ++n) {
        resetBoard(n);
        board(n).blockCount = 0;
    }
    boardCount = 1;
    activeBoard = 1;
    note.clear();
    lastModified.clear();
}

bool Project::addBoard() {
    if (boardCount >= kMaxBoards) {
        return false;
    }
    ++boardCount;
    resetBoard(boardCount);
    board(boardCount).blockCount = 0;
    activeBoard = boardCount;
    return true;
}

void Project::clearCell(int n, int column, int row) {
    Cell& c = cell(n, column, row);
    c = Cell{};
    c.board = n;
}

void Project::placeBlock(int n, int column, int row, int group, int index) {
    Board& b = board(n);
    Cell& c = b.cell(column, row);
    const int kindCode = 10 * group + index;
    ++b.blockCount;
    takePlacementNumber();
    if (kindCode == KindVariable) {
        c.isVariable = true;
        c.name = QStringLiteral("Zm") + QString::number(b.variableCount);
        c.scope = 0;
        c.mode = TypeInteger;
        c.text4 = QStringLiteral("0");
        c.extra1 = 0;
    } else {
        c.isVariable = false;
        c.text2.clear();
        applyKindDefaults(c, kindCode);
        b.changed = true;
    }
    c.board = n;
    c.group = group;
    c.index = index;
    c.kindCode = kindCode;
    c.column = column;
    c.row = row;
    c.occupied = true;
}

void Project::applyKindDefaults(Cell& c, int kindCode) {
    const KindInfo* info = BlockCatalogue::find(kindCode);
    assert(info != nullptr);
    c.name = QString::fromLatin1(info->defaultName);
    if (info->numbered) {
        c.name += QString::number(m_placementCounter);
    }
    const KindDefaults& start = info->defaults;
    startNumber(c.mode, start.mode);
    startText(c.text2, start.text2, c.name);
    startText(c.text3, start.text3, c.name);
    startText(c.text4, start.text4, c.name);
    startNumber(c.extra1, start.extra1);
}

void Project::deleteBlock(int n, int column, int row) {
    Board& b = board(n);
    Cell& c = b.cell(column, row);
    if (!c.occupied) {
        return;
    }
    b.changed = true;
    if (c.isVariable) {
        --b.variableCount;
    }
    clearCell(n, column, row);
    --b.blockCount;
}

Status Project::moveBlock(int n, int fromColumn, int fromRow, int toColumn, int toRow) {
    Board& b = board(n);
    Cell& target = b.cell(toColumn, toRow);
    if (target.occupied) {
        return Status::information(texts::MoveTargetOccupied);
    }
    target = b.cell(fromColumn, fromRow);
    target.column = toColumn;
    target.row = toRow;
    target.marked = true;
    clearCell(n, fromColumn, fromRow);
    b.changed = true;
    return {};
}

bool Project::boardHasKind(int n, int kindCode) const {
    return board(n).anyUsedCell(
        [kindCode](const Cell& cell, int, int) { return cell.kindCode == kindCode; });
}

template <typename Match>
std::optional<CellRef> Project::scan(int fromBoard, Match match) const {
    for (int n = fromBoard < 1 ? 1 : fromBoard; n <= boardCount && n <= kMaxBoards; ++n) {
        const Board& b = board(n);
        for (int c = 1; c <= b.columns; ++c) {
            for (int r = 1; r <= b.rows; ++r) {
                if (match(b.cell(c, r))) {
                    return CellRef{n, c, r};
                }
            }
        }
    }
    return std::nullopt;
}

std::optional<CellRef> Project::findMarkedCell(int n) const {
    const Board& b = board(n);
    for (int c = 1; c <= b.columns; ++c) {
        for (int r = 1; r <= b.rows; ++r) {
            if (b.cell(c, r).marked) {
                return CellRef{n, c, r};
            }
        }
    }
    return std::nullopt;
}

std::optional<CellRef> Project::findBlockByName(const QString& name, int fromBoard) const {
    return scan(fromBoard, [&](const Cell& c) { return c.occupied && sameName(c.name, name); });
}

std::optional<CellRef> Project::findKind(int kindCode, int fromBoard) const {
    return scan(fromBoard, [&](const Cell& c) { return c.kindCode == kindCode; });
}

int Project::variableType(const QString& name) const {
    const auto found =
        scan(1, [&](const Cell& c) { return c.kindCode == KindVariable && c.name == name; });
    return found ? cell(*found).mode : -1;
}

int Project::findBoardByName(const QString& name) const {
    for (int n = 1; n <= boardCount; ++n) {
        if (sameName(board(n).name, name)) {
            return n;
        }
    }
    return -1;
}

bool Project::boardNameTaken(const QString& name, int exceptBoard) const {
    for (int n = 1; n <= boardCount; ++n) {
        if (n != exceptBoard && sameName(board(n).name, name)) {
            return true;
        }
    }
    return false;
}

bool Project::blockNameTaken(int n, const QString& name, int exceptColumn, int exceptRow) const {
    return board(n).anyCell([&](const Cell& cell, int c, int r) {
        return (c != exceptColumn || r != exceptRow) && cell.occupied && sameName(cell.name, name);
    });
}

bool Project::variableNameTaken(const QString& name, int exceptColumn, int exceptRow) const {
    for (int n = 1; n <= boardCount; ++n) {
        const bool taken = board(n).anyCell([&](const Cell& cell, int c, int r) {
            const bool edited = n == activeBoard && c == exceptColumn && r == exceptRow;
            return !edited && cell.isVariable && sameName(cell.name, name);
        });
        if (taken) {
            return true;
        }
    }
    return false;
}

Status Project::checkNotReserved(const QString& name) {
    return name == Unset ? Status::information(texts::ReservedName, {Unset}) : Status();
}

bool Project::projectChanged() const {
    for (const Board& b : m_boards) {
        if (b.changed) {
            return true;
        }
    }
    return false;
}

void Project::clearChanged() {
    for (Board& b : m_boards) {
        b.changed = false;
    }
}

}  // namespace trevalon
