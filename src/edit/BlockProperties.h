#pragma once

#include <QChar>
#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "config/Status.h"
#include "edit/PropertiesKind.h"

namespace trevalon {

namespace propertyrows {
enum class RowRule;
}

class Project;
class TextTable;
struct Board;
struct Cell;

// What a row of the properties window edits.
enum class PropertyField {
    Strip,           // the picture strip at the bottom, no value
    BoardLabel,      // the active board's name, read-only (row 1 of every block)
    BoardName,       // board: its name
    BoardColumns,    // board: columns in use, 8..15
    BoardRows,       // board: rows in use, 8..15
    BoardKind,       // board: Program / Procedura / Pole
    Name,            // the block's or the variable's own name
    FixedName,       // Start and End: the word "Start" or "End", read-only
    VariableType,    // variable: type 1..7 in `mode`
    Scope,           // variables and branch blocks: 0 local, 1 global
    StartValue,      // variable: its start value
    Caller,          // Start / End on a procedure board: a call or return block elsewhere
    BranchLink,      // branch start / end: the block at the other end of the branch
    Text4,           // comment, message, question, formula or range, typed in
    Variable2,       // a variable name in the cell's second text (Cell::Field::Text2)
    Variable3,       // a variable name in its third text
    Variable4,       // a variable name in its fourth text
    ReadWriteMode,   // read / write block: 0 read, 1 write
    Precision,       // read / write block: decimals of a written real
    Relation,        // comparisons: "=" .. "<>" as 0..5 in `mode`
    ProcedureBoard,  // call / return blocks: the name of a procedure board
    Direction,       // junctions: 0 down, 1 up in `mode`
};

// Where a row's value is kept: a field of the active board or of the shown cell.
enum class PropertySlot {
    None,  // the strip and the fixed names
    BoardName,
    BoardColumns,
    BoardRows,
    BoardKind,  // Board::kind
    Name,       // Cell::name
    Mode,
    Scope,
    // The cell's fields whose meaning depends on the kind (Cell::Field).
    Text2,
    Text3,
    Text4,
    Extra1,
};

enum class RowEditor { ReadOnly = 0, Text = 1, List = 2 };

// Which characters the text editor accepts on a row.
enum class KeyFilter { Anything, Name, Formula, Integer, Real, Character, Date };

// Which builder a double click on a row opens.
enum class RowBuilder { None, Expression, Comment };

struct PropertyRow {
    PropertyField field = PropertyField::Strip;
    RowEditor editor = RowEditor::ReadOnly;
    int label = 0;       // text-table number of the label; 0 for the strip
    int typeFilter = 0;  // variable lists: only variables of this type (0: every type)
    int limit = 0;       // characters the text editor accepts
    KeyFilter filter = KeyFilter::Anything;
    RowBuilder builder = RowBuilder::None;
};

// What the properties window shows and stores for one thing: the active board, a variable
// block or any other block of the active board. It builds the rows for a properties kind,
// gives each row its label, displayed value, list items and limits, and writes edits into the
// project with their validation. No widgets: the window draws this and forwards the user's
// edits.
//
// `project` and `texts` must outlive the object. Validation refusals are returned as values
// (Effects::refusal, KeyVerdict::refusal) and leave the project as it was:
//
//     const BlockProperties::Effects effects = properties.storeText(r, typed);
//     if (!effects.refusal.ok()) {
//         hint->setText(effects.refusal.message(texts));  // the old value is shown again
//     }
class BlockProperties {
public:
    static constexpr int NameLimit = 20;
    static constexpr int BoardNameLimit = 30;
    static constexpr int LongTextLimit = 200;
    static constexpr int RangeLimit = 4;
    // Displayed values longer than this are cut and followed by "..".
    static constexpr int ShownLength = 20;

    // What a stored edit changed besides the field itself, for the windows around.
    struct Effects {
        bool stored = false;         // the model changed
        bool boardResized = false;   // the board window must be sized and drawn again
        bool boardRenamed = false;   // the board window's title follows the name
        bool layoutChanged = false;  // the rows were built again
        // Why a typed value was not stored (the old value stays); OK when it was or when
        // nothing changed. The window tells the pupil beside the field.
        Status refusal;
    };

