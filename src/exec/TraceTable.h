#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "config/Settings.h"
#include "exec/RingBuffer.h"
#include "exec/StepObserver.h"

namespace trevalon {

class Project;
class TextTable;
class Variables;

// One performed block of a run, as the trace table lists it.
struct TraceRow {
    qint64 step = 0;  // the executor's step number, from 1
    CellRef at;       // where the block stands
    int kind = 0;     // its kind code
    QString block;    // its name
    QString board;    // the name of its board
};

// The trace table of a run: one row per block performed (lines, joins and corners only when
// asked for), with the step number, the block, what it did in words and the variables after
// it. row(), action() and changedAt() of an index outside 0..rowCount()-1 are empty.
//
// Recording: install the table with `workspace.executor().setStepObserver(&table)` and remove
// it (nullptr) before the table goes; an executor without an observer records nothing and
// pays nothing. A run that begins (step 1) while installed starts the table afresh.
//
// Columns: one per variable block, in the order the variables window lists them (board by
// board, column by column, row by row), a name that comes again (without regard to case) only
// once; fixed when the run begins. Values are the stored texts the variables window shows:
// numbers bare, texts, dates and arrays in double quotes.
//
// Memory: a row keeps its step, the index of its block (the blocks' texts are copied once per
// run, at most one copy per cell) and only the values that changed in it. A row costs 16
// bytes, each changed value 16 bytes and 2 bytes a character; the buffers grow by doubling, so
// up to twice that is held. On bench/loop.skb, with 100 000 rows kept, bench/exec_bench
// measures 53 bytes a row (two rows in three change a seven-digit number), or 37 with the
// connectors recorded too (one row in three). A run without a table pays nothing of this.
//
// Bounded: only the last `limit()` rows are kept; older ones are folded into the values the
// table starts from, so the variables at every kept row stay exact. The characters of the
// changed values are bounded too (characterBudget()): a run that changes a large array on every
// step keeps fewer rows rather than gigabytes (an array value is kept whole at each change).
class TraceTable : public StepObserver {
public:
    // `project`, `texts` and `variables` (whose store the table reads after each step) must
    // outlive the table.
    TraceTable(const Project& project, const TextTable& texts, const Variables& variables,
               int limit = Settings::DefaultTraceRows);

    // Clamped to Settings::MinTraceRows..MaxTraceRows; rows over a smaller bound go at once.
    void setLimit(int rows);
    int limit() const { return m_limit; }
    // At most this many characters of changed values are kept (but always the newest row).
    static constexpr std::size_t DefaultCharacterBudget = std::size_t{32} << 20;
    void setCharacterBudget(std::size_t characters);
    std::size_t characterBudget() const { return m_characterBudget; }
    // Whether lines, joins and corners get rows of their own; they do not unless asked for,
    // which halves the rows of a typical loop.
    void setConnectors(bool recorded) { m_connectors = recorded; }
    // Forgets every row; the next step recorded starts a new table.
    void clear();

    void performed(qint64 step, const CellRef& at, const Cell& cell, bool conditionHeld) override;

    // --- Reading the table, row indices 0..rowCount()-1 from the oldest kept row.
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    // Rows dropped at the front because of the bound.
    qint64 droppedRows() const { return m_droppedRows; }
    TraceRow row(int index) const;
    // What the block did, in words, in the texts' current language: "s := 15",
    // "czytaj n = 5", "warunek i<=n: TAK", "wywołanie Procedura2", ...
    QString action(int index) const;
    // The row of `step`, or of the last kept step before it; -1 when none is kept.
    int rowOfStep(qint64 step) const;

    // --- Stepping back: the state after any kept row.
    const QStringList& variableNames() const { return m_names; }
    // Every column's value after the row; index -1 gives the values before the first kept row.
    QStringList valuesAt(int index) const;
    // The same as a variables list (NAME=value joined by CR LF), the form the variables window
    // is drawn from (variablesReportRows): pass the list at index - 1 as `before` to light
    // what the row changed.
    QString variablesListAt(int index) const;
    // The columns whose value the row changed, ascending.
    QList<int> changedAt(int index) const;

    // --- Export: RFC 4180 (fields with a comma, quote or line break quoted, quotes doubled,
    // CR LF after every record), UTF-8 without a byte-order mark, every cell written by
    // csvCell (a block's name, what it did and a variable's name as texts, so none that begins
    // with "=", "+", "-" or "@" runs as a spreadsheet formula). The header is the texts of
    // the step, board, block and action columns, then the variables' names; a value the row
    // changed begins with "*" (no stored value does: texts are in quotes).
    QString csv() const;
    // Writes csv() into `path` whole (a failed write leaves no half file); false with the
    // system's reason in `reason`.
    bool writeCsv(const QString& path, QString* reason) const;

private:
    // What a row needs of its block, copied when the block is first performed in a run.
    struct Block {
        CellRef at;
        Cell cell;
        QString board;
    };
    // 16 bytes: the counters are kept to their low 32 bits, and rebuilt from the full ones
    // the table keeps (stepOf, change): the kept rows never span 2^32 steps or changes.
    struct Row {
        quint32 step;         // low bits of the step number
        quint32 firstChange;  // low bits of the number of changes before this row's first
        quint16 block;
        quint16 changes;
        bool conditionHeld;
    };
    // A value is kept as characters of its own, never as a share of the Calculator's text,
    // which would make the Calculator copy the text at its next assignment.
    struct Change {
        quint64 textStart;  // counted over the whole run, dropped characters included
        quint32 length;
        int column;
    };

    // Hands the header and then every row of csv() to `take`, one record at a time.
    void forEachRecord(const std::function<void(const QString&)>& take) const;
    void beginRun();
    void takeColumns();
    quint16 addBlock(std::size_t slot, const CellRef& at, const Cell& cell);
    quint16 collectChanges();
    void dropOldest();
    qint64 stepOf(const Row& row) const;
    const Change& change(const Row& row, int k) const;
    QString changedValue(const Change& change) const;
    std::vector<QString> baseValues() const;
    std::vector<QString> valuesAfter(int index) const;
    QString value(const std::vector<QString>& values, const QString& name) const;
    QString describe(const Row& row, const std::vector<QString>& values) const;
    QString rendered(const QString& comment, const std::vector<QString>& values) const;

    const Project& m_project;
    const TextTable& m_texts;
    const Variables& m_variables;
    int m_limit;
    std::size_t m_characterBudget = DefaultCharacterBudget;
    bool m_connectors = false;
    bool m_started = false;
    qint64 m_lastStep = 0;
    qint64 m_lastRowStep = 0;  // the step of the newest row
    qint64 m_droppedRows = 0;
    quint64 m_droppedChanges = 0;
    quint64 m_droppedCharacters = 0;
    RingBuffer<Row> m_rows;
    RingBuffer<Change> m_changes;
    RingBuffer<char16_t> m_text;  // the characters of the changed values, change after change
    std::vector<Block> m_blocks;
    static constexpr std::size_t kSlots = kMaxBoards * kGridSize * kGridSize;
    std::array<qint16, kSlots> m_blockOfSlot{};
    QStringList m_names;
    std::vector<QString> m_upperNames;
    QHash<QString, int> m_columnOf;  // by upper-case name
    // The values before the first kept row and after the last one, in characters of their own.
    std::vector<std::u16string> m_base;
    std::vector<std::u16string> m_current;
    // The Calculator's slot of each column, valid while its store's generation is unchanged,
    // and how many values it had written when the values were last compared.
    std::vector<int> m_slots;
    quint64 m_generation = 0;
    quint64 m_writes = 0;
};

}  // namespace trevalon
