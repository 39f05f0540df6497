#include <algorithm>

#include "config/TextIds.h"
#include "config/TextTable.h"
#include "edit/BlockProperties.h"
#include "edit/PropertyRows.h"
#include "model/BlockCatalogue.h"
#include "model/Project.h"

// Storing what the user typed or chose in the properties window, with its validation, and the
// characters each text field accepts.
namespace trevalon {
namespace {

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
            if (cell().variableType() == TypeText) {
                cell().setStartLength(static_cast<int>(cell().startValue().size()));
            }
            return cell().startValue();
        case PropertyField::Text4:
            return *storedText(propertyrows::fieldEntry(row.field).slot);
        default:
            return {};
    }
}

// Checks in this order: a variable's name against every variable of the project, the
// reserved word, the other blocks of the board, an empty name.
Status BlockProperties::storeName(const QString& name, bool& stored) {
    Cell& c = cell();
    if (c.name == name) {
        return {};
    }
    if (c.isVariable && m_project.variableNameTaken(name, m_column, m_row)) {
        return Status::information(texts::BlockNameTaken);
    }
    if (Status reserved = Project::checkNotReserved(name); !reserved.ok()) {
        return reserved;
    }
    if (m_project.blockNameTaken(m_board, name, m_column, m_row)) {
        return Status::information(texts::BlockNameTaken);
    }
    if (name.isEmpty()) {
        return Status::information(texts::EnterBlockName);
    }
    c.name = name;
    stored = true;
    return {};
}

