#include "edit/BlockProperties.h"

#include <algorithm>

#include "builders/VisibleVariables.h"
#include "config/MessageSink.h"
#include "config/TextTable.h"
#include "model/BlockCatalogue.h"
#include "model/Project.h"

namespace trevalon {
namespace {

constexpr int kMinBoardSize = 8;
bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

const PropertyRow& emptyRow() {
    static const PropertyRow row;
    return row;
}

// The keys a typed start value of a variable of `type` takes.
KeyFilter startValueFilter(int type) {
    switch (type) {
        case TypeInteger:
            return KeyFilter::Integer;
        case TypeReal:
            return KeyFilter::Real;
        case TypeChar:
            return KeyFilter::Character;
        case TypeDate:
            return KeyFilter::Date;
        default:
            return KeyFilter::Anything;
    }
}

// Lists whose entries are names found in the project (blocks, variables, boards), chosen by
// name; the other lists are fixed words, chosen by position.
bool listsProjectNames(PropertyField field) {
    switch (field) {
        case PropertyField::Caller:
        case PropertyField::BranchLink:
        case PropertyField::Variable2:
        case PropertyField::Variable3:
        case PropertyField::Variable4:
        case PropertyField::ProcedureBoard:
            return true;
        default:
            return false;
    }
}

}  // namespace

BlockProperties::BlockProperties(Project& project, const TextTable& texts, MessageSink& sink)
    : m_project(project), m_texts(texts), m_sink(sink) {}

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
    if (m_kind == PropertiesBoard) {
        buildBoardRows();
    } else if (m_kind == PropertiesVariable) {
        buildVariableRows();
    } else if (m_kind == KindReadWrite) {
        buildReadWriteRows();
    } else {
        buildBlockRows();
    }
    addRow(PropertyField::Strip, RowEditor::ReadOnly, 0);
}

void BlockProperties::addRow(PropertyField field, RowEditor editor, int label) {
    PropertyRow row;
    row.field = field;
    row.editor = editor;
    row.label = label;
    m_rows.push_back(row);
}

void BlockProperties::addText(PropertyField field, int label, int limit, KeyFilter filter,
                              RowBuilder builder) {
    addRow(field, RowEditor::Text, label);
    m_rows.back().limit = limit;
    m_rows.back().filter = filter;
    m_rows.back().builder = builder;
}

void BlockProperties::addVariableList(PropertyField field, int label, int type) {
    addRow(field, RowEditor::List, label);
    m_rows.back().typeFilter = type;
}

void BlockProperties::buildBoardRows() {
    addText(PropertyField::BoardName, texts::PropertyBoard, BoardNameLimit, KeyFilter::Anything);
    addRow(PropertyField::BoardColumns, RowEditor::List, texts::PropertyColumns);
    addRow(PropertyField::BoardRows, RowEditor::List, texts::PropertyRows);
    // The main board is always the program itself.
    addRow(PropertyField::BoardKind, m_board == 1 ? RowEditor::ReadOnly : RowEditor::List,
           texts::PropertyBoardKind);
}

void BlockProperties::buildVariableRows() {
    addRow(PropertyField::BoardLabel, RowEditor::ReadOnly, texts::PropertyBoard);
    addText(PropertyField::Name, texts::PropertyVariableName, NameLimit, KeyFilter::Name);
    addRow(PropertyField::VariableType, RowEditor::List, texts::PropertyType);
    addRow(PropertyField::Scope, RowEditor::List, texts::PropertyRange);
    switch (cell().mode) {
        case TypeLogical:
            addRow(PropertyField::StartValue, RowEditor::List, texts::PropertyStartValue);
            break;
        case TypeArray:
            addRow(PropertyField::StartValue, RowEditor::ReadOnly, texts::PropertyStartValue);
            break;
        default:
            addText(PropertyField::StartValue, texts::PropertyStartValue, NameLimit,
                    startValueFilter(cell().mode));
            break;
    }
}

bool BlockProperties::precisionApplies() const {
    const Cell& c = cell();
    return c.mode == 1 && declaredVariableType(m_project, c.text2) == TypeReal;
}

void BlockProperties::buildReadWriteRows() {
    addRow(PropertyField::BoardLabel, RowEditor::ReadOnly, texts::PropertyBoard);
    addText(PropertyField::Name, texts::PropertyBlockName, NameLimit, KeyFilter::Name);
    addText(PropertyField::Text4, texts::PropertyComment, LongTextLimit, KeyFilter::Anything,
            RowBuilder::Comment);
    addVariableList(PropertyField::Variable2, texts::PropertyVariable);
    addRow(PropertyField::ReadWriteMode, RowEditor::List, texts::PropertyMode);
    if (precisionApplies()) {
        addRow(PropertyField::Precision, RowEditor::List, texts::PropertyPrecision);
    } else {
        // Only a written real is rounded; the stored precision changes only when the user
        // changes the mode or the variable, never by looking at the block.
        addRow(PropertyField::Precision, RowEditor::ReadOnly, texts::PropertyPrecision);
    }
}

