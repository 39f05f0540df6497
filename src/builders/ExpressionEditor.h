#pragma once

#include <QString>
#include <optional>

#include "builders/BuilderLists.h"

namespace trevalon {

// The formula being composed in the expression builder, with its caret, selection and the
// saved caret position, and every way the text changes: templates from the lists, the keypad
// and typing. The window mirrors `text()` and the caret into its text control and forwards its
// events here.
//
// Positions count characters from 0 and are kept within the text.
class ExpressionEditor {
public:
    enum class KeyResult {
        Dropped,   // not allowed in a formula: the key does nothing
        Edited,    // the text changed
        PassedOn,  // allowed but no text of its own (tab, control codes): the window's business
    };

    static constexpr QChar Backspace = QChar(8);

    const QString& text() const { return m_text; }
    // Replaces the whole text; caret, selection and saved position go to its start.
    void setText(const QString& text);

    int caret() const { return m_position; }
    int selectionStart() const { return qMin(m_anchor, m_position); }
    int selectionEnd() const { return qMax(m_anchor, m_position); }
    int savedCaret() const { return m_saved; }

    // The text control's selection changed (by mouse or cursor keys).
    void setSelection(int anchor, int position);
    void setCaret(int position) { setSelection(position, position); }
    // A key was released or the text clicked: the keypad inserts here from now on.
    void storeCaret() { m_saved = m_position; }

    // A list's template replaces the selection; the caret and the saved position end at the
    // template's caret offset from where it went in.
    void insert(const Insertion& insertion);

    // A keypad button: its caption goes in at the saved position (the selection is left alone),
    // and the caret and saved position move after it. "," inserts the decimal point.
    void pressKeypad(QChar caption);

    // A typed character, after the typing filter: replaces the selection, or deletes backwards
    // for backspace.
    KeyResult typeKey(QChar key);

    // What typing `key` into a formula gives: the character itself, "." for ",", or nothing
    // for keys a formula does not take ("<", "=", "^", "|", Enter, letters with diacritics,
    // ...). Backspace, tab and the control codes 17..20 pass unchanged.
    static std::optional<QChar> filterKey(QChar key);

    // The keypad's captions, in the order of its buttons.
    static const QString& keypadCaptions();

private:
    int clamp(int position) const;
    void replaceSelection(const QString& with, int caretOffset);

    QString m_text;
    int m_anchor = 0;
    int m_position = 0;
    int m_saved = 0;
};

}  // namespace trevalon
