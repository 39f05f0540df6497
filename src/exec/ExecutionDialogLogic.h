#pragma once

#include <QString>
#include <optional>

namespace trevalon {

class Workspace;

// What the execution dialog does: take a value, show a text, or ask a yes/no question.
enum class DialogMode { Read = 1, Show = 2, Question = 3 };

// Outcome of entering a value.
enum class EntryResult {
    Accepted,  // the variable was assigned; the dialog closes
    Refused,   // the dialog beeped and stays open
    Rejected,  // a message explained the refusal; the dialog stays open with what was typed
};

// Everything the execution dialog decides without drawing: the key filter per variable type,
// the input length, the checks on entering, the date rules, and the assignment handed to the
// Calculator. The dialog window and the command-line tool both drive one of these per showing.
class ExecutionDialogLogic {
public:
    static constexpr QChar Backspace = QChar(u'\b');
    static constexpr QChar Tab = QChar(u'\t');
    static constexpr int MaxNumberLength = 9;

    // `blockKind` is the kind of the block that opened the dialog; `variable` its variable (the
    // one that receives a value or an answer, Cell::variable), whose type is looked up now.
    ExecutionDialogLogic(Workspace& workspace, DialogMode mode, QString title, QString text,
                         int blockKind, QString variable);

    DialogMode mode() const { return m_mode; }
    const QString& title() const { return m_title; }
    const QString& text() const { return m_text; }
    int blockKind() const { return m_blockKind; }
    const QString& variable() const { return m_variable; }
    // Type 1..7 of the receiving variable, or -1 when it names no variable.
    int targetType() const { return m_targetType; }
    // In read mode a date is typed into three fields instead of one input.
    bool readsDate() const;
    // True once a value was assigned or the question answered.
    bool answered() const { return m_answered; }
    // Why the last value was refused, for a terminal that cannot beep meaningfully.
    const QString& refusal() const { return m_refusal; }

    // The character that a key puts into an input of `type` holding `current`, or nothing when
    // the key is refused ("," becomes "." for reals and arrays).
    static std::optional<QChar> filterKey(int type, const QString& current, QChar key);
    // The date fields take digits, "-", backspace and tab.
    static std::optional<QChar> filterDateKey(QChar key);
    // The input's length limit for `type`: 9 for numbers, 1 for a character, 0 (none) for a
    // text; logical and array inputs keep `previous`, whatever the last showing left.
    static int maxLength(int type, int previous);
    // The text of the first date rule that fails (texts::EnterValidDate, EnterYearInRange,
    // EnterMonthInRange, EnterDayOfMonth), or 0 for a valid date.
    static int dateProblem(const QString& year, const QString& month, const QString& day);
    // What the Calculator is given for a value typed for a variable of `type`.
    static QString assignmentText(int type, const QString& variable, const QString& input);
    // Whether a whole line (a terminal's input) is what the key filter and the length limit let
    // through, with the filter's changes applied; the reason for a refusal otherwise.
    static std::optional<QString> filterLine(int type, const QString& line, QString* reason);

    // "Wprowadź" or Enter with `input` in the value field. Beeps on an empty value or a real
    // that is no number; refuses a value the Calculator cannot assign.
    EntryResult enterValue(const QString& input);
    // "Wprowadź" with the three date fields; a failed rule shows its message.
    EntryResult enterDate(const QString& year, const QString& month, const QString& day);
    // "Tak" or "Nie" of a question: the variable becomes 1 or 0.
    void answer(bool yes);

private:
    bool assign(const QString& assignment);
    EntryResult refuse(const QString& reason);

    Workspace& m_workspace;
    DialogMode m_mode;
    QString m_title;
    QString m_text;
    int m_blockKind;
    QString m_variable;
    int m_targetType;
    bool m_answered = false;
    QString m_refusal;
};

}  // namespace trevalon
