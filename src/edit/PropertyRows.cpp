#include "edit/PropertyRows.h"

#include <QtGlobal>
#include <algorithm>
#include <map>

#include "config/TextIds.h"
#include "model/Cell.h"
#include "model/KindCode.h"

namespace trevalon::propertyrows {
namespace {

using Field = PropertyField;
using Slot = PropertySlot;

constexpr PropertyRow readOnly(Field field, int label) {
    return {.field = field, .editor = RowEditor::ReadOnly, .label = label};
}

constexpr PropertyRow list(Field field, int label, int type = 0) {
    return {.field = field, .editor = RowEditor::List, .label = label, .typeFilter = type};
}

constexpr PropertyRow text(Field field, int label, int limit, KeyFilter filter,
                           RowBuilder builder = RowBuilder::None) {
    return {.field = field,
            .editor = RowEditor::Text,
            .label = label,
            .limit = limit,
            .filter = filter,
            .builder = builder};
}

constexpr int kName = BlockProperties::NameLimit;
constexpr int kLong = BlockProperties::LongTextLimit;

// Every block's first row, and the name row of every block but Start and End.
constexpr PropertyRow kBoardLabel = readOnly(Field::BoardLabel, texts::PropertyBoard);
constexpr PropertyRow kBlockName =
    text(Field::Name, texts::PropertyBlockName, kName, KeyFilter::Name);

// The rows of each kind, from the first to the last before the picture strip.
const std::map<int, std::vector<RowEntry>>& kindTable() {
    static const std::map<int, std::vector<RowEntry>> table = [] {
        const std::vector<std::pair<std::vector<int>, std::vector<RowEntry>>> kinds = {
            {{PropertiesBoard},
             {{text(Field::BoardName, texts::PropertyBoard, BlockProperties::BoardNameLimit,
                    KeyFilter::Anything)},
              {list(Field::BoardColumns, texts::PropertyColumns)},
              {list(Field::BoardRows, texts::PropertyRows)},
              {list(Field::BoardKind, texts::PropertyBoardKind), RowRule::ReadOnlyOnMainBoard}}},
            {{PropertiesVariable},
             {{kBoardLabel},
              {text(Field::Name, texts::PropertyVariableName, kName, KeyFilter::Name)},
              {list(Field::VariableType, texts::PropertyType)},
              {list(Field::Scope, texts::PropertyRange)},
              {text(Field::StartValue, texts::PropertyStartValue, kName, KeyFilter::Anything),
               RowRule::FollowsVariableType}}},
            {{KindStart},
             {{kBoardLabel},
              {readOnly(Field::FixedName, texts::PropertyBlockName)},
              {list(Field::Caller, texts::PropertyCaller), RowRule::OnProcedureBoard}}},
            {{KindEnd},
             {{kBoardLabel},
              {readOnly(Field::FixedName, texts::PropertyBlockName)},
              {list(Field::Caller, texts::PropertyReturnTo), RowRule::OnProcedureBoard}}},
            {{KindBranchStart, KindBranchEnd},
             {{kBoardLabel},
              {kBlockName},
              {list(Field::BranchLink, texts::PropertyLink)},
              {list(Field::Scope, texts::PropertyRange)}}},
            {{KindReadWrite},
             {{kBoardLabel},
              {kBlockName},
              {text(Field::Text4, texts::PropertyComment, kLong, KeyFilter::Anything,
                    RowBuilder::Comment)},
              {list(Field::Variable2, texts::PropertyVariable)},
              {list(Field::ReadWriteMode, texts::PropertyMode)},
              // Only a written real is rounded; the stored precision changes only when the
              // user changes the mode or the variable, never by looking at the block.
              {list(Field::Precision, texts::PropertyPrecision), RowRule::ReadOnlyUnlessRounded}}},
            {{KindCall, KindReturn},
             {{kBoardLabel},
              {kBlockName},
              {list(Field::ProcedureBoard, texts::BoardKindProcedure)}}},
            {{KindMessage},
             {{kBoardLabel},
              {kBlockName},
              {text(Field::Text4, texts::PropertyMessage, kLong, KeyFilter::Anything,
                    RowBuilder::Comment)}}},
            {{KindQuestion},
             {{kBoardLabel},
              {kBlockName},
              {text(Field::Text4, texts::PropertyQuestion, kLong, KeyFilter::Anything,
                    RowBuilder::Comment)},
              {list(Field::Variable2, texts::PropertyVariable, TypeLogical)}}},
            {{KindRandom},
             {{kBoardLabel},
              {kBlockName},
              {list(Field::Variable2, texts::PropertyVariable, TypeInteger)},
              {text(Field::Text4, texts::PropertyRange, BlockProperties::RangeLimit,
                    KeyFilter::Anything)}}},
            {{KindAssign},
             {{kBoardLabel},
              {kBlockName},
              {list(Field::Variable2, texts::PropertyVariableName)},
              {text(Field::Text4, texts::PropertyFormula, kLong, KeyFilter::Formula,
                    RowBuilder::Expression)}}},
            {{KindCompareVars},
             {{kBoardLabel},
              {kBlockName},
              {list(Field::Variable2, texts::PropertyLeftVariable)},
              {list(Field::Variable3, texts::PropertyRightVariable)},
              {list(Field::Relation, texts::PropertyCondition)}}},
            {{KindCompareFormula},
             {{kBoardLabel},
              {kBlockName},
              {list(Field::Variable2, texts::PropertyLeftVariable)},
              {text(Field::Text4, texts::PropertyFormula, kLong, KeyFilter::Anything,
                    RowBuilder::Expression)},
              {list(Field::Relation, texts::PropertyCondition)}}},
            {{KindArrayWrite, KindArrayRead},
             {{kBoardLabel},
              {kBlockName},
              {list(Field::Variable2, texts::PropertyArray, TypeArray)},
              {list(Field::Variable3, texts::PropertyIndex, TypeInteger)},
              {list(Field::Variable4, texts::PropertyInsertedValue, TypeInteger)}}},
            {{KindJoinRight, KindJoinLeft},
             {{kBoardLabel}, {kBlockName}, {list(Field::Direction, texts::PropertyGoTo)}}},
        };
        std::map<int, std::vector<RowEntry>> byKind;
        for (const auto& [codes, rows] : kinds) {
            for (const int code : codes) {
                byKind.emplace(code, rows);
            }
        }
        return byKind;
    }();
    return table;
}

// The items of the lists of words, in list order.
constexpr std::span<const int> kNoWords;
constexpr int kBoardKinds[] = {texts::BoardKindProgram, texts::BoardKindProcedure,
                               texts::BoardKindField};
constexpr int kTypes[] = {texts::TypeNameInteger, texts::TypeNameReal,    texts::TypeNameChar,
                          texts::TypeNameText,    texts::TypeNameLogical, texts::TypeNameArray,
                          texts::TypeNameDate};
constexpr int kScopes[] = {texts::ScopeLocal, texts::ScopeGlobal};
constexpr int kLogical[] = {texts::LogicalTrue, texts::LogicalFalse};
constexpr int kModes[] = {texts::ModeRead, texts::ModeWrite};
constexpr int kPrecisions[] = {texts::PrecisionZeroDigits, texts::PrecisionOneDigit,
                               texts::PrecisionTwoDigits,  texts::PrecisionThreeDigits,
                               texts::PrecisionFourDigits, texts::PrecisionFiveDigits,
                               texts::PrecisionUnrounded};
constexpr int kDirections[] = {texts::DirectionDown, texts::DirectionUp};

// What each field keeps, offers and changes.
const std::vector<FieldEntry>& fieldTable() {
    using L = ListSource;
    using C = Coding;
    static const std::vector<FieldEntry> table = {
        {Field::Strip, Slot::None},
        {Field::BoardLabel, Slot::BoardName},
        {Field::BoardName, Slot::BoardName},
        {Field::BoardColumns, Slot::BoardColumns, L::BoardSizes, C::Position, MinBoardSize,
         kNoWords, Effect::ResizesBoard},
        {Field::BoardRows, Slot::BoardRows, L::BoardSizes, C::Position, MinBoardSize, kNoWords,
         Effect::ResizesBoard},
        {Field::BoardKind, Slot::BoardKind, L::Words, C::Position, 0, kBoardKinds},
        {Field::Name, Slot::Name},
        {Field::FixedName, Slot::None},
        {Field::VariableType, Slot::Mode, L::Words, C::Position, TypeInteger, kTypes,
         Effect::Relayouts},
        {Field::Scope, Slot::Scope, L::Words, C::OneIsSet, 0, kScopes},
        {Field::StartValue, Slot::Text4, L::Words, C::TrueFirst, 0, kLogical},
        {Field::Caller, Slot::Text2, L::Callers, C::Name},
        {Field::BranchLink, Slot::Text2, L::BranchEnds, C::Name},
        {Field::Text4, Slot::Text4},
        {Field::Variable2, Slot::Text2, L::Variables, C::Name},
        {Field::Variable3, Slot::Text3, L::Variables, C::Name},
        {Field::Variable4, Slot::Text4, L::Variables, C::Name},
        {Field::ReadWriteMode, Slot::Mode, L::Words, C::Position, 0, kModes, Effect::Relayouts},
        {Field::Precision, Slot::Extra1, L::Words, C::Position, 0, kPrecisions},
        {Field::Relation, Slot::Mode, L::Relations, C::Position},
        {Field::ProcedureBoard, Slot::Text2, L::ProcedureBoards, C::Name},
        {Field::Direction, Slot::Mode, L::Words, C::ZeroIsSet, 0, kDirections},
    };
    return table;
}

}  // namespace

const std::vector<RowEntry>& kindRows(int kind) {
    // Lines and corners have only the rows every block has.
    static const std::vector<RowEntry> plain = {{kBoardLabel}, {kBlockName}};
    const auto found = kindTable().find(kind);
    return found == kindTable().end() ? plain : found->second;
}

StartValueEditor startValueEditor(int variableType) {
    static constexpr struct {
        int type;
        StartValueEditor editor;
    } editors[] = {
        {TypeLogical, {RowEditor::List, KeyFilter::Anything}},
        {TypeArray, {RowEditor::ReadOnly, KeyFilter::Anything}},
        {TypeInteger, {RowEditor::Text, KeyFilter::Integer}},
        {TypeReal, {RowEditor::Text, KeyFilter::Real}},
        {TypeChar, {RowEditor::Text, KeyFilter::Character}},
        {TypeDate, {RowEditor::Text, KeyFilter::Date}},
    };
    for (const auto& entry : editors) {
        if (entry.type == variableType) {
            return entry.editor;
        }
    }
    // A text takes anything.
    return {RowEditor::Text, KeyFilter::Anything};
}

const FieldEntry& fieldEntry(PropertyField field) {
    const std::vector<FieldEntry>& table = fieldTable();
    const auto found = std::find_if(table.begin(), table.end(), [field](const FieldEntry& entry) {
        return entry.field == field;
    });
    Q_ASSERT(found != table.end());
    return *found;
}

}  // namespace trevalon::propertyrows
