#include "exec/TraceTable.h"

#include <QSaveFile>
#include <algorithm>
#include <functional>

#include "builders/CommentFormat.h"
#include "calc/TCalcul.h"
#include "calc/TText.h"
#include "config/OutsideText.h"
#include "config/TextIds.h"
#include "config/TextTable.h"
#include "exec/VariableLookup.h"
#include "exec/Variables.h"
#include "exec/VariablesList.h"
#include "model/BlockCatalogue.h"

namespace trevalon {
namespace {

std::u16string_view characters(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.constData()),
            static_cast<std::size_t>(text.size())};
}

QString fromCharacters(const std::u16string& characters) {
    return QString(reinterpret_cast<const QChar*>(characters.data()),
                   static_cast<qsizetype>(characters.size()));
}

// One record of cells already written by csvCell.
void appendRecord(QString& csv, const QStringList& cells) {
    csv += cells.join(u',');
    csv += QStringLiteral("\r\n");
}

// Texts from the project (names, what a block did) as CSV cells: none runs as a formula.
QStringList textCells(const QStringList& texts) {
    QStringList cells;
    for (const QString& text : texts) {
        cells << csvCell(text);
    }
    return cells;
}

// A message on one line: its line breaks ("&" in a comment) become single spaces.
QString oneLine(const QString& text) {
    QString line;
    line.reserve(text.size());
    bool lastWasBreak = false;
    for (const QChar c : text) {
        const bool isBreak = c == u'\r' || c == u'\n';
        if (isBreak && !lastWasBreak) {
            line += u' ';
        } else if (!isBreak) {
            line += c;
        }
        lastWasBreak = isBreak;
    }
    return line;
}

// Comments of a row rendered with the values after that row.
class RowValues : public CommentValueSource {
public:
    using Lookup = std::function<QString(const QString&)>;
    RowValues(const Project& project, Lookup lookup)
        : m_project(project), m_lookup(std::move(lookup)) {}
    int variableType(const QString& name) const override { return variableTypeOf(m_project, name); }
    QString variableValue(const QString& name) const override { return m_lookup(name); }

private:
    const Project& m_project;
    Lookup m_lookup;
};

}  // namespace

TraceTable::TraceTable(const Project& project, const TextTable& texts, const Variables& variables,
                       int limit)
    : m_project(project), m_texts(texts), m_variables(variables), m_limit(0) {
    setLimit(limit);
    m_blockOfSlot.fill(-1);
}

void TraceTable::setLimit(int rows) {
    m_limit = std::clamp(rows, Settings::MinTraceRows, Settings::MaxTraceRows);
    while (m_rows.size() > static_cast<std::size_t>(m_limit)) {
        dropOldest();
    }
}

void TraceTable::setCharacterBudget(std::size_t characters) {
    m_characterBudget = characters;
    while (m_rows.size() > 1 && m_text.size() > m_characterBudget) {
        dropOldest();
    }
}

void TraceTable::clear() {
    m_started = false;
    m_lastStep = 0;
    m_lastRowStep = 0;
    m_droppedRows = 0;
    m_droppedChanges = 0;
    m_droppedCharacters = 0;
    m_rows.clear();
    m_changes.clear();
    m_text.clear();
    m_blocks.clear();
    m_blockOfSlot.fill(-1);
    m_names.clear();
    m_upperNames.clear();
    m_columnOf.clear();
    m_base.clear();
    m_current.clear();
    m_slots.clear();
}

void TraceTable::performed(qint64 step, const CellRef& at, const Cell& cell, bool conditionHeld) {
    if (!m_started || step <= m_lastStep) {
        beginRun();
    }
    m_lastStep = step;
    // Connectors change no variable, so leaving them out loses nothing of the values.
    const bool connector = BlockCatalogue::isConnector(cell.kindCode);
    if (connector && !m_connectors) {
        return;
    }
    const auto slot = static_cast<std::size_t>(
        ((at.board - 1) * kGridSize + (at.column - 1)) * kGridSize + (at.row - 1));
    const qint16 known = m_blockOfSlot[slot];
    const quint16 block = known >= 0 ? static_cast<quint16>(known) : addBlock(slot, at, cell);
    const auto firstChange = static_cast<quint32>(m_droppedChanges + m_changes.size());
    const quint16 changes = connector ? 0 : collectChanges();
    // Filled in where it stays: a row built aside and copied in whole stalls the processor.
    Row& row = m_rows.emplace_back();
    row.step = static_cast<quint32>(step);
    row.firstChange = firstChange;
    row.block = block;
    row.changes = changes;
    row.conditionHeld = conditionHeld;
    m_lastRowStep = step;
    if (m_rows.size() > static_cast<std::size_t>(m_limit)) {
        dropOldest();
    }
    while (m_rows.size() > 1 && m_text.size() > m_characterBudget) {
        dropOldest();
    }
}