void BlockProperties::buildBlockRows() {
    addRow(PropertyField::BoardLabel, RowEditor::ReadOnly, texts::PropertyBoard);
    if (m_kind == KindStart || m_kind == KindEnd) {
        buildStartEndRows();
        return;
    }
    addText(PropertyField::Name, texts::PropertyBlockName, NameLimit, KeyFilter::Name);
    addKindRows();
}

void BlockProperties::buildStartEndRows() {
    addRow(PropertyField::FixedName, RowEditor::ReadOnly, texts::PropertyBlockName);
    if (activeBoard().kind == BoardProcedure) {
        addRow(PropertyField::Caller, RowEditor::List,
               m_kind == KindStart ? texts::PropertyCaller : texts::PropertyReturnTo);
    }
}

void BlockProperties::addKindRows() {
    switch (m_kind) {
        case KindBranchStart:
        case KindBranchEnd:
            addRow(PropertyField::BranchLink, RowEditor::List, texts::PropertyLink);
            addRow(PropertyField::Scope, RowEditor::List, texts::PropertyRange);
            break;
        case KindCall:
        case KindReturn:
            addRow(PropertyField::ProcedureBoard, RowEditor::List, texts::BoardKindProcedure);
            break;
        case KindMessage:
            addText(PropertyField::Text4, texts::PropertyMessage, LongTextLimit,
                    KeyFilter::Anything, RowBuilder::Comment);
            break;
        case KindQuestion:
            addText(PropertyField::Text4, texts::PropertyQuestion, LongTextLimit,
                    KeyFilter::Anything, RowBuilder::Comment);
            addVariableList(PropertyField::Variable2, texts::PropertyVariable, TypeLogical);
            break;
        case KindRandom:
            addVariableList(PropertyField::Variable2, texts::PropertyVariable, TypeInteger);
            addText(PropertyField::Text4, texts::PropertyRange, RangeLimit, KeyFilter::Anything);
            break;
        case KindAssign:
            addVariableList(PropertyField::Variable2, texts::PropertyVariableName);
            addText(PropertyField::Text4, texts::PropertyFormula, LongTextLimit, KeyFilter::Formula,
                    RowBuilder::Expression);
            break;
        case KindCompareVars:
            addVariableList(PropertyField::Variable2, texts::PropertyLeftVariable);
            addVariableList(PropertyField::Variable3, texts::PropertyRightVariable);
            addRow(PropertyField::Relation, RowEditor::List, texts::PropertyCondition);
            break;
        case KindCompareFormula:
            addVariableList(PropertyField::Variable2, texts::PropertyLeftVariable);
            addText(PropertyField::Text4, texts::PropertyFormula, LongTextLimit,
                    KeyFilter::Anything, RowBuilder::Expression);
            addRow(PropertyField::Relation, RowEditor::List, texts::PropertyCondition);
            break;
        case KindArrayWrite:
        case KindArrayRead:
            addVariableList(PropertyField::Variable2, texts::PropertyArray, TypeArray);
            addVariableList(PropertyField::Variable3, texts::PropertyIndex, TypeInteger);
            addVariableList(PropertyField::Variable4, texts::PropertyInsertedValue, TypeInteger);
            break;
        case KindJoinRight:
        case KindJoinLeft:
            addRow(PropertyField::Direction, RowEditor::List, texts::PropertyGoTo);
            break;
        default:
            break;
    }
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

// The stored link as the list shows it: the "no block" marker is shown in the interface's
// language, whatever language stored it.
QString BlockProperties::storedName(const PropertyRow& row) const {
    const Cell& c = cell();
    QString name;
    switch (row.field) {
        case PropertyField::Variable3:
            name = c.text3;
            break;
        case PropertyField::Variable4:
            name = c.text4;
            break;
        default:
            name = c.text2;
            break;
    }
    return name == Project::NoBlock ? m_texts.text(texts::NoBlock) : name;
}

QString BlockProperties::value(int r) const {
    const PropertyRow& row = rowAt(r);
    if (row.field == PropertyField::Strip || !valid()) {
        return {};
    }
    const Board& b = activeBoard();
    switch (row.field) {
        case PropertyField::BoardLabel:
        case PropertyField::BoardName:
            return b.name;
        case PropertyField::BoardColumns:
            return QString::number(b.columns);
        case PropertyField::BoardRows:
            return QString::number(b.rows);
        case PropertyField::FixedName:
            return m_texts.text(m_kind == KindStart ? texts::StartBlockName : texts::EndBlockName);
        case PropertyField::Name:
            return cell().name;
        case PropertyField::StartValue:
            return cell().mode == TypeLogical ? logicalWord(cell().text4) : cell().text4;
        case PropertyField::Text4:
            return cell().text4;
        case PropertyField::Caller:
        case PropertyField::BranchLink:
        case PropertyField::Variable2:
        case PropertyField::Variable3:
        case PropertyField::Variable4:
        case PropertyField::ProcedureBoard:
            return storedName(row);
        case PropertyField::Precision:
            if (row.editor == RowEditor::ReadOnly) {
                return m_texts.text(texts::PrecisionNotApplicable);
            }
            return codedValue(r);
        default:
            return codedValue(r);
    }
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
    return listsProjectNames(row.field) ? nameItems(row) : wordItems(row.field);
}

QStringList BlockProperties::nameItems(const PropertyRow& row) const {
    const auto orUnset = [this](QStringList names, int placeholder = texts::Unset) {
        return names.isEmpty() ? QStringList{m_texts.text(placeholder)} : names;
    };
    switch (row.field) {
        case PropertyField::Caller:
            return orUnset(blockNames(m_kind == KindStart ? KindCall : KindReturn, true));
        case PropertyField::BranchLink:
            return m_kind == KindBranchStart
                       ? orUnset(blockNames(KindBranchEnd, false))
                       : orUnset(blockNames(KindBranchStart, false), texts::NoBlock);
        case PropertyField::ProcedureBoard:
            return orUnset(procedureBoards());
        default:  // the variable lists
            return orUnset(variableNames(row.typeFilter));
    }
}

QStringList BlockProperties::wordItems(PropertyField field) const {
    const auto words = [this](std::initializer_list<int> numbers) {
        QStringList items;
        for (int number : numbers) {
            items << m_texts.text(number);
        }
        return items;
    };
    switch (field) {
        case PropertyField::BoardColumns:
        case PropertyField::BoardRows: {
            QStringList sizes;
            for (int size = kMinBoardSize; size <= kGridSize; ++size) {
                sizes << QString::number(size);
            }
            return sizes;
        }
        case PropertyField::BoardKind:
            return words(
                {texts::BoardKindProgram, texts::BoardKindProcedure, texts::BoardKindField});
        case PropertyField::VariableType:
            return words({texts::TypeNameInteger, texts::TypeNameReal, texts::TypeNameChar,
                          texts::TypeNameText, texts::TypeNameLogical, texts::TypeNameArray,
                          texts::TypeNameDate});
        case PropertyField::Scope:
            return words({texts::ScopeLocal, texts::ScopeGlobal});
        case PropertyField::StartValue:
            return words({texts::LogicalTrue, texts::LogicalFalse});
        case PropertyField::ReadWriteMode:
            return words({texts::ModeRead, texts::ModeWrite});
        case PropertyField::Precision:
            return words({texts::PrecisionZeroDigits, texts::PrecisionOneDigit,
                          texts::PrecisionTwoDigits, texts::PrecisionThreeDigits,
                          texts::PrecisionFourDigits, texts::PrecisionFiveDigits,
                          texts::PrecisionUnrounded});
        case PropertyField::Relation: {
            QStringList operators;
            for (int mode = 0; mode < BlockCatalogue::ComparisonCount; ++mode) {
                operators << BlockCatalogue::comparisonOperator(mode);
            }
            return operators;
        }
        case PropertyField::Direction:
            return words({texts::DirectionDown, texts::DirectionUp});
        default:
            return {};
    }
}

int BlockProperties::listChoice(int r) const {
    const PropertyRow& row = rowAt(r);
    if (!valid()) {
        return -1;
    }
    const QStringList items = listItems(r);
    if (listsProjectNames(row.field)) {
        const QString stored = storedName(row);
        for (int i = 0; i < items.size(); ++i) {
            if (sameName(items.at(i), stored)) {
                return i;
            }
        }
        return -1;
    }
    const int index = storedIndex(row.field);
    return index >= 0 && index < items.size() ? index : -1;
}

int BlockProperties::storedIndex(PropertyField field) const {
    const Board& b = activeBoard();
    switch (field) {
        case PropertyField::BoardColumns:
            return b.columns - kMinBoardSize;
        case PropertyField::BoardRows:
            return b.rows - kMinBoardSize;
        case PropertyField::BoardKind:
            return b.kind;
        case PropertyField::VariableType:
            return cell().mode - 1;
        case PropertyField::Scope:
            return cell().scope == 1 ? 1 : 0;
        case PropertyField::StartValue:
            return cell().text4 == trueValue() ? 0 : 1;
        case PropertyField::ReadWriteMode:
        case PropertyField::Relation:
            return cell().mode;
        case PropertyField::Precision:
            return cell().extra1;
        case PropertyField::Direction:
            return cell().mode == 0 ? 0 : 1;
        default:
            return -1;
    }
}

}  // namespace trevalon
