#include "edit/BlockFragment.h"

#include <QDateTime>
#include <algorithm>
#include <memory>

#include "config/EventLog.h"
#include "config/TpkXML.h"
#include "model/Board.h"
#include "model/KindCode.h"
#include "model/Project.h"
#include "storage/ProjectFile.h"

namespace trevalon {

BlockFragment BlockFragment::take(const Board& board, const QRect& area) {
    const QRect used = area & QRect(1, 1, board.usedColumns(), board.usedRows());
    QRect bounds;
    for (int c = used.left(); c <= used.right(); ++c) {
        for (int r = used.top(); r <= used.bottom(); ++r) {
            if (board.cell(c, r).occupied) {
                bounds |= QRect(c, r, 1, 1);
            }
        }
    }
    BlockFragment fragment;
    if (bounds.isEmpty()) {
        return fragment;
    }
    fragment.m_columns = bounds.width();
    fragment.m_rows = bounds.height();
    for (int c = bounds.left(); c <= bounds.right(); ++c) {
        for (int r = bounds.top(); r <= bounds.bottom(); ++r) {
            Cell cell = board.cell(c, r);
            if (cell.occupied) {
                cell.marked = false;
                cell.column = c - bounds.left() + 1;
                cell.row = r - bounds.top() + 1;
                fragment.m_cells.push_back(cell);
            }
        }
    }
    return fragment;
}

Board BlockFragment::asBoard() const {
    Board board;
    board.columns = std::max(m_columns, 1);
    board.rows = std::max(m_rows, 1);
    board.kind = BoardFragment;
    for (const Cell& cell : m_cells) {
        board.cell(cell.column, cell.row) = cell;
        board.cell(cell.column, cell.row).board = 1;
        ++board.blockCount;
        board.variableCount += cell.isVariable ? 1 : 0;
    }
    return board;
}

QByteArray BlockFragment::toXml() const {
    const auto scratch = std::make_unique<Project>();
    scratch->board(1) = asBoard();
    scratch->board(1).name = QStringLiteral("Schowek");
    TpkXML document;
    ProjectFile::buildDocument(*scratch, document, ProjectFile::Form::Plain,
                               QDateTime::currentDateTime());
    return document.saveToBuffer();
}

std::optional<BlockFragment> BlockFragment::fromXml(const QByteArray& bytes,
                                                    const TextTable& texts) {
    if (bytes.size() > TpkXML::MaxFileSize) {
        return std::nullopt;
    }
    TpkXML document;
    if (!document.loadFromBuffer(bytes)) {
        return std::nullopt;
    }
    const auto scratch = std::make_unique<Project>();
    // The clipboard is outside data: whatever the project reader would say or log about it is
    // replaced by the one message paste gives.
    NoEventLog quiet;
    if (!ProjectFile::readDocument(*scratch, document, quiet, texts).ok()) {
        return std::nullopt;
    }
    const Board& board = scratch->board(1);
    BlockFragment fragment = take(board, QRect(1, 1, kGridSize, kGridSize));
    if (fragment.empty()) {
        return std::nullopt;
    }
    return fragment;
}

int BlockFragment::count(int kindCode) const {
    return static_cast<int>(
        std::count_if(m_cells.begin(), m_cells.end(),
                      [kindCode](const Cell& c) { return c.kindCode == kindCode; }));
}

int BlockFragment::variableCount() const {
    return count(KindVariable);
}

}  // namespace trevalon