void TraceTable::beginRun() {
    clear();
    m_started = true;
    takeColumns();
}

void TraceTable::takeColumns() {
    const Project& project = m_project;
    for (int n = 1; n <= project.boardCount; ++n) {
        project.board(n).forEachCell([this](const Cell& cell, int, int) {
            const QString upper = cell.name.toUpper();
            if (cell.kindCode == KindVariable && !m_columnOf.contains(upper)) {
                m_columnOf.insert(upper, static_cast<int>(m_names.size()));
                m_names.append(cell.name);
                m_upperNames.push_back(upper);
            }
        });
    }
    m_slots.assign(m_names.size(), -1);
    m_generation = 0;
    m_current.assign(m_names.size(), std::u16string());
    collectChanges();  // the start values, so that the first row shows only its own change
    m_changes.clear();
    m_text.clear();
    m_base = m_current;
}

quint16 TraceTable::addBlock(std::size_t slot, const CellRef& at, const Cell& cell) {
    m_blockOfSlot[slot] = static_cast<qint16>(m_blocks.size());
    m_blocks.push_back({at, cell, m_project.board(at.board).name});
    return static_cast<quint16>(m_blockOfSlot[slot]);
}

quint16 TraceTable::collectChanges() {
    const TText& store = m_variables.calculator().variables();
    if (store.generation() == m_generation) {
        if (store.writes() == m_writes) {
            return 0;  // nothing was written: a comparison, a message, a call
        }
    } else {
        m_generation = store.generation();
        for (std::size_t i = 0; i < m_slots.size(); ++i) {
            m_slots[i] = store.slotOf(m_upperNames[i]);
        }
    }
    m_writes = store.writes();
    quint16 changes = 0;
    for (std::size_t i = 0; i < m_slots.size(); ++i) {
        const int slot = m_slots[i];
        const std::u16string_view now =
            slot >= 0 ? characters(store.valueAt(slot)) : std::u16string_view();
        std::u16string& was = m_current[i];
        if (now == was) {
            continue;
        }
        // Copied, not shared: the Calculator keeps writing its numbers into its own buffer.
        was.assign(now);
        m_changes.push_back({m_droppedCharacters + m_text.size(), static_cast<quint32>(now.size()),
                             static_cast<int>(i)});
        m_text.append(now.data(), now.size());
        ++changes;
    }
    return changes;
}

void TraceTable::dropOldest() {
    const Row& oldest = m_rows.front();
    for (int k = 0; k < oldest.changes; ++k) {
        const Change& folded = m_changes.front();
        std::u16string& value = m_base[static_cast<std::size_t>(folded.column)];
        value.resize(folded.length);
        const auto start = static_cast<std::size_t>(folded.textStart - m_droppedCharacters);
        for (std::size_t i = 0; i < folded.length; ++i) {
            value[i] = m_text[start + i];
        }
        m_text.pop_front(folded.length);
        m_droppedCharacters += folded.length;
        m_changes.pop_front();
    }
    m_droppedChanges += oldest.changes;
    m_rows.pop_front();
    ++m_droppedRows;
}

qint64 TraceTable::stepOf(const Row& row) const {
    return m_lastRowStep - static_cast<quint32>(static_cast<quint32>(m_lastRowStep) - row.step);
}

const TraceTable::Change& TraceTable::change(const Row& row, int k) const {
    const quint32 kept = row.firstChange - static_cast<quint32>(m_droppedChanges);
    return m_changes[static_cast<std::size_t>(kept) + static_cast<std::size_t>(k)];
}

