#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "codegen/CodeTarget.h"
#include "codegen/GeneratedCode.h"

namespace trevalon {
class TextTable;
}

namespace trevalon::codegen {

// A piece of what a write, message, question or read block shows: plain text, then the value
// of a variable inserted after it.
struct ShownPart {
    QString literal;
    std::optional<Code> value;
    bool textValue = false;  // a text or array variable's value, which may hold a CR
};

// Whether printing `parts` may meet a CR, which `run` prints as a line break (as LF CR and
// CR LF): a text written in, or the value of a text or array variable.
bool mayBreakLines(const std::vector<ShownPart>& parts);

// One of the operators `+ - * / ^ div mod || like wildcard and or` with its operands, already
// converted to what the operator works on, and the kind of its result.
struct Operation {
    int op = 0;
    Code left;
    Code right;
    ValueKind result = ValueKind::Int;
    bool literalDivisor = false;  // the right operand is a number literal other than 0
};

// A call of a built-in function of the flowchart's language, its arguments translated.
struct FunctionCall {
    QString written;  // as the formula writes it, "copy("
    QString helper;   // the helper function that does it in the generated program
    QStringList arguments;
    bool variadic = false;  // maxval, minval, sumval, avgval: any number of numbers
    bool padded = false;    // prefix(i, s) with its blank filler left out
    ValueKind result = ValueKind::Int;
};

// How a loop tested at its end begins, and whether it goes on while its test holds (C++'s
// do-while) or until it holds (pseudo-code's repeat-until).
struct EndTestedLoop {
    QString head;
    bool goesOnWhileTestHolds = false;
};

// What the generated file holds before the routines.
struct FileHead {
    QString title;
    const HelperSet* helpers = nullptr;
    QStringList variables;     // their declarations
    QStringList declarations;  // of the procedures, where the language needs them first
};

// Everything that differs between the languages the code is generated in, in one place per
// language: the writers of formulas, blocks, statements and the file ask the target for each
// piece, and never which target it is. Python, C++ and pseudo-code each have one class
// (PythonTarget.cpp, CppTarget.cpp, PseudoTarget.cpp); Python and C++ share ProgramTarget, which
// writes the helper calls that keep the flowchart's meaning in a typed language.
//
// Functions that may call a helper record it in `used`, so that the prelude holds it. A target
// keeps a reference to the text table it was made with (pseudo-code's words, the comments).
class TargetLanguage {
public:
    explicit TargetLanguage(const TextTable& texts) : m_texts(texts) {}
    virtual ~TargetLanguage() = default;
    TargetLanguage(const TargetLanguage&) = delete;
    TargetLanguage& operator=(const TargetLanguage&) = delete;

    // --- The project's own texts in the code (escaped by SourceText)
    // The content of a comment line after its mark.
    virtual QString comment(const QString& text) const = 0;
    // A comment cut into lines of at most about 90 characters, each with the comment mark.
    QStringList commentLines(const QString& text) const;
    // A literal that holds exactly `text`.
    virtual QString literal(const QString& text) const = 0;
    // The identifier a flowchart's name is written as, before it is made unique.
    virtual QString identifierBase(const QString& name) const = 0;
    // The n-th identifier made from `base` when `base` is taken (n = 2, 3, ...).
    virtual QString numbered(const QString& base, int n) const;
    // Whether no identifier may be `word` (letter case aside).
    virtual bool isReserved(const QString& word) const = 0;

    // --- Values
    virtual Code call(const QString& helper, const QStringList& arguments, ValueKind kind,
                      HelperSet& used) const;
    virtual Code asNumber(const Code& code, HelperSet& used) const;
    virtual Code asText(const Code& code, HelperSet& used) const = 0;
    virtual Code asInteger(const Code& code, HelperSet& used) const = 0;
    virtual Code asTruth(const Code& code, HelperSet& used) const = 0;
    // A value converted to be stored into a variable of `kind`.
    virtual Code storedAs(const Code& code, ValueKind kind, HelperSet& used) const = 0;
    // A variable's value (`value`, of the declared type `type`) as a write block or a comment
    // shows it, a real with `precision` decimals.
    virtual Code shown(const Code& value, int type, int precision, HelperSet& used) const = 0;
    // A logical variable's start value.
    virtual QString truthValue(long double value) const;
    virtual QString arrayLiteral(const QStringList& elements) const;

    // --- Formulas
    // An operation's result as the flowchart hands it on (a real kept to 12 decimals).
    virtual Code keptDigits(const Code& code, HelperSet& used) const = 0;
    // _DATE, _TIME and _NOW: the computer's clock when the program runs.
    virtual Code clock(const QString& name, bool date, bool time, HelperSet& used) const = 0;
    virtual Code operation(const Operation& operation, HelperSet& used) const = 0;
    // `left op right` for the comparisons op::Equal ... op::NotEqual.
    virtual Code comparison(int op, const Code& left, const Code& right, HelperSet& used) const = 0;
    // `value in set`; `elements` are the set's elements as literals.
    virtual Code membership(const Code& value, const QString& set,
                            const std::vector<Code>& elements, HelperSet& used) const = 0;
    // A function's argument of the kind it takes ('n' number, 'i' whole number, 't' text).
    virtual QString argument(const Code& code, QChar kind, bool variadic,
                             HelperSet& used) const = 0;
    virtual Code function(const FunctionCall& call, HelperSet& used) const = 0;

