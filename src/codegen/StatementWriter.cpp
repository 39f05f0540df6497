#include "codegen/StatementWriter.h"

#include <algorithm>

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

// A body the language may not leave empty gets its filler.
void StatementWriter::fillEmptyBody() {
    const QString filler = m_language.emptyBody();
    if (!filler.isEmpty()) {
        m_out.line(filler);
    }
}

bool StatementWriter::routine(const std::vector<Statement>& body, bool inMain) {
    m_inMain = inMain;
    const std::size_t before = m_out.size();
    if (!statements(body, true)) {
        return false;
    }
    if (m_out.size() == before) {
        fillEmptyBody();
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
    switch (s.kind) {
        case Statement::Block:
            return m_blocks.write(s.node, m_inMain, m_out);
        case Statement::If:
            return choice(s);
        case Statement::Loop:
            return loop(s);
        case Statement::Break:
            m_out.line(m_language.breakStatement());
            return true;
        case Statement::Continue:
            m_out.line(m_language.continueStatement());
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
    open(m_language.ifHead(*test), cell);
    if (!statements(s.body, false)) {
        return false;
    }
    if (s.body.empty()) {
        fillEmptyBody();
    }
    if (!s.otherwise.empty()) {
        close();
        open(m_language.elseHead(), cell);
        if (!statements(s.otherwise, false)) {
            return false;
        }
    }
    close(m_language.ifEnd());
    return true;
}

bool StatementWriter::loop(const Statement& s) {
    const std::optional<EndTestedLoop> form = m_language.endTestedLoop();
    if (const Statement* tail = form ? finalBreak(s) : nullptr) {
        return loopTestedAtEnd(s, *tail, *form);
    }
    QString test;
    if (s.node >= 0) {
        const std::optional<QString> condition = m_blocks.condition(s.node, s.negated);
        if (!condition) {
            return false;
        }
        test = *condition;
    }
    open(s.node >= 0 ? m_language.whileHead(test) : m_language.foreverHead(), cellOf(s.node));
    if (!statements(s.body, false)) {
        return false;
    }
    if (s.body.empty()) {
        fillEmptyBody();
    }
    close(s.node >= 0 ? m_language.whileEnd() : m_language.foreverEnd());
    return true;
}

// A loop whose last statement leaves it when a test holds: a do-while goes on while the test
// fails, a repeat-until until it holds.
bool StatementWriter::loopTestedAtEnd(const Statement& s, const Statement& tail,
                                      const EndTestedLoop& form) {
    const bool negated = form.goesOnWhileTestHolds ? !tail.negated : tail.negated;
    const std::optional<QString> test = m_blocks.condition(tail.node, negated);
    if (!test) {
        return false;
    }
    open(form.head, cellOf(s.node));
    const std::vector<Statement> rest(s.body.begin(), s.body.end() - 1);
    if (!statements(rest, false)) {
        return false;
    }
    m_out.dedent();
    m_out.line(m_language.endTestedFoot(*test), cellOf(tail.node));
    return true;
}

// The state machine: one numbered case per block, the state naming the next one.
bool StatementWriter::dispatch(const Statement& s) {
    for (const QString& line : m_language.commentLines(m_texts.text(texts::CodeDispatchComment)) +
                                   m_language.dispatchStart()) {
        m_out.line(line);
    }
    for (const QString& head : m_language.dispatchHeads()) {
        open(head, std::nullopt);
    }
    for (std::size_t i = 0; i < s.nodes.size(); ++i) {
        if (!dispatchCase(s, i)) {
            return false;
        }
    }
    for (const QString& end : m_language.dispatchEnds()) {
        close(end);
    }
    return true;
}

// The case of the machine's block number `index`: the block, then the number of the next one.
bool StatementWriter::dispatchCase(const Statement& s, std::size_t index) {
    const QString state = m_language.stateName();
    const auto number = [&s](int node) {
        const auto at = std::find(s.nodes.begin(), s.nodes.end(), node);
        return QString::number(at == s.nodes.end() ? -1 : at - s.nodes.begin());
    };
    const int node = s.nodes[index];
    const FlowNode& n = m_graph.nodes()[static_cast<std::size_t>(node)];
    open(m_language.caseHead(static_cast<int>(index)), n.cell);
    if (n.kind == FlowNode::Condition) {
        const std::optional<QString> test = m_blocks.condition(node, false);
        if (!test) {
            return false;
        }
        m_out.line(m_language.stateChoice(*test, number(n.next[0]), number(n.next[1])), n.cell);
    } else if (!m_blocks.write(node, m_inMain, m_out)) {
        return false;
    }
    const bool goesOn = n.kind == FlowNode::Action || n.kind == FlowNode::Call;
    if (goesOn && n.next[0] >= 0) {
        m_out.line(m_language.assignment(state, number(n.next[0])), n.cell);
    } else if (goesOn) {  // a procedure that never returns
        m_out.line(m_language.leave(m_inMain));
    }
    const QString caseBreak = m_language.caseBreak();
    if (!caseBreak.isEmpty() && (goesOn || n.kind == FlowNode::Condition)) {
        m_out.line(caseBreak);
    }
    close(m_language.caseEnd());
    return true;
}

}  // namespace trevalon::codegen