QString TraceTable::changedValue(const Change& change) const {
    QString value(static_cast<qsizetype>(change.length), Qt::Uninitialized);
    QChar* out = value.data();
    const auto start = static_cast<std::size_t>(change.textStart - m_droppedCharacters);
    for (std::size_t i = 0; i < change.length; ++i) {
        out[i] = QChar(m_text[start + i]);
    }
    return value;
}

std::vector<QString> TraceTable::baseValues() const {
    std::vector<QString> values;
    values.reserve(m_base.size());
    for (const std::u16string& value : m_base) {
        values.push_back(fromCharacters(value));
    }
    return values;
}

TraceRow TraceTable::row(int index) const {
    if (index < 0 || index >= rowCount()) {
        return {};
    }
    const Row& r = m_rows[static_cast<std::size_t>(index)];
    const Block& block = m_blocks[r.block];
    return {stepOf(r), block.at, block.cell.kindCode, block.cell.name, block.board};
}

int TraceTable::rowOfStep(qint64 step) const {
    // Steps only grow down the table: the last row whose step is not after `step`.
    int low = 0;
    int high = rowCount();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (stepOf(m_rows[static_cast<std::size_t>(middle)]) <= step) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low - 1;
}

// Walks back from the row to the last change of every column; what no kept row changed is
// still the value the table starts from.
std::vector<QString> TraceTable::valuesAfter(int index) const {
    std::vector<QString> values = baseValues();
    std::vector<bool> found(values.size(), false);
    std::size_t missing = values.size();
    for (int i = std::min(index, rowCount() - 1); i >= 0 && missing > 0; --i) {
        const Row& r = m_rows[static_cast<std::size_t>(i)];
        for (int k = 0; k < r.changes; ++k) {
            const Change& c = change(r, k);
            const auto column = static_cast<std::size_t>(c.column);
            if (!found[column]) {
                found[column] = true;
                values[column] = changedValue(c);
                --missing;
            }
        }
    }
    return values;
}

QStringList TraceTable::valuesAt(int index) const {
    const std::vector<QString> values = valuesAfter(index);
    return QStringList(values.begin(), values.end());
}

QString TraceTable::variablesListAt(int index) const {
    const std::vector<QString> values = valuesAfter(index);
    QString list;
    for (qsizetype i = 0; i < m_names.size(); ++i) {
        VariablesList::append(list, m_names[i], values[static_cast<std::size_t>(i)]);
    }
    return list;
}

QList<int> TraceTable::changedAt(int index) const {
    if (index < 0 || index >= rowCount()) {
        return {};
    }
    const Row& r = m_rows[static_cast<std::size_t>(index)];
    QList<int> columns;
    for (int k = 0; k < r.changes; ++k) {
        columns.append(change(r, k).column);
    }
    std::sort(columns.begin(), columns.end());
    return columns;
}

QString TraceTable::action(int index) const {
    if (index < 0 || index >= rowCount()) {
        return QString();
    }
    return describe(m_rows[static_cast<std::size_t>(index)], valuesAfter(index));
}

QString TraceTable::value(const std::vector<QString>& values, const QString& name) const {
    const int column = m_columnOf.value(name.toUpper(), -1);
    return column >= 0 ? values[static_cast<std::size_t>(column)] : QString();
}

QString TraceTable::rendered(const QString& comment, const std::vector<QString>& values) const {
    const RowValues source(m_project,
                           [this, &values](const QString& name) { return value(values, name); });
    return oneLine(CommentFormat::render(comment, source));
}

