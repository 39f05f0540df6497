#pragma once

#include <QByteArray>
#include <QRect>
#include <optional>
#include <vector>

#include "model/Cell.h"

namespace trevalon {

struct Board;
class TextTable;

// Blocks lifted from a board with their places relative to each other: what copy and cut put
// on the clipboard and paste puts back. The cells keep every field of the blocks; their
// column and row count from 1 inside the fragment's own columns x rows.
class BlockFragment {
public:
    // The clipboard format of our own, so that blocks paste between two running programs.
    static constexpr const char* MimeType = "application/x-trevalon-blocks";

    // The blocks of `area` (columns as x, rows as y, from 1) on `board`, trimmed to the
    // smallest rectangle round them; empty when the area holds none.
    static BlockFragment take(const Board& board, const QRect& area);

    // A fragment is written as a project file of one board as large as the fragment, so that
    // what is on the clipboard is also a project another program can open.
    QByteArray toXml() const;
    // Reads what `toXml` wrote (or any project file: its first board's blocks), with the
    // project file's limits and checks. Nothing when the bytes are no such document or hold
    // no block.
    static std::optional<BlockFragment> fromXml(const QByteArray& bytes, const TextTable& texts);

    bool empty() const { return m_cells.empty(); }
    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    const std::vector<Cell>& cells() const { return m_cells; }
    int count(int kindCode) const;
    int variableCount() const;
    // The fragment drawn on a board of its own size, for the clipboard's picture.
    Board asBoard() const;

private:
    int m_columns = 0;
    int m_rows = 0;
    std::vector<Cell> m_cells;
};

}  // namespace trevalon
