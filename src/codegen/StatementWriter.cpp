#include "codegen/StatementWriter.h"

#include <algorithm>

#include "codegen/SourceText.h"
#include "config/TextIds.h"
#include "config/TextTable.h"

namespace trevalon::codegen {
namespace {

// The break test of an endless loop's last statement, which makes it a loop tested at its end.
const Statement* finalBreak(const Statement& loop) {
    if (loop.node >= 0 || loop.body.empty()) {
        return nullptr;
    }
    const Statement& last = loop.body.back();
    const bool breaks = last.kind == Statement::If && last.otherwise.empty() &&
                        last.body.size() == 1 && last.body.front().kind == Statement::Break;
    return breaks ? &last : nullptr;
}

}  // namespace

std::optional<CellRef> StatementWriter::cellOf(int node) const {
    if (node < 0) {
        return std::nullopt;
    }
    return m_graph.nodes()[static_cast<std::size_t>(node)].cell;
}

void StatementWriter::open(const QString& head, const std::optional<CellRef>& cell) {
    m_out.line(head, cell);
    m_out.indent();
}

void StatementWriter::close(const QString& tail) {
    m_out.dedent();
    if (!tail.isEmpty()) {
        m_out.line(tail);
    }
}

bool StatementWriter::routine(const std::vector<Statement>& body, bool inMain) {
    m_inMain = inMain;
    const std::size_t before = m_out.size();
    if (!statements(body, true)) {
        return false;
    }
    if (m_out.size() == before && m_target == Target::Python) {
        m_out.line(QStringLiteral("pass"));
    }
    return true;
}

bool StatementWriter::statements(const std::vector<Statement>& body, bool closesRoutine) {
    for (std::size_t i = 0; i < body.size(); ++i) {
        const Statement& s = body[i];
        const bool last = closesRoutine && i + 1 == body.size();
        if (last && s.kind == Statement::Block) {
            const FlowNode::Kind kind = m_graph.nodes()[static_cast<std::size_t>(s.node)].kind;
            if (kind == FlowNode::Return || (kind == FlowNode::Halt && m_inMain)) {
                continue;  // the routine ends here anyway
            }
        }
        if (!statement(s)) {
            return false;
        }
    }
    return true;
}

bool StatementWriter::statement(const Statement& s) {
    const bool pseudo = m_target == Target::Pseudo;
    switch (s.kind) {
        case Statement::Block:
            return m_blocks.write(s.node, m_inMain, m_out);
        case Statement::If:
            return choice(s);
        case Statement::Loop:
            return loop(s);
        case Statement::Break:
            m_out.line(pseudo                       ? m_texts.text(texts::CodeBreak)
                       : m_target == Target::Python ? QStringLiteral("break")
                                                    : QStringLiteral("break;"));
            return true;
        case Statement::Continue:
            m_out.line(pseudo                       ? m_texts.text(texts::CodeContinue)
                       : m_target == Target::Python ? QStringLiteral("continue")
                                                    : QStringLiteral("continue;"));
            return true;
        case Statement::Dispatch:
            return dispatch(s);
    }
    return false;
}

bool StatementWriter::choice(const Statement& s) {
    const std::optional<QString> test = m_blocks.condition(s.node, s.negated);
    if (!test) {
        return false;
    }
    const std::optional<CellRef> cell = cellOf(s.node);
    switch (m_target) {
        case Target::Python:
            open(QStringLiteral("if ") + *test + u':', cell);
            if (!statements(s.body, false)) {
                return false;
            }
            if (s.body.empty()) {
                m_out.line(QStringLiteral("pass"));
            }
            close();
            if (!s.otherwise.empty()) {
                open(QStringLiteral("else:"), cell);
                if (!statements(s.otherwise, false)) {
                    return false;
                }
                close();
            }
            return true;
        case Target::Cpp:
            open(QStringLiteral("if (") + *test + QStringLiteral(") {"), cell);
            if (!statements(s.body, false)) {
                return false;
            }
            if (!s.otherwise.empty()) {
                close();
                open(QStringLiteral("} else {"), cell);
                if (!statements(s.otherwise, false)) {
                    return false;
                }
            }
            close(QStringLiteral("}"));
            return true;
        case Target::Pseudo:
            open(m_texts.text(texts::CodeIf) + u' ' + *test + u' ' + m_texts.text(texts::CodeThen),
                 cell);
            if (!statements(s.body, false)) {
                return false;
            }
            if (!s.otherwise.empty()) {
                close();
                open(m_texts.text(texts::CodeElse), cell);
                if (!statements(s.otherwise, false)) {
                    return false;
                }
            }
            close(m_texts.text(texts::CodeEndIf));
            return true;
    }
    return false;
}

bool StatementWriter::loop(const Statement& s) {
    const std::optional<CellRef> cell = cellOf(s.node);
    const Statement* tail = m_target == Target::Python ? nullptr : finalBreak(s);
    if (tail != nullptr) {
        // Tested at its end: C++ goes on while the break test fails; pseudo-code repeats
        // until it holds.
        const bool cpp = m_target == Target::Cpp;
        const std::optional<QString> test =
            m_blocks.condition(tail->node, cpp ? !tail->negated : tail->negated);
        if (!test) {
            return false;
        }
        open(cpp ? QStringLiteral("do {") : m_texts.text(texts::CodeRepeat), cell);
        const std::vector<Statement> rest(s.body.begin(), s.body.end() - 1);
        if (!statements(rest, false)) {
            return false;
        }
        m_out.dedent();
        m_out.line(cpp ? QStringLiteral("} while (") + *test + QStringLiteral(");")
                       : m_texts.text(texts::CodeUntil) + u' ' + *test,
                   cellOf(tail->node));
        return true;
    }
    QString test;
    if (s.node >= 0) {
        const std::optional<QString> condition = m_blocks.condition(s.node, s.negated);
        if (!condition) {
            return false;
        }
        test = *condition;
    }
    switch (m_target) {
        case Target::Python:
            open(QStringLiteral("while ") + (s.node >= 0 ? test : QStringLiteral("True")) + u':',
                 cell);
            if (!statements(s.body, false)) {
                return false;
            }
            if (s.body.empty()) {
                m_out.line(QStringLiteral("pass"));
            }
            close();
            return true;
        case Target::Cpp:
            open(QStringLiteral("while (") + (s.node >= 0 ? test : QStringLiteral("true")) +
                     QStringLiteral(") {"),
                 cell);
            if (!statements(s.body, false)) {
                return false;
            }
            close(QStringLiteral("}"));
            return true;
        case Target::Pseudo:
            open(s.node >= 0 ? m_texts.text(texts::CodeWhile) + u' ' + test + u' ' +
                                   m_texts.text(texts::CodeDo)
                             : m_texts.text(texts::CodeForever),
                 cell);
            if (!statements(s.body, false)) {
                return false;
            }
            close(s.node >= 0 ? m_texts.text(texts::CodeEndWhile)
                              : m_texts.text(texts::CodeEndRepeat));
            return true;
    }
    return false;
}

// The state machine: one numbered case per block, the state naming the next one.
bool StatementWriter::dispatch(const Statement& s) {
    const bool python = m_target == Target::Python;
    const bool cpp = m_target == Target::Cpp;
    for (const QString& line : commentLines(m_target, m_texts.text(texts::CodeDispatchComment))) {
        m_out.line(line);
    }
    // The machine stops when the flow reaches the block after it: state -1.
    if (cpp) {
        open(QStringLiteral("for (int state = 0; state >= 0;) {"), std::nullopt);
        open(QStringLiteral("switch (state) {"), std::nullopt);
    } else {
        m_out.line(stateName() + stateAssign() + u'0');
        open(python ? QStringLiteral("while state >= 0:")
                    : m_texts.text(texts::CodeWhile) + u' ' + stateName() +
                          QStringLiteral(" >= 0 ") + m_texts.text(texts::CodeDo),
             std::nullopt);
    }
    for (std::size_t i = 0; i < s.nodes.size(); ++i) {
        if (!dispatchCase(s, i)) {
            return false;
        }
    }
    if (cpp) {
        close(QStringLiteral("}"));
    }
    close(cpp ? QStringLiteral("}") : python ? QString() : m_texts.text(texts::CodeEndWhile));
    return true;
}

QString StatementWriter::stateName() const {
    return m_target == Target::Pseudo ? m_texts.text(texts::CodeState) : QStringLiteral("state");
}

QString StatementWriter::stateAssign() const {
    return m_target == Target::Pseudo ? QStringLiteral(" ← ") : QStringLiteral(" = ");
}

// The case of the machine's block number `index`: the block, then the number of the next one.
bool StatementWriter::dispatchCase(const Statement& s, std::size_t index) {
    const bool python = m_target == Target::Python;
    const bool cpp = m_target == Target::Cpp;
    const QString state = stateName();
    const QString assign = stateAssign();
    const auto number = [&s](int node) {
        const auto at = std::find(s.nodes.begin(), s.nodes.end(), node);
        return QString::number(at == s.nodes.end() ? -1 : at - s.nodes.begin());
    };
    const int node = s.nodes[index];
    const FlowNode& n = m_graph.nodes()[static_cast<std::size_t>(node)];
    const QString value = QString::number(index);
    open(python ? (index == 0 ? QStringLiteral("if state == ") : QStringLiteral("elif state == ")) +
                      value + u':'
         : cpp ? QStringLiteral("case ") + value + u':'
               : m_texts.text(texts::CodeIf) + u' ' + state + QStringLiteral(" = ") + value + u' ' +
                     m_texts.text(texts::CodeThen),
         n.cell);
    if (n.kind == FlowNode::Condition) {
        const std::optional<QString> test = m_blocks.condition(node, false);
        if (!test) {
            return false;
        }
        const QString yes = number(n.next[0]);
        const QString no = number(n.next[1]);
        m_out.line(python ? state + assign + yes + QStringLiteral(" if ") + *test +
                                QStringLiteral(" else ") + no
                   : cpp ? state + assign + *test + QStringLiteral(" ? ") + yes +
                               QStringLiteral(" : ") + no + u';'
                         : m_texts.text(texts::CodeIf) + u' ' + *test + u' ' +
                               m_texts.text(texts::CodeThen) + u' ' + state + assign + yes + u' ' +
                               m_texts.text(texts::CodeElse) + u' ' + state + assign + no,
                   n.cell);
    } else if (!m_blocks.write(node, m_inMain, m_out)) {
        return false;
    }
    const bool goesOn = n.kind == FlowNode::Action || n.kind == FlowNode::Call;
    if (goesOn && n.next[0] >= 0) {
        m_out.line(state + assign + number(n.next[0]) + (cpp ? QStringLiteral(";") : QString()),
                   n.cell);
    } else if (goesOn) {  // a procedure that never returns
        m_out.line(python ? QStringLiteral("return")
                   : cpp  ? (m_inMain ? QStringLiteral("return 0;") : QStringLiteral("return;"))
                          : m_texts.text(texts::CodeReturn));
    }
    if (cpp && (goesOn || n.kind == FlowNode::Condition)) {
        m_out.line(QStringLiteral("break;"));
    }
    close(m_target == Target::Pseudo ? m_texts.text(texts::CodeEndIf) : QString());
    return true;
}

}  // namespace trevalon::codegen