QString TraceTable::describe(const Row& row, const std::vector<QString>& values) const {
    const TextTable& texts = m_texts;
    const Block& block = m_blocks[row.block];
    const Cell& c = block.cell;
    const auto text = [&texts](int id) { return texts.text(id); };
    switch (c.kindCode) {
        case KindStart:
            return text(texts::TraceStart);
        case KindEnd:
            return block.at.board == 1 ? text(texts::TraceEnd)
                                       : text(texts::TraceReturnTo).arg(c.link());
        case KindBranchStart:
            return text(texts::TraceBranchStart);
        case KindBranchEnd:
            return text(texts::TraceBranchJump).arg(c.link());
        case KindReadWrite:
            return text(c.writes() ? texts::TraceWrite : texts::TraceRead)
                .arg(c.variable(), value(values, c.variable()));
        case KindCall:
            return text(texts::TraceCall).arg(c.link());
        case KindReturn:
            return text(texts::TraceReturnBlock);
        case KindMessage:
            return text(texts::TraceMessage).arg(rendered(c.prompt(), values));
        case KindQuestion:
            return text(texts::TraceQuestion)
                .arg(rendered(c.prompt(), values),
                     text(value(values, c.variable()) == u"1" ? texts::TraceYes : texts::TraceNo));
        case KindRandom:
            return text(texts::TraceRandom).arg(c.variable(), value(values, c.variable()));
        case KindAssign:
            return text(texts::TraceAssign).arg(c.variable(), value(values, c.variable()));
        case KindCompareVars:
        case KindCompareFormula:
            return text(texts::TraceCondition)
                .arg(c.variable() + BlockCatalogue::comparisonOperator(c.comparison()) +
                         c.comparedWith(),
                     text(row.conditionHeld ? texts::TraceYes : texts::TraceNo));
        case KindArrayWrite:
            return text(texts::TraceArrayWrite)
                .arg(c.variable(), value(values, c.arrayIndex()), value(values, c.arrayOther()));
        case KindArrayRead:
            return text(texts::TraceArrayRead)
                .arg(c.arrayOther(), c.variable(), value(values, c.arrayIndex()),
                     value(values, c.arrayOther()));
        default:
            return BlockCatalogue::isConnector(c.kindCode) ? text(texts::TraceConnector)
                                                           : QString();
    }
}

QString TraceTable::csv() const {
    QString csv;
    forEachRecord([&csv](const QString& record) { csv += record; });
    return csv;
}

void TraceTable::forEachRecord(const std::function<void(const QString&)>& take) const {
    const TextTable& texts = m_texts;
    QString csv;
    appendRecord(csv, textCells(QStringList{texts.text(texts::TraceColumnStep),
                                            texts.text(texts::TraceColumnBoard),
                                            texts.text(texts::TraceColumnBlock),
                                            texts.text(texts::TraceColumnAction)} +
                                m_names));
    take(csv);
    // One walk forward from the start values gives every row's values at once.
    std::vector<QString> values = baseValues();
    std::vector<bool> changed(values.size(), false);
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const Row& r = m_rows[i];
        std::fill(changed.begin(), changed.end(), false);
        for (int k = 0; k < r.changes; ++k) {
            const Change& c = change(r, k);
            values[static_cast<std::size_t>(c.column)] = changedValue(c);
            changed[static_cast<std::size_t>(c.column)] = true;
        }
        const Block& b = m_blocks[r.block];
        // Numbers and values in their stored form are ours ("-5" is a number); the block's
        // name and what it did come from the project.
        QStringList cells{csvCell(QString::number(stepOf(r)), CsvCell::Data),
                          csvCell(QString::number(b.at.board), CsvCell::Data), csvCell(b.cell.name),
                          csvCell(describe(r, values))};
        for (std::size_t column = 0; column < values.size(); ++column) {
            cells.append(
                csvCell(changed[column] ? u'*' + values[column] : values[column], CsvCell::Data));
        }
        csv.resize(0);
        appendRecord(csv, cells);
        take(csv);
    }
}

bool TraceTable::writeCsv(const QString& path, QString* reason) const {
    QSaveFile file(path);
    // A device such as /dev/stdout cannot be replaced by a renamed copy; it is written directly.
    file.setDirectWriteFallback(true);
    bool written = file.open(QIODevice::WriteOnly);
    // Record by record: the whole table as one text could take many times the file's size.
    forEachRecord([&file, &written](const QString& record) {
        const QByteArray bytes = record.toUtf8();
        written = written && file.write(bytes) == bytes.size();
    });
    if (!written || !file.commit()) {
        if (reason != nullptr) {
            *reason = file.errorString();
        }
        return false;
    }
    return true;
}

}  // namespace trevalon
