#include <algorithm>

#include "config/MessageSink.h"
#include "config/TextTable.h"
#include "edit/BlockProperties.h"
#include "model/BlockCatalogue.h"
#include "model/Project.h"

// Storing what the user typed or chose in the properties window, with its validation, and the
// characters each text field accepts.
namespace trevalon {
namespace {

constexpr int TextQuotedUnset = 66;
constexpr int TextEnterBlockName = 67;
constexpr int TextBoardErrors = 68;
constexpr int TextNameTaken = 69;
constexpr int TextEnterBoardName = 76;
constexpr int TextBoardNameTaken = 77;
constexpr int TextUnset = 78;
constexpr int TextNoBlock = 85;

constexpr int kMinBoardSize = 8;

bool isAsciiLetterOrDigit(QChar c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Several digits at a fixed place, or -1 when any of them is not a digit.
int digitsAt(const QString& text, int from, int count) {
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        if (!isDigit(text.at(i))) {
            return -1;
        }
        value = value * 10 + (text.at(i).unicode() - u'0');
    }
    return value;
}

}  // namespace

QString BlockProperties::editText(int r) {
    const PropertyRow& row = rowAt(r);
    if (!valid()) {
        return {};
    }
    switch (row.field) {
        case PropertyField::BoardName:
            return activeBoard().name;
        case PropertyField::Name:
            return cell().name;
        case PropertyField::StartValue:
            if (cell().mode == TypeText) {
                cell().extra1 = static_cast<int>(cell().text4.size());
            }
            return cell().text4;
        case PropertyField::Text4:
            return cell().text4;
        default:
            return {};
    }
}

void BlockProperties::refuse(int textNumber) {
    m_sink.showMessage(
        MessageSink::Close, MessageSink::Information,
        m_texts.text(TextBoardErrors) + QLatin1Char('\n') + m_texts.text(textNumber));
}

// Checks in this order: a variable's name against every variable of the project, the
// reserved word, the other blocks of the board, an empty name.
bool BlockProperties::storeName(const QString& name) {
    Cell& c = cell();
    if (c.name == name) {
        return false;
    }
    if (c.isVariable && m_project.variableNameTaken(name, m_column, m_row)) {
        refuse(TextNameTaken);
        return false;
    }
    if (Project::isReservedName(name, m_sink, m_texts)) {
        return false;
    }
    if (m_project.blockNameTaken(m_board, name, m_column, m_row)) {
        refuse(TextNameTaken);
        return false;
    }
    if (name.isEmpty()) {
        refuse(TextEnterBlockName);
        return false;
    }
    c.name = name;
    return true;
}

bool BlockProperties::storeBoardName(const QString& name) {
    if (activeBoard().name == name) {
        return false;
    }
    if (m_project.boardNameTaken(name, m_board)) {
        refuse(TextBoardNameTaken);
        return false;
    }
    if (name.isEmpty()) {
        refuse(TextEnterBoardName);
        return false;
    }
    activeBoard().name = name;
    return true;
}

bool BlockProperties::validDateValue(const QString& text) {
    if (text.size() != 12 || text.front() != u'"' || text.back() != u'"' || text.at(5) != u'/' ||
        text.at(8) != u'/') {
        return false;
    }
    const int year = digitsAt(text, 1, 4);
    const int month = digitsAt(text, 6, 2);
    const int day = digitsAt(text, 9, 2);
    // The date functions know 29 February only in leap years, so only real days may start.
    return year >= 1901 && year <= 2399 && QDate::isValid(year, month, day);
}

bool BlockProperties::storeStartValue(const QString& text) {
    Cell& c = cell();
    if (c.mode == TypeDate && !validDateValue(text)) {
        m_sink.beep();
        return false;
    }
    if (c.text4 == text) {
        return false;
    }
    c.text4 = text;
    if (c.mode == TypeText) {
        c.extra1 = static_cast<int>(text.size());
    }
    return true;
}

BlockProperties::Effects BlockProperties::storeText(int r, const QString& text) {
    Effects effects;
    const PropertyRow& row = rowAt(r);
    if (row.editor != RowEditor::Text || !valid()) {
        return effects;
    }
    switch (row.field) {
        case PropertyField::BoardName:
            effects.stored = storeBoardName(text);
            effects.boardRenamed = effects.stored;
            break;
        case PropertyField::Name:
            effects.stored = storeName(text);
            break;
        case PropertyField::StartValue:
            effects.stored = storeStartValue(text);
            break;
        case PropertyField::Text4:
            effects.stored = cell().text4 != text;
            cell().text4 = text;
            break;
        default:
            break;
    }
    if (effects.stored) {
        activeBoard().changed = true;
    }
    return effects;
}

void BlockProperties::setVariableType(int type) {
    Cell& c = cell();
    c.mode = type;
    switch (type) {
        case TypeChar:
        case TypeText:
            c.text4 = m_texts.text(TextQuotedUnset);
            break;
        case TypeArray:
            c.text4 = Project::EmptyArray;
            break;
        case TypeDate:
            c.text4 = QLatin1Char('"') + today().toString(QStringLiteral("yyyy/MM/dd")) +
                      QLatin1Char('"');
            break;
        default:
            c.text4 = QStringLiteral("0");
            break;
    }
}

// Coded values: the list position is the stored code (with the offsets of sizes and types).
bool BlockProperties::storeCoded(const PropertyRow& row, int index, Effects& effects) {
    Board& b = activeBoard();
    const auto set = [](int& field, int value) {
        if (field == value) {
            return false;
        }
        field = value;
        return true;
    };
    switch (row.field) {
        case PropertyField::BoardColumns:
            effects.boardResized = set(b.columns, kMinBoardSize + index);
            return effects.boardResized;
        case PropertyField::BoardRows:
            effects.boardResized = set(b.rows, kMinBoardSize + index);
            return effects.boardResized;
        case PropertyField::BoardKind:
            return set(b.kind, index);
        case PropertyField::VariableType:
            if (cell().mode == index + 1) {
                return false;
            }
            setVariableType(index + 1);
            effects.layoutChanged = true;
            return true;
        case PropertyField::Scope:
            return set(cell().scope, index);
        case PropertyField::StartValue: {
            const QString stored = index == 0 ? trueValue() : falseValue();
            if (cell().text4 == stored) {
                return false;
            }
            cell().text4 = stored;
            return true;
        }
        case PropertyField::ReadWriteMode:
            effects.layoutChanged = set(cell().mode, index);
            return effects.layoutChanged;
        case PropertyField::Relation:
        case PropertyField::Direction:
            return set(cell().mode, index);
        case PropertyField::Precision:
            return set(cell().extra1, index);
        default:
            break;
    }
    return false;
}

BlockProperties::Effects BlockProperties::storeChoice(int r, int index) {
    Effects effects;
    const PropertyRow& row = rowAt(r);
    const QStringList items = listItems(r);
    if (row.editor != RowEditor::List || !valid() || index < 0 || index >= items.size()) {
        return effects;
    }
    const auto setName = [&](QString& field) {
        QString chosen = items.at(index);
        // The lists' placeholders are stored as the model's own markers.
        if (row.field == PropertyField::BranchLink && m_kind == KindBranchEnd &&
            chosen == m_texts.text(TextNoBlock)) {
            chosen = Project::NoBlock;
        } else if (chosen == m_texts.text(TextUnset)) {
            chosen = Project::Unset;
        }
        if (field == chosen) {
            return false;
        }
        field = chosen;
        return true;
    };
    switch (row.field) {
        case PropertyField::Caller:
        case PropertyField::BranchLink:
        case PropertyField::ProcedureBoard:
            effects.stored = setName(cell().text2);
            break;
        case PropertyField::Variable2:
            effects.stored = setName(cell().text2);
            if (effects.stored && (m_kind == KindArrayWrite || m_kind == KindArrayRead)) {
                cell().extra1 = 0;
            }
            // The precision row depends on the variable's type.
            effects.layoutChanged = effects.stored && m_kind == KindReadWrite;
            break;
        case PropertyField::Variable3:
            effects.stored = setName(cell().text3);
            break;
        case PropertyField::Variable4:
            effects.stored = setName(cell().text4);
            break;
        default:
            effects.stored = storeCoded(row, index, effects);
            break;
    }
    if (effects.stored) {
        activeBoard().changed = true;
    }
    if (effects.layoutChanged) {
        rebuild();
        if (m_kind == KindReadWrite && !precisionApplies()) {
            cell().extra1 = BlockCatalogue::PrecisionNotApplicable;
        }
    }
    return effects;
}

QString BlockProperties::builderText(int r) const {
    if (rowAt(r).builder == RowBuilder::None || !valid()) {
        return {};
    }
    const QString stored = cell().text4;
    return stored == Project::Unset ? QString() : stored;
}

QString BlockProperties::formulaTarget() const {
    if (m_kind == KindBoard || !valid()) {
        return Project::Unset;
    }
    return cell().text2;
}

std::optional<QChar> BlockProperties::acceptKey(KeyFilter filter, QChar typed,
                                                const QString& current) {
    const bool control = typed == u'\b' || typed == u'\t';
    switch (filter) {
        case KeyFilter::Anything:
            return typed;
        case KeyFilter::Name:
            if (control || isAsciiLetterOrDigit(typed) || typed == u'_') {
                return typed;
            }
            return std::nullopt;
        case KeyFilter::Formula:
            if (typed == u',') {
                return QChar(u'.');
            }
            if (control || isAsciiLetterOrDigit(typed) ||
                QStringLiteral("_ \"()*+-./").contains(typed)) {
                return typed;
            }
            return std::nullopt;
        case KeyFilter::Integer:
            if (control || isDigit(typed) || typed == u'-') {
                return typed;
            }
            return std::nullopt;
        case KeyFilter::Real:
            if (typed == u',') {
                return QChar(u'.');
            }
            if (control || isDigit(typed) || typed == u'-' || typed == u'.') {
                return typed;
            }
            return std::nullopt;
        case KeyFilter::Character:
            if (control || current.size() != 1) {
                return typed;
            }
            return std::nullopt;
        case KeyFilter::Date:
            if (control || isDigit(typed) || typed == u'/' || typed == u'"') {
                return typed;
            }
            return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace trevalon