Status BlockProperties::storeBoardName(const QString& name, bool& stored) {
    if (activeBoard().name == name) {
        return {};
    }
    if (m_project.boardNameTaken(name, m_board)) {
        return Status::information(texts::BoardNameTaken);
    }
    if (name.isEmpty()) {
        return Status::information(texts::EnterBoardName);
    }
    activeBoard().name = name;
    stored = true;
    return {};
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

Status BlockProperties::storeStartValue(const QString& text, bool& stored) {
    Cell& c = cell();
    if (c.variableType() == TypeDate && !validDateValue(text)) {
        return Status::information(texts::DateStartValueRefused);
    }
    if (c.startValue() == text) {
        return {};
    }
    c.startValue() = text;
    if (c.variableType() == TypeText) {
        c.setStartLength(static_cast<int>(text.size()));
    }
    stored = true;
    return {};
}

BlockProperties::Effects BlockProperties::storeText(int r, const QString& text) {
    Effects effects;
    const PropertyRow& row = rowAt(r);
    if (row.editor != RowEditor::Text || !valid()) {
        return effects;
    }
    switch (row.field) {
        case PropertyField::BoardName:
            effects.refusal = storeBoardName(text, effects.stored);
            effects.boardRenamed = effects.stored;
            break;
        case PropertyField::Name:
            effects.refusal = storeName(text, effects.stored);
            break;
        case PropertyField::StartValue:
            effects.refusal = storeStartValue(text, effects.stored);
            break;
        case PropertyField::Text4: {
            QString& typed = *storedText(propertyrows::fieldEntry(row.field).slot);
            effects.stored = typed != text;
            typed = text;
            break;
        }
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
    c.setVariableType(type);
    switch (type) {
        case TypeChar:
        case TypeText:
            c.startValue() = m_texts.text(texts::QuotedUnset);
            break;
        case TypeArray:
            c.startValue() = Project::EmptyArray;
            break;
        case TypeDate:
            c.startValue() = QLatin1Char('"') + today().toString(QStringLiteral("yyyy/MM/dd")) +
                             QLatin1Char('"');
            break;
        default:
            c.startValue() = QStringLiteral("0");
            break;
    }
}

// Coded values: the list position is the stored code (with the offsets of sizes and types).
bool BlockProperties::storeCoded(const PropertyRow& row, int index, Effects& effects) {
    const propertyrows::FieldEntry& entry = propertyrows::fieldEntry(row.field);
    if (entry.coding == propertyrows::Coding::TrueFirst) {
        QString& text = *storedText(entry.slot);
        const QString stored = index == 0 ? trueValue() : falseValue();
        if (text == stored) {
            return false;
        }
        text = stored;
        return true;
    }
    int* code = storedCode(entry.slot);
    const int value = index + entry.offset;
    if (!code || *code == value) {
        return false;
    }
    if (row.field == PropertyField::VariableType) {
        // A new type starts from its own start value.
        setVariableType(value);
    } else {
        *code = value;
    }
    effects.boardResized = entry.effect == propertyrows::Effect::ResizesBoard;
    effects.layoutChanged = entry.effect == propertyrows::Effect::Relayouts;
    return true;
}

BlockProperties::Effects BlockProperties::storeChoice(int r, int index) {
    Effects effects;
    const PropertyRow& row = rowAt(r);
    const QStringList items = listItems(r);
    if (row.editor != RowEditor::List || !valid() || index < 0 || index >= items.size()) {
        return effects;
    }
    const propertyrows::FieldEntry& entry = propertyrows::fieldEntry(row.field);
    if (entry.coding == propertyrows::Coding::Name) {
        effects.stored = storeListName(row, items.at(index));
        if (effects.stored && row.field == PropertyField::Variable2) {
            if (m_kind == KindArrayWrite || m_kind == KindArrayRead) {
                cell().appendCount() = 0;
            }
            // The precision row depends on the variable's type.
            effects.layoutChanged = m_kind == KindReadWrite;
        }
    } else {
        effects.stored = storeCoded(row, index, effects);
    }
    if (effects.stored) {
        activeBoard().changed = true;
    }
    if (effects.layoutChanged) {
        rebuild();
        if (m_kind == KindReadWrite && !precisionApplies()) {
            cell().setPrecision(BlockCatalogue::PrecisionNotApplicable);
        }
    }
    return effects;
}

// The lists' placeholders are stored as the model's own markers.
bool BlockProperties::storeListName(const PropertyRow& row, QString chosen) {
    if (row.field == PropertyField::BranchLink && m_kind == KindBranchEnd &&
        chosen == m_texts.text(texts::NoBlock)) {
        chosen = Project::NoBlock;
    } else if (chosen == m_texts.text(texts::Unset)) {
        chosen = Project::Unset;
    }
    QString& field = *storedText(propertyrows::fieldEntry(row.field).slot);
    if (field == chosen) {
        return false;
    }
    field = chosen;
    return true;
}

QString BlockProperties::builderText(int r) const {
    const PropertyRow& row = rowAt(r);
    if (row.builder == RowBuilder::None || !valid()) {
        return {};
    }
    const QString stored = *storedText(propertyrows::fieldEntry(row.field).slot);
    return stored == Project::Unset ? QString() : stored;
}

QString BlockProperties::formulaTarget() const {
    if (m_kind == PropertiesBoard || !valid()) {
        return Project::Unset;
    }
    return cell().variable();
}

std::optional<QChar> BlockProperties::acceptKey(KeyFilter filter, QChar typed,
                                                const QString& current) {
    return judgeKey(filter, typed, current).taken;
}

// Each refusal says why, so that the window can tell the pupil instead of swallowing the key.
BlockProperties::KeyVerdict BlockProperties::judgeKey(KeyFilter filter, QChar typed,
                                                      const QString& current) {
    const bool control = typed == u'\b' || typed == u'\t';
    const auto take = [](QChar c) { return KeyVerdict{c, {}}; };
    const auto refuse = [](int text, QStringList arguments = {}) {
        return KeyVerdict{std::nullopt, Status::information(text, std::move(arguments))};
    };
    // A letter with a diacritic is refused by names and formulas alike, for the same reason.
    const bool accented = typed.isLetter() && typed.unicode() >= 128;
    switch (filter) {
        case KeyFilter::Anything:
            return take(typed);
        case KeyFilter::Name:
            if (control || isAsciiLetterOrDigit(typed) || typed == u'_') {
                return take(typed);
            }
            return refuse(accented ? texts::KeyWithoutPolishLetters : texts::KeyNameCharacters);
        case KeyFilter::Formula:
            if (typed == u',') {
                return take(QChar(u'.'));
            }
            if (control || isAsciiLetterOrDigit(typed) ||
                QStringLiteral("_ \"()*+-./").contains(typed)) {
                return take(typed);
            }
            if (accented) {
                return refuse(texts::KeyWithoutPolishLetters);
            }
            // The operators the builder's list inserts whole, with their spaces.
            if (QStringLiteral("<>=^|;").contains(typed)) {
                return refuse(texts::KeyFromOperationList, {QString(typed)});
            }
            return refuse(texts::KeyNotInFormula, {QString(typed)});
        case KeyFilter::Integer:
            if (control || isDigit(typed) || typed == u'-') {
                return take(typed);
            }
            return refuse(texts::KeyIntegerCharacters);
        case KeyFilter::Real:
            if (typed == u',') {
                return take(QChar(u'.'));
            }
            if (control || isDigit(typed) || typed == u'-' || typed == u'.') {
                return take(typed);
            }
            return refuse(texts::KeyRealCharacters);
        case KeyFilter::Character:
            if (control || current.size() != 1) {
                return take(typed);
            }
            return refuse(texts::KeyOneCharacter);
        case KeyFilter::Date:
            if (control || isDigit(typed) || typed == u'/' || typed == u'"') {
                return take(typed);
            }
            return refuse(texts::KeyDateCharacters);
    }
    return {};
}

}  // namespace trevalon
