#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "builders/BuilderLists.h"
#include "builders/ExpressionEditor.h"
#include "builders/FormulaCheck.h"
#include "builders/VisibleVariables.h"

namespace trevalon {

class Project;
class TextTable;

// Everything the expression builder window (`TFBudujWyrazenie`) means, without drawing: the
// lists and what their entries insert, the formula with its caret, the status-line texts and
// hints, the check, and the collapsed height. The window draws this state and forwards the
// user's clicks and keys.
//
// `texts` must outlive the builder; texts are taken in its current language on each call. The
// project given to `show` must stay alive while the builder is shown.
class ExpressionBuilder {
public:
    static constexpr int TitleBarHeight = 20;

    explicit ExpressionBuilder(const TextTable& texts);

    // Opens on the assignment `leftVariable` := `formula` of board `board`: the variable list
    // is refilled, the caret goes to the start and the window is not collapsed.
    void show(const Project& project, int board, const QString& leftVariable,
              const QString& formula);
    const QString& leftVariable() const { return m_leftVariable; }
    int board() const { return m_board; }

    // The entries of a list as shown. The variables list shows the visible variables' names,
    // or the single entry "Brak" when there are none.
    QStringList entries(BuilderList list) const;
    const std::vector<VisibleVariable>& variables() const { return m_variables; }

    // The insert button next to a list: entry `index` goes into the formula as its template.
    // Out-of-range indexes do nothing.
    void insertEntry(BuilderList list, int index);

    ExpressionEditor& editor() { return m_editor; }
    const ExpressionEditor& editor() const { return m_editor; }
    const QString& expression() const { return m_editor.text(); }

    // The main window's status line while the formula is worked on: NAME + " := " + formula,
    // or the reminder to choose the variable first.
    QString statusLine() const;
    // The status line while an entry is pointed at: its single-line help text.
    QString entryStatus(BuilderList list, int index) const;
    // The list's hint for an entry: its multi-line help text, or empty when hints are off.
    QString hint(BuilderList list, int index) const;
    void setHintsEnabled(bool enabled) { m_hintsEnabled = enabled; }

    // "Sprawdź wyrażenie" on the current formula; see FormulaCheck.
    FormulaCheckResult check(TCalcul& calculator, const FormulaCheck::TestValues& testValues,
                             MessageSink& sink, EventLog& log) const;

    // Title strip text: two blanks before "Buduj wyrażenie".
    QString title() const;

    // The collapse label: gives the window's new height, the title strip alone or the height
    // it had when it was collapsed.
    int toggleCollapsed(int currentHeight);
    bool collapsed() const { return m_collapsed; }

private:
    int helpNumber(BuilderList list, int index) const;

    const TextTable& m_texts;
    const Project* m_project = nullptr;
    int m_board = 1;
    QString m_leftVariable;
    std::vector<VisibleVariable> m_variables;
    ExpressionEditor m_editor;
    bool m_hintsEnabled = false;
    bool m_collapsed = false;
    int m_fullHeight = 0;
};

}  // namespace trevalon
