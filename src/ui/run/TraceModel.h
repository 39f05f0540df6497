#pragma once

#include <QAbstractTableModel>
#include <QCache>
#include <QList>
#include <QStringList>

#include "exec/TraceTable.h"

namespace trevalon {

class TextTable;

// The trace table as a Qt table model: a row per kept row of the TraceTable, the columns step,
// board, block, action, then one per variable. The values a row changed are bold on the run
// mark's tint, as the variables window lights them.
//
// Rows are read when the view asks for them: rebuilding a row's values walks back through the
// table (TraceTable::valuesAt), so the rows read last are kept, by their number counted from
// the start of the run (rows dropped at the front keep their number).
//
// The model only learns of new rows through `refresh()`. `table` and `texts` must outlive it.
class TraceModel : public QAbstractTableModel {
public:
    // The fixed columns before the variables.
    enum Column { StepColumn, BoardColumn, BlockColumn, ActionColumn, FirstVariableColumn };

    TraceModel(const TraceTable& table, const TextTable& texts, QObject* parent = nullptr);

    // Catches up with the table: appended rows are inserted, rows dropped at the front because
    // of the bound are removed; a table that was started afresh (fewer rows, fewer dropped,
    // other variables) is taken whole again. Cheap when nothing changed.
    void refresh();
    // Takes the table whole again: a new run began, or the language changed (the actions are
    // words of the current language).
    void restart();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The header and the rows, one line each, fields separated by tabs (the clipboard's form
    // for spreadsheets); a changed value is not marked.
    QString tabSeparated(const QList<int>& rows) const;

private:
    struct Line {
        TraceRow row;
        QString action;
        QStringList values;
        QList<int> changed;
    };

    const Line& line(int row) const;
    QString text(const Line& line, int column) const;

    const TraceTable& m_table;
    const TextTable& m_texts;
    int m_rows = 0;
    qint64 m_dropped = 0;
    QStringList m_names;
    mutable QCache<qint64, Line> m_lines;
};

}  // namespace trevalon