    // --- Blocks
    virtual QString statement(const QString& text) const;
    virtual QString assignment(const QString& target, const QString& value) const;
    virtual QString procedureCall(const QString& procedure) const;
    // Leaves the routine: the End of a procedure, or of main written inside the state machine.
    virtual QString leave(bool inMain) const = 0;
    // The End of the main board, reached in main or inside a procedure.
    virtual QString halt(bool inMain) const = 0;
    // The stop on an error where the flow leaves the drawing.
    virtual QString abort(const QString& message, HelperSet& used) const = 0;
    // The statement that prints `parts` as one line.
    virtual QString printLine(const std::vector<ShownPart>& parts, HelperSet& used) const = 0;
    // `parts` as one text value, for a prompt or a question.
    virtual QString textArgument(const std::vector<ShownPart>& parts, HelperSet& used) const = 0;
    // A question block: the answer stored into `variable` (its identifier and kind), if any.
    virtual QString question(const QString& question, const std::optional<Code>& variable,
                             HelperSet& used) const = 0;
    virtual QString random(const Code& variable, qint64 bound, HelperSet& used) const = 0;
    // A read block: `variable` of the declared type `type` read after `prompt`.
    virtual QStringList read(const Code& variable, int type, const QString& prompt,
                             HelperSet& used) const = 0;
    virtual QString arrayWrite(const Code& array, const Code& index, const Code& value,
                               HelperSet& used) const = 0;
    // Reading an element of `array` (whose elements are read as `elementKind`) into `value`.
    virtual QString arrayRead(const Code& array, ValueKind elementKind, const Code& index,
                              const Code& value, HelperSet& used) const = 0;
    // A comparison block's translated formula as the test of an if or a loop.
    virtual QString condition(const Code& test) const = 0;
    virtual QString negation(const QString& test) const = 0;

    // --- Statements
    // What a body that says nothing holds; empty when it may stay empty.
    virtual QString emptyBody() const;
    virtual QString ifHead(const QString& test) const = 0;
    virtual QString elseHead() const = 0;
    virtual QString ifEnd() const = 0;
    virtual QString whileHead(const QString& test) const = 0;
    virtual QString foreverHead() const = 0;
    virtual QString whileEnd() const = 0;
    virtual QString foreverEnd() const = 0;
    virtual std::optional<EndTestedLoop> endTestedLoop() const;
    virtual QString endTestedFoot(const QString& test) const;
    virtual QString breakStatement() const = 0;
    virtual QString continueStatement() const = 0;
    // The state machine: its variable, the lines before it, the heads it opens and the ends
    // that close them, one case per block.
    virtual QString stateName() const;
    virtual QStringList dispatchStart() const;
    virtual QStringList dispatchHeads() const;
    virtual QStringList dispatchEnds() const;
    virtual QString caseHead(int index) const = 0;
    virtual QString stateChoice(const QString& test, const QString& yes,
                                const QString& no) const = 0;
    virtual QString caseBreak() const;
    virtual QString caseEnd() const;

    // --- The file
    // The lines that open a routine (then indented) and close it (a blank line included).
    virtual QStringList routineHead(const QString& name, bool main) const = 0;
    virtual QStringList routineEnd() const = 0;
    // A procedure's declaration before all routines; empty when the language needs none.
    virtual QString routineDeclaration(const QString& name) const;
    // The routine's first lines, for the variables (their identifiers) it works on.
    virtual QStringList routinePrologue(const QStringList& variables) const;
    // Main's first lines when it draws random numbers: the seed, the check's draws again.
    virtual QStringList seeding(const std::vector<std::pair<qint64, qint64>>& draws) const;
    // Main's head line when it takes the seed; empty when it stays as it is.
    virtual QString seededMainHead() const;
    virtual QString declaration(const QString& identifier, ValueKind kind, int type,
                                const QString& start) const = 0;
    // Writes what comes before the routines; answers the number of the first line of the
    // flowchart's own code, after the helper functions.
    virtual int writeHead(const FileHead& head, std::vector<GeneratedLine>& lines) const = 0;
    virtual QStringList fileEnd() const;

protected:
    const TextTable& texts() const { return m_texts; }
    // The text table's text `number`.
    QString word(int number) const;

private:
    virtual QString commentMark() const = 0;

    const TextTable& m_texts;
};

// The description of `target`, speaking `texts`'s language where the code shows words.
std::unique_ptr<const TargetLanguage> makeTargetLanguage(Target target, const TextTable& texts);

// Each language's description (PythonTarget.cpp, CppTarget.cpp, PseudoTarget.cpp).
std::unique_ptr<const TargetLanguage> makePythonTarget(const TextTable& texts);
std::unique_ptr<const TargetLanguage> makeCppTarget(const TextTable& texts);
std::unique_ptr<const TargetLanguage> makePseudoTarget(const TextTable& texts);

}  // namespace trevalon::codegen
