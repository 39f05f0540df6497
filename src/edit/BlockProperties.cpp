#include "edit/BlockProperties.h"

#include <algorithm>

#include "builders/VisibleVariables.h"
#include "config/TextTable.h"
#include "edit/PropertyRows.h"
#include "model/BlockCatalogue.h"
#include "model/Project.h"

namespace trevalon {
namespace {

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

const PropertyRow& emptyRow() {
    static const PropertyRow row;
    return row;
}

}  // namespace

BlockProperties::BlockProperties(Project& project, const TextTable& texts)
    : m_project(project), m_texts(texts) {}

Board& BlockProperties::activeBoard() {
    return m_project.board(m_board);
}

const Board& BlockProperties::activeBoard() const {
    return m_project.board(m_board);
}

Cell& BlockProperties::cell() {
    return m_project.cell(m_board, m_column, m_row);
}

const Cell& BlockProperties::cell() const {
    return m_project.cell(m_board, m_column, m_row);
}

void BlockProperties::show(int kind, int column, int row) {
    m_kind = kind;
    m_board = std::clamp(m_project.activeBoard, 1, kMaxBoards);
    m_column = column;
    m_row = row;
    if (kind != PropertiesBoard && !Board::validPosition(column, row)) {
        m_kind = PropertiesBoard;
    }
    rebuild();
}

bool BlockProperties::valid() const {
    if (m_board > m_project.boardCount) {
        return false;
    }
    if (m_kind == PropertiesBoard) {
        return true;
    }
    const Cell& c = cell();
    return c.occupied && (m_kind == PropertiesVariable ? c.isVariable : c.kindCode == m_kind);
}

void BlockProperties::rebuild() {
    m_rows.clear();
    for (const propertyrows::RowEntry& entry : propertyrows::kindRows(m_kind)) {
        PropertyRow row = entry.row;
        if (shown(row, entry.rule)) {
            m_rows.push_back(row);
        }
    }
    // The picture strip closes every kind's rows.
    m_rows.push_back(PropertyRow{});
}

bool BlockProperties::shown(PropertyRow& row, propertyrows::RowRule rule) const {
    using propertyrows::RowRule;
    switch (rule) {
        case RowRule::Always:
            return true;
        case RowRule::OnProcedureBoard:
            return activeBoard().kind == BoardProcedure;
        case RowRule::ReadOnlyOnMainBoard:
            row.editor = m_board == 1 ? RowEditor::ReadOnly : RowEditor::List;
            return true;
        case RowRule::ReadOnlyUnlessRounded:
            row.editor = precisionApplies() ? RowEditor::List : RowEditor::ReadOnly;
            return true;
        case RowRule::FollowsVariableType: {
            const propertyrows::StartValueEditor typed =
                propertyrows::startValueEditor(cell().mode);
            row.editor = typed.editor;
            row.filter = typed.filter;
            // Only a typed value has a length limit.
            row.limit = typed.editor == RowEditor::Text ? row.limit : 0;
            return true;
        }
    }
    return true;
}

bool BlockProperties::precisionApplies() const {
    const Cell& c = cell();
    return c.writes() && declaredVariableType(m_project, c.variable()) == TypeReal;
}

QString BlockProperties::layout() const {
    QString text;
    for (const PropertyRow& row : m_rows) {
        text += QChar(u'0' + static_cast<int>(row.editor));
    }
    return text;
}

const PropertyRow& BlockProperties::rowAt(int r) const {
    if (r < 1 || r > rowCount()) {
        return emptyRow();
    }
    return m_rows[static_cast<std::size_t>(r - 1)];
}

QString BlockProperties::label(int r) const {
    const int number = rowAt(r).label;
    return number > 0 ? m_texts.text(number) : QString();
}

QString BlockProperties::shortened(const QString& value) {
    if (value.size() <= ShownLength) {
        return value;
    }
    return value.left(ShownLength) + QStringLiteral("..");
}

QString BlockProperties::logicalWord(const QString& stored) const {
    return m_texts.text(stored == trueValue() ? texts::LogicalTrue : texts::LogicalFalse);
}

BlockProperties::Stored BlockProperties::stored(PropertySlot slot) const {
    switch (slot) {
        case PropertySlot::None:
            return {};
        case PropertySlot::BoardName:
            return {.text = &activeBoard().name};
        case PropertySlot::BoardColumns:
            return {.code = &activeBoard().columns};
        case PropertySlot::BoardRows:
            return {.code = &activeBoard().rows};
        case PropertySlot::BoardKind:
            return {.code = &activeBoard().kind};
        case PropertySlot::Name:
            return {.text = &cell().name};
        case PropertySlot::Mode:
            return {.code = &cell().mode};
        case PropertySlot::Scope:
            return {.code = &cell().scope};
        case PropertySlot::Text2:
            return {.text = cell().text(Cell::Field::Text2)};
        case PropertySlot::Text3:
            return {.text = cell().text(Cell::Field::Text3)};
        case PropertySlot::Text4:
            return {.text = cell().text(Cell::Field::Text4)};
        case PropertySlot::Extra1:
            return {.code = cell().number(Cell::Field::Extra1)};
    }
    return {};
}

QString* BlockProperties::storedText(PropertySlot slot) {
    return const_cast<QString*>(stored(slot).text);
}

const QString* BlockProperties::storedText(PropertySlot slot) const {
    return stored(slot).text;
}

int* BlockProperties::storedCode(PropertySlot slot) {
    return const_cast<int*>(stored(slot).code);
}

const int* BlockProperties::storedCode(PropertySlot slot) const {
    return stored(slot).code;
}

// The stored link as the list shows it: the "no block" marker is shown in the interface's
// language, whatever language stored it.
QString BlockProperties::storedName(const PropertyRow& row) const {
    const QString& name = *storedText(propertyrows::fieldEntry(row.field).slot);
    return name == Project::NoBlock ? m_texts.text(texts::NoBlock) : name;
}

QString BlockProperties::value(int r) const {
    const PropertyRow& row = rowAt(r);
    if (row.field == PropertyField::Strip || !valid()) {
        return {};
    }
    const propertyrows::FieldEntry& entry = propertyrows::fieldEntry(row.field);
    switch (row.field) {
        case PropertyField::FixedName:
            return m_texts.text(m_kind == KindStart ? texts::StartBlockName : texts::EndBlockName);
        case PropertyField::BoardColumns:
        case PropertyField::BoardRows:
            return QString::number(*storedCode(entry.slot));
        case PropertyField::StartValue:
            return cell().variableType() == TypeLogical ? logicalWord(cell().startValue())
                                                        : cell().startValue();
        case PropertyField::Precision:
            if (row.editor == RowEditor::ReadOnly) {
                return m_texts.text(texts::PrecisionNotApplicable);
            }
            break;
        default:
            break;
    }
    if (entry.coding == propertyrows::Coding::Name) {
        return storedName(row);
    }
    if (entry.coding != propertyrows::Coding::None) {
        return codedValue(r);
    }
    return *storedText(entry.slot);
}

// Values stored as codes, shown as the list item of their code.
QString BlockProperties::codedValue(int r) const {
    const PropertyRow& row = rowAt(r);
    if (m_kind == PropertiesBoard && row.field == PropertyField::BoardKind && m_board == 1) {
        return m_texts.text(texts::BoardKindProgram);
    }
    const int index = listChoice(r);
    const QStringList items = listItems(r);
    if (row.field == PropertyField::Precision && index < 0) {
        return m_texts.text(texts::PrecisionNotApplicable);
    }
    return index >= 0 && index < items.size() ? items.at(index) : QString();
}

QStringList BlockProperties::variableNames(int type) const {
    QStringList names;
    for (const VisibleVariable& v : visibleVariables(m_project, m_board)) {
        if (type == 0 || v.type == type) {
            names << v.name;
        }
    }
    return names;
}

// Blocks of a kind: for Start and End the ones on the other boards, for branch blocks the ones
// on this board and the global ones of every board.
QStringList BlockProperties::blockNames(int kindCode, bool otherBoardsOnly) const {
    QStringList names;
    for (int n = 1; n <= std::clamp(m_project.boardCount, 1, kMaxBoards); ++n) {
        if (otherBoardsOnly && n == m_board) {
            continue;
        }
        m_project.board(n).forEachUsedCell([&](const Cell& found, int, int) {
            if (found.kindCode == kindCode &&
                (otherBoardsOnly || n == m_board || found.scope == 1)) {
                names << found.name;
            }
        });
    }
    return names;
}

QStringList BlockProperties::procedureBoards() const {
    QStringList names;
    for (int n = 1; n <= std::clamp(m_project.boardCount, 1, kMaxBoards); ++n) {
        if (m_project.board(n).kind == BoardProcedure) {
            names << m_project.board(n).name;
        }
    }
    return names;
}

QStringList BlockProperties::listItems(int r) const {
    const PropertyRow& row = rowAt(r);
    const propertyrows::FieldEntry& entry = propertyrows::fieldEntry(row.field);
    const auto orUnset = [this](QStringList names, int placeholder = texts::Unset) {
        return names.isEmpty() ? QStringList{m_texts.text(placeholder)} : names;
    };
    QStringList items;
    switch (entry.list) {
        case propertyrows::ListSource::None:
            break;
        case propertyrows::ListSource::Words:
            for (const int number : entry.words) {
                items << m_texts.text(number);
            }
            break;
        case propertyrows::ListSource::BoardSizes:
            for (int size = propertyrows::MinBoardSize; size <= kGridSize; ++size) {
                items << QString::number(size);
            }
            break;
        case propertyrows::ListSource::Relations:
            for (int mode = 0; mode < BlockCatalogue::ComparisonCount; ++mode) {
                items << BlockCatalogue::comparisonOperator(mode);
            }
            break;
        case propertyrows::ListSource::Variables:
            return orUnset(variableNames(row.typeFilter));
        case propertyrows::ListSource::Callers:
            return orUnset(blockNames(m_kind == KindStart ? KindCall : KindReturn, true));
        case propertyrows::ListSource::BranchEnds:
            return m_kind == KindBranchStart
                       ? orUnset(blockNames(KindBranchEnd, false))
                       : orUnset(blockNames(KindBranchStart, false), texts::NoBlock);
        case propertyrows::ListSource::ProcedureBoards:
            return orUnset(procedureBoards());
    }
    return items;
}

// The list position of a coded value, or -1 when the row holds none; positions past the
// list's end are left to the caller.
int BlockProperties::codedChoice(const PropertyRow& row) const {
    const propertyrows::FieldEntry& entry = propertyrows::fieldEntry(row.field);
    switch (entry.coding) {
        case propertyrows::Coding::Position:
            return *storedCode(entry.slot) - entry.offset;
        case propertyrows::Coding::OneIsSet:
            return *storedCode(entry.slot) == 1 ? 1 : 0;
        case propertyrows::Coding::ZeroIsSet:
            return *storedCode(entry.slot) == 0 ? 0 : 1;
        case propertyrows::Coding::TrueFirst:
            return *storedText(entry.slot) == trueValue() ? 0 : 1;
        case propertyrows::Coding::None:
        case propertyrows::Coding::Name:
            break;
    }
    return -1;
}

int BlockProperties::listChoice(int r) const {
    const PropertyRow& row = rowAt(r);
    if (!valid()) {
        return -1;
    }
    const QStringList items = listItems(r);
    if (propertyrows::fieldEntry(row.field).coding == propertyrows::Coding::Name) {
        const QString stored = storedName(row);
        for (int i = 0; i < items.size(); ++i) {
            if (sameName(items.at(i), stored)) {
                return i;
            }
        }
        return -1;
    }
    const int index = codedChoice(row);
    return index >= 0 && index < items.size() ? index : -1;
}

}  // namespace trevalon