    // What the text editor does with a typed character: takes `taken` (which may differ from
    // the key, a comma becoming a point), or refuses it and says why in `refusal`.
    struct KeyVerdict {
        std::optional<QChar> taken;
        Status refusal;
    };

    BlockProperties(Project& project, const TextTable& texts);

    // Builds the rows of `kind` (PropertiesVariable, PropertiesBoard or a kind code) for the
    // active board and, for blocks, its cell at `column`, `row`.
    void show(int kind, int column, int row);
    // Builds the rows again for the same thing (after a language change, a type or mode
    // change).
    void rebuild();

    int kind() const { return m_kind; }
    int board() const { return m_board; }
    int column() const { return m_column; }
    int row() const { return m_row; }
    // True while the shown thing still exists (a board in use, or an occupied cell of the
    // shown kind); edits of a vanished block are dropped.
    bool valid() const;

    const std::vector<PropertyRow>& rows() const { return m_rows; }
    int rowCount() const { return static_cast<int>(m_rows.size()); }
    // One character per row: "0" read-only, "1" text, "2" list.
    QString layout() const;
    // Rows count from 1; anything outside gives an empty row.
    const PropertyRow& rowAt(int r) const;
    QString label(int r) const;
    QString value(int r) const;
    static QString shortened(const QString& value);

    // The stored value put into the text editor when it opens on row r. Opening it on the
    // start value of a text variable also records the value's length.
    QString editText(int r);
    // Stores what the text editor holds, after validation; nothing changes on a refusal.
    Effects storeText(int r, const QString& text);

    QStringList listItems(int r) const;
    // Position of the stored value in the list: by position for coded values, by name for
    // names; -1 when the stored name is not offered.
    int listChoice(int r) const;
    Effects storeChoice(int r, int index);

    // The stored text a builder starts from (empty for an unset "Brak") and the variable on
    // the left of a formula.
    QString builderText(int r) const;
    QString formulaTarget() const;

    // Where the current date comes from when a variable becomes a date (tests fix it).
    std::function<QDate()> today = [] { return QDate::currentDate(); };

    // The character the text editor takes for `typed`, or nothing when the field refuses it.
    // `current` is the editor's text before the key.
    static std::optional<QChar> acceptKey(KeyFilter filter, QChar typed, const QString& current);
    // The same with the reason of a refusal.
    static KeyVerdict judgeKey(KeyFilter filter, QChar typed, const QString& current);
    // A date start value: "yyyy/mm/dd" between double quotes, a real day of 1901..2399.
    static bool validDateValue(const QString& text);

    // Start values of a logical variable: what a run reads as true and as false.
    static QString trueValue() { return QStringLiteral("1"); }
    static QString falseValue() { return QStringLiteral("0"); }

private:
    Board& activeBoard();
    const Board& activeBoard() const;
    Cell& cell();
    const Cell& cell() const;
    // Where `slot` keeps its value: a text or a code, the other one null.
    struct Stored {
        const QString* text = nullptr;
        const int* code = nullptr;
    };
    Stored stored(PropertySlot slot) const;
    QString* storedText(PropertySlot slot);
    const QString* storedText(PropertySlot slot) const;
    int* storedCode(PropertySlot slot);
    const int* storedCode(PropertySlot slot) const;
    // Whether a row of the kind's table is shown, and with which editor.
    bool shown(PropertyRow& row, propertyrows::RowRule rule) const;
    QString codedValue(int r) const;
    int codedChoice(const PropertyRow& row) const;
    QStringList variableNames(int type) const;
    QStringList blockNames(int kindCode, bool otherBoardsOnly) const;
    QStringList procedureBoards() const;
    QString storedName(const PropertyRow& row) const;
    // Each sets `stored` when the value changed, or says why it was refused.
    Status storeName(const QString& name, bool& stored);
    Status storeBoardName(const QString& name, bool& stored);
    Status storeStartValue(const QString& text, bool& stored);
    bool storeCoded(const PropertyRow& row, int index, Effects& effects);
    bool storeListName(const PropertyRow& row, QString chosen);
    void setVariableType(int type);
    QString logicalWord(const QString& stored) const;
    bool precisionApplies() const;

    Project& m_project;
    const TextTable& m_texts;
    int m_kind = PropertiesBoard;
    int m_board = 1;
    int m_column = 0;
    int m_row = 0;
    std::vector<PropertyRow> m_rows;
};

}  // namespace trevalon
