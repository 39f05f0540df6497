#include "ui/run/TraceModel.h"

#include <QFont>
#include <algorithm>
#include <utility>

#include "config/TextIds.h"
#include "config/TextTable.h"
#include "ui/widgets/Palette.h"

namespace trevalon {
namespace {

// Rows kept read: a few screens of a tall window, so that scrolling back and forth over them
// does not walk the table again.
constexpr int KeptLines = 1024;

// The records of RFC 4180 text as TraceTable::csv writes it: fields separated by commas,
// quoted ones with their quotes doubled, records ended by CR LF.
QList<QStringList> csvRecords(const QString& csv) {
    QList<QStringList> records;
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < csv.size(); ++i) {
        const QChar c = csv[i];
        if (quoted) {
            if (c != u'"') {
                field += c;
            } else if (i + 1 < csv.size() && csv[i + 1] == u'"') {
                field += c;
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            fields << std::exchange(field, QString());
        } else if (c == u'\n') {
            fields << std::exchange(field, QString());
            records << std::exchange(fields, QStringList());
        } else if (c != u'\r') {
            field += c;
        }
    }
    return records;
}

}  // namespace

TraceModel::TraceModel(const TraceTable& table, const TextTable& texts, QObject* parent)
    : QAbstractTableModel(parent), m_table(table), m_texts(texts), m_lines(KeptLines) {
    m_rows = m_table.rowCount();
    m_dropped = m_table.droppedRows();
    m_names = m_table.variableNames();
}

void TraceModel::restart() {
    beginResetModel();
    m_lines.clear();
    m_rows = m_table.rowCount();
    m_dropped = m_table.droppedRows();
    m_names = m_table.variableNames();
    endResetModel();
}

void TraceModel::refresh() {
    const int rows = m_table.rowCount();
    const qint64 dropped = m_table.droppedRows();
    if (dropped < m_dropped || dropped + rows < m_dropped + m_rows ||
        m_table.variableNames() != m_names) {
        restart();
        return;
    }
    // Rows kept before and after: the first `gone` of ours left at the front.
    const auto gone = static_cast<int>(std::min<qint64>(dropped - m_dropped, m_rows));
    if (gone > 0) {
        beginRemoveRows(QModelIndex(), 0, gone - 1);
        m_rows -= gone;
        m_dropped += gone;
        endRemoveRows();
    }
    // A drop larger than the rows we had takes some that were never shown.
    m_dropped = dropped;
    if (rows > m_rows) {
        beginInsertRows(QModelIndex(), m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    }
}

int TraceModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int TraceModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : FirstVariableColumn + static_cast<int>(m_names.size());
}

const TraceModel::Line& TraceModel::line(int row) const {
    const qint64 key = m_dropped + row;
    if (const Line* kept = m_lines.object(key)) {
        return *kept;
    }
    auto* made = new Line{m_table.row(row), m_table.action(row), m_table.valuesAt(row),
                          m_table.changedAt(row)};
    m_lines.insert(key, made);
    return *made;
}

QString TraceModel::text(const Line& line, int column) const {
    switch (column) {
        case StepColumn:
            return QString::number(line.row.step);
        case BoardColumn:
            return line.row.board;
        case BlockColumn:
            return line.row.block;
        case ActionColumn:
            return line.action;
        default:
            return line.values.value(column - FirstVariableColumn);
    }
}

QVariant TraceModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows) {
        return {};
    }
    const int column = index.column();
    if (role == Qt::TextAlignmentRole) {
        return column == StepColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                    : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole && role != Qt::FontRole && role != Qt::BackgroundRole) {
        return {};
    }
    const Line& l = line(index.row());
    if (role == Qt::DisplayRole) {
        return text(l, column);
    }
    if (column < FirstVariableColumn || !l.changed.contains(column - FirstVariableColumn)) {
        return {};
    }
    if (role == Qt::BackgroundRole) {
        return palette::runTint;
    }
    QFont bold;
    bold.setBold(true);
    return bold;
}

QVariant TraceModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole) {
        return section == StepColumn ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                     : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (section) {
        case StepColumn:
            return m_texts.text(texts::TraceColumnStep);
        case BoardColumn:
            return m_texts.text(texts::TraceColumnBoard);
        case BlockColumn:
            return m_texts.text(texts::TraceColumnBlock);
        case ActionColumn:
            return m_texts.text(texts::TraceColumnAction);
        default:
            return m_names.value(section - FirstVariableColumn);
    }
}

QString TraceModel::tabSeparated(const QList<int>& rows) const {
    // The table's own CSV is one walk forward through every row, where rebuilding the rows one
    // by one would walk back from each.
    const QList<QStringList> records = csvRecords(m_table.csv());
    QStringList fields;
    for (int column = 0; column < columnCount(); ++column) {
        fields << headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    QString out = fields.join(u'\t') + u'\n';
    for (int row : rows) {
        if (row < 0 || row + 1 >= records.size()) {
            continue;
        }
        fields = records[row + 1];
        // The view names the board; the CSV numbers it.
        if (fields.size() > BoardColumn) {
            fields[BoardColumn] = m_table.row(row).board;
        }
        for (qsizetype column = FirstVariableColumn; column < fields.size(); ++column) {
            if (fields[column].startsWith(u'*')) {
                fields[column].remove(0, 1);
            }
        }
        for (QString& field : fields) {
            // A tab or a line break inside a field would split the row in a spreadsheet.
            field.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' ');
        }
        out += fields.join(u'\t') + u'\n';
    }
    return out;
}

}  // namespace trevalon
