#pragma once

#include <QString>

namespace trevalon {

// One square of a board: empty, or holding one block or connector. The stored fields keep the
// project file's generic names (`text2`, `mode`, ...) because what they mean depends on the kind;
// code outside the model and storage reads and writes them through the named views below, each
// of which says which kinds give it a meaning. A view of a kind that does not use it is just the
// unused field, never an error.
struct Cell {
    bool occupied = false;
    bool marked = false;  // selected, faulty after a check, or the current block of a run
    bool isVariable = false;
    int scope = 0;  // variable blocks: 0 local, 1 global
    int mode = 1;   // variable type, read/write, comparison operator or junction flow
    int board = 0;
    int kindCode = 0;  // group * 10 + index; 0 for an empty cell
    int group = 0;
    int index = 0;
    int column = 0;
    int row = 0;
    QString name;
    QString text2;
    QString text3;
    QString text4;
    int extra1 = 0;
    int extra2 = 0;

    // Read/write, question, random, assignment, both comparisons, both array blocks: the
    // variable (for array blocks the array) the block works on.
    const QString& variable() const { return text2; }
    QString& variable() { return text2; }
    // Start and end of a procedure board, branch ends, call and return: the block or board at
    // the other end (a call and a return name a procedure board).
    const QString& link() const { return text2; }
    QString& link() { return text2; }
    // Assignment and the comparison with a formula: the formula typed in.
    const QString& formula() const { return text4; }
    QString& formula() { return text4; }
    // Comparison of two variables: the variable on the right of the relation.
    const QString& otherVariable() const { return text3; }
    QString& otherVariable() { return text3; }
    // Both comparisons: the relation 0..5 ("=", ">", "<", ">=", "<=", "<>").
    int comparison() const { return mode; }
    void setComparison(int relation) { mode = relation; }
    // Both array blocks: the index, a variable name or a number.
    const QString& arrayIndex() const { return text3; }
    QString& arrayIndex() { return text3; }
    // Writing into an array: the value written (variable or literal). Reading from one: the
    // variable that receives the element.
    const QString& arrayOther() const { return text4; }
    QString& arrayOther() { return text4; }
    // Writing into an array: how many elements the runs since the last check appended.
    int appendCount() const { return extra1; }
    int& appendCount() { return extra1; }
    // Read/write, message and question blocks: the text shown (prompt, message, question).
    const QString& prompt() const { return text4; }
    QString& prompt() { return text4; }
    // Random-number block: the range typed in.
    const QString& range() const { return text4; }
    QString& range() { return text4; }
    // Read/write block: 0 reads, 1 writes (ReadWriteWrites).
    bool writes() const { return mode == 1; }
    int readWriteMode() const { return mode; }
    void setReadWriteMode(int readOrWrite) { mode = readOrWrite; }
    // Read/write block: decimals of a written real (BlockCatalogue's precision codes).
    int precision() const { return extra1; }
    void setPrecision(int code) { extra1 = code; }
    // Call, return, message, question, random: the colour of the block (RGB).
    int colour() const { return extra1; }
    void setColour(int rgb) { extra1 = rgb; }
    // Variable block: its type 1..7 (VariableType), start value and the value a run shows.
    int variableType() const { return mode; }
    void setVariableType(int type) { mode = type; }
    const QString& startValue() const { return text4; }
    QString& startValue() { return text4; }
    const QString& shownValue() const { return text3; }
    QString& shownValue() { return text3; }
    // Text variable: the length of its start value, kept for the project file's readers.
    int startLength() const { return extra1; }
    void setStartLength(int length) { extra1 = length; }
    // Junctions: 0 the flow goes down, 1 up.
    int direction() const { return mode; }
    void setDirection(int upwards) { mode = upwards; }
    // Both comparisons: what the variable is compared with, the other variable or the formula.
    const QString& comparedWith() const;

    // The fields above by their generic names, for the code that treats them alike whatever
    // the kind: the properties window maps each of its rows onto one. Anywhere else, use the
    // view that names the field's meaning.
    enum class Field { Text2, Text3, Text4, Extra1 };
    // The text `field`, or nullptr for a number field.
    const QString* text(Field field) const;
    QString* text(Field field);
    // The number `field`, or nullptr for a text field.
    const int* number(Field field) const;
    int* number(Field field);

    // The same block or connector with the same settings, wherever each stands and whether
    // marked or not.
    bool sameContent(const Cell& other) const;
    // Characters of the name and the texts: what keeping the cell costs beyond its size.
    qsizetype textLength() const;
    // Every text that equals `from` becomes `to` (a block renamed on paste takes along the
    // texts that named it, such as an array block's own array).
    void replaceTexts(const QString& from, const QString& to);
};

// Types of a variable block (its `mode`).
enum VariableType {
    TypeInteger = 1,
    TypeReal = 2,
    TypeChar = 3,
    TypeText = 4,
    TypeLogical = 5,
    TypeArray = 6,
    TypeDate = 7,
};

}  // namespace trevalon
