#include "builders/ExpressionBuilder.h"

#include "config/TextTable.h"
#include "model/Project.h"

namespace trevalon {

ExpressionBuilder::ExpressionBuilder(const TextTable& texts) : m_texts(texts) {}

void ExpressionBuilder::show(const Project& project, int board, const QString& leftVariable,
                             const QString& formula) {
    m_project = &project;
    m_board = board;
    m_leftVariable = leftVariable;
    m_variables = visibleVariables(project, board);
    m_editor.setText(formula);
    m_collapsed = false;
}

QStringList ExpressionBuilder::entries(BuilderList list) const {
    if (list != BuilderList::Variables) {
        return builderlists::items(list);
    }
    return variableListItems(m_variables, m_texts);
}

void ExpressionBuilder::insertEntry(BuilderList list, int index) {
    if (list == BuilderList::Variables) {
        const QStringList names = entries(list);
        if (index >= 0 && index < names.size()) {
            m_editor.insert(builderlists::variableInsertion(names[index]));
        }
        return;
    }
    const Insertion insertion = builderlists::insertion(list, index);
    if (!insertion.text.isEmpty()) {
        m_editor.insert(insertion);
    }
}

QString ExpressionBuilder::statusLine() const {
    if (m_leftVariable.isEmpty() || m_leftVariable == m_texts.text(texts::Unset)) {
        return m_texts.text(texts::ChooseLeftVariable);
    }
    return m_leftVariable + QStringLiteral(" := ") + m_editor.text();
}

int ExpressionBuilder::helpNumber(BuilderList list, int index) const {
    if (list != BuilderList::Variables) {
        return builderlists::helpTextNumber(list, index);
    }
    const bool valid = index >= 0 && index < static_cast<int>(m_variables.size());
    return valid ? builderlists::helpTextNumber(list, index,
                                                m_variables[static_cast<std::size_t>(index)].type)
                 : 0;
}

QString ExpressionBuilder::entryStatus(BuilderList list, int index) const {
    return builderlists::singleLineHelp(m_texts, helpNumber(list, index));
}

QString ExpressionBuilder::hint(BuilderList list, int index) const {
    return m_hintsEnabled ? builderlists::multiLineHelp(m_texts, helpNumber(list, index))
                          : QString();
}

FormulaCheckResult ExpressionBuilder::check(TCalcul& calculator,
                                            const FormulaCheck::TestValues& testValues,
                                            MessageSink& sink, EventLog& log) const {
    const int type = m_project ? declaredVariableType(*m_project, m_leftVariable) : -1;
    return FormulaCheck(calculator, sink, log, m_texts)
        .check(m_leftVariable, type, m_editor.text(), testValues);
}

QString ExpressionBuilder::title() const {
    return QStringLiteral("  ") + m_texts.text(texts::ExpressionBuilderTitle);
}

int ExpressionBuilder::toggleCollapsed(int currentHeight) {
    if (m_collapsed) {
        m_collapsed = false;
        return m_fullHeight;
    }
    m_collapsed = true;
    m_fullHeight = currentHeight;
    return TitleBarHeight;
}

}  // namespace trevalon
