#include "builders/ExpressionEditor.h"

#include <gtest/gtest.h>

using trevalon::ExpressionEditor;
using trevalon::Insertion;
using KeyResult = trevalon::ExpressionEditor::KeyResult;

namespace {

// Types every character of `keys` and releases the key, as the window forwards them.
void type(ExpressionEditor& editor, const QString& keys) {
    for (const QChar key : keys) {
        editor.typeKey(key);
        editor.storeCaret();
    }
}

}  // namespace

TEST(ExpressionTyping, FilterKeepsFormulaCharactersOnly) {
    for (const QChar key : QStringLiteral("azAZ09 \"()*+-./_")) {
        EXPECT_EQ(ExpressionEditor::filterKey(key), key) << static_cast<int>(key.unicode());
    }
    EXPECT_EQ(ExpressionEditor::filterKey(u','), QChar(u'.'));
    for (const char16_t code : {8, 9, 17, 18, 19, 20}) {
        EXPECT_EQ(ExpressionEditor::filterKey(QChar(code)), QChar(code)) << static_cast<int>(code);
    }
    for (const QChar key : QString::fromUtf8("=<>^|;:[]'!?#$%&@{}~`\\\r\nąŁé\x01\x15\x16")) {
        EXPECT_FALSE(ExpressionEditor::filterKey(key).has_value())
            << static_cast<int>(key.unicode());
    }
}

TEST(ExpressionTyping, CommaBecomesPointAndComparisonsAreDropped) {
    ExpressionEditor editor;
    type(editor, QStringLiteral("a,5"));
    EXPECT_EQ(editor.text(), QStringLiteral("a.5"));
    EXPECT_EQ(editor.typeKey(u'<'), KeyResult::Dropped);
    EXPECT_EQ(editor.typeKey(u'\t'), KeyResult::PassedOn);
    EXPECT_EQ(editor.text(), QStringLiteral("a.5"));
    EXPECT_EQ(editor.caret(), 3);
}

TEST(ExpressionTyping, BackspaceAndSelection) {
    ExpressionEditor editor;
    editor.setText(QStringLiteral("abcdef"));
    editor.setSelection(4, 1);  // "bcd", made backwards
    EXPECT_EQ(editor.typeKey(u'X'), KeyResult::Edited);
    EXPECT_EQ(editor.text(), QStringLiteral("aXef"));
    EXPECT_EQ(editor.caret(), 2);
    editor.typeKey(ExpressionEditor::Backspace);
    editor.typeKey(ExpressionEditor::Backspace);
    editor.typeKey(ExpressionEditor::Backspace);  // nothing left before the caret
    EXPECT_EQ(editor.text(), QStringLiteral("ef"));
    EXPECT_EQ(editor.caret(), 0);
    editor.setSelection(0, 2);
    editor.typeKey(ExpressionEditor::Backspace);
    EXPECT_TRUE(editor.text().isEmpty());
}

TEST(ExpressionTemplates, ReplaceTheSelectionAndPlaceTheCaret) {
    ExpressionEditor editor;
    editor.setText(QStringLiteral("x+"));
    editor.setCaret(2);
    editor.insert({QStringLiteral("Copy(,,)"), 5});
    EXPECT_EQ(editor.text(), QStringLiteral("x+Copy(,,)"));
    EXPECT_EQ(editor.caret(), 7);  // p + 5, between "Copy(" and the first comma
    EXPECT_EQ(editor.savedCaret(), 7);

    editor.setSelection(0, 1);
    editor.insert({QStringLiteral(" div "), 5});
    EXPECT_EQ(editor.text(), QStringLiteral(" div +Copy(,,)"));
    EXPECT_EQ(editor.caret(), 5);
}

TEST(ExpressionKeypad, InsertsAtTheSavedCaret) {
    ExpressionEditor editor;
    editor.setText(QStringLiteral("ab"));
    editor.setCaret(1);  // a click between the letters
    editor.storeCaret();
    editor.pressKeypad(u'7');
    EXPECT_EQ(editor.text(), QStringLiteral("a7b"));
    editor.pressKeypad(u'7');
    EXPECT_EQ(editor.text(), QStringLiteral("a77b"));
    EXPECT_EQ(editor.caret(), 3);

    editor.setCaret(0);
    editor.insert({QStringLiteral("Sqrt()"), 5});
    editor.pressKeypad(u'2');
    EXPECT_EQ(editor.text(), QStringLiteral("Sqrt(2)a77b"));

    editor.pressKeypad(u',');  // the decimal point
    editor.pressKeypad(u'5');
    EXPECT_EQ(editor.text(), QStringLiteral("Sqrt(2.5)a77b"));
    editor.pressKeypad(u'x');  // no such button
    EXPECT_EQ(editor.text(), QStringLiteral("Sqrt(2.5)a77b"));
}

TEST(ExpressionKeypad, SelectionMovedWithoutReleaseDoesNotMoveTheKeypad) {
    ExpressionEditor editor;
    editor.setText(QStringLiteral("abc"));
    editor.setCaret(3);
    editor.storeCaret();
    editor.setSelection(0, 1);  // a drag whose release was not reported yet
    editor.pressKeypad(u'(');
    EXPECT_EQ(editor.text(), QStringLiteral("abc("));
}

TEST(ExpressionKeypad, SavedCaretBeyondAShortenedTextGoesToItsEnd) {
    ExpressionEditor editor;
    editor.setText(QStringLiteral("12345"));
    editor.setCaret(5);
    editor.storeCaret();
    editor.setSelection(0, 5);
    editor.typeKey(ExpressionEditor::Backspace);  // no release in between
    editor.pressKeypad(u'9');
    EXPECT_EQ(editor.text(), QStringLiteral("9"));
    EXPECT_EQ(editor.caret(), 1);
}

TEST(ExpressionEditorState, PositionsStayWithinTheText) {
    ExpressionEditor editor;
    editor.setText(QStringLiteral("abc"));
    editor.setSelection(-4, 99);
    EXPECT_EQ(editor.selectionStart(), 0);
    EXPECT_EQ(editor.selectionEnd(), 3);
    editor.setText(QStringLiteral("x"));
    EXPECT_EQ(editor.caret(), 0);
    EXPECT_EQ(editor.savedCaret(), 0);
}
