#include "codegen/BlockWriter.h"

#include "config/TextIds.h"
#include "config/TextTable.h"
#include "model/BlockCatalogue.h"
#include "model/Cell.h"
#include "model/KindCode.h"

namespace trevalon::codegen {

bool BlockWriter::fail(const Status& reason) {
    if (m_error.ok()) {
        m_error = reason;
    }
    return false;
}

QString BlockWriter::procedureName(int board) {
    QString& name = m_procedures[board - 1];
    if (name.isEmpty()) {
        name = m_variables.identifier(m_project.board(board).name);
    }
    return name;
}

// A comment text cut into its plain parts and the values it inserts; `&` is a line break.
std::vector<ShownPart> BlockWriter::rendered(const QString& comment) {
    std::vector<ShownPart> parts;
    QString literal;
    qsizetype at = 0;
    while (at < comment.size()) {
        const QChar c = comment[at];
        if (c == u'&') {
            literal += u'\n';
            ++at;
            continue;
        }
        const qsizetype close = c == u'$' ? comment.indexOf(u'$', at + 1) : -1;
        if (close < 0) {
            literal += c == u'$' ? comment.mid(at) : QString(c);
            at = c == u'$' ? comment.size() : at + 1;
            continue;
        }
        qsizetype nameStart = at + 1;
        int precision = 7;
        if (nameStart < close && comment[nameStart] >= u'0' && comment[nameStart] <= u'7') {
            precision = comment[nameStart].digitValue();
            ++nameStart;
        }
        parts.push_back(valuePart(literal, comment.mid(nameStart, close - nameStart), precision));
        literal.clear();
        at = close + 1;
    }
    parts.push_back(ShownPart{literal, std::nullopt});
    return parts;
}

ShownPart BlockWriter::valuePart(QString literal, const QString& name, int precision) {
    const Variable* v = m_variables.find(name);
    const bool text = v != nullptr && (v->kind == ValueKind::Text || v->kind == ValueKind::Array);
    return ShownPart{std::move(literal), shown(name, precision), text};
}

// A variable's value as a write block or a comment shows it, by its declared type.
std::optional<Code> BlockWriter::shown(const QString& name, int precision) {
    const Variable* v = m_variables.find(name);
    if (v == nullptr) {
        return std::nullopt;  // a name that is no variable shows nothing
    }
    return m_language.shown(valueOf(*v), v->type, precision, m_formulas.helpers());
}

Code BlockWriter::valueOf(const Variable& variable) {
    return Code{variable.identifier, variable.kind, true};
}

bool BlockWriter::write(int index, bool inMain, LineWriter& out) {
    const FlowNode& node = m_graph.nodes()[static_cast<std::size_t>(index)];
    const CellRef at = node.cell;
    switch (node.kind) {
        case FlowNode::Call:
            out.line(m_language.procedureCall(procedureName(node.callee)), at);
            return true;
        case FlowNode::Return:
            out.line(m_language.leave(false), at);
            return true;
        case FlowNode::Halt:
            out.line(m_language.halt(inMain), at);
            return true;
        case FlowNode::Abort:
            out.line(
                m_language.abort(m_texts.text(texts::BoardProcessingFailed), m_formulas.helpers()),
                at);
            return true;
        default:
            return action(m_project.cell(at), out, at);
    }
}

bool BlockWriter::action(const Cell& cell, LineWriter& out, const CellRef& at) {
    switch (cell.kindCode) {
        case KindAssign:
            return assignment(cell, out, at);
        case KindReadWrite:
            if (!cell.writes()) {
                return read(cell, out, at);
            }
            writeValue(cell, out, at);
            return true;
        case KindMessage:
            out.line(m_language.printLine(rendered(cell.prompt()), m_formulas.helpers()), at);
            return true;
        case KindQuestion:
            question(cell, out, at);
            return true;
        case KindRandom:
            return random(cell, out, at);
        case KindArrayWrite:
        case KindArrayRead:
            return arrayBlock(cell, out, at);
        default:
            return fail(Status::error(texts::CodegenBlockUntranslatable, {cell.name}));
    }
}

bool BlockWriter::assignment(const Cell& cell, LineWriter& out, const CellRef& at) {
    const Variable* v = m_variables.find(cell.variable());
    if (v == nullptr) {
        return fail(Status::error(texts::CodegenBlockVariable, {cell.name}));
    }
    const std::optional<Code> value = m_formulas.translate(cell.formula());
    if (!value) {
        return fail(m_formulas.error());
    }
    if (v->kind == ValueKind::Array) {
        return fail(Status::error(texts::CodegenArrayFormula, {cell.name}));
    }
    out.line(m_language.assignment(v->identifier, m_formulas.storedAs(*value, v->kind).text), at);
    return true;
}

bool BlockWriter::read(const Cell& cell, LineWriter& out, const CellRef& at) {
    const Variable* v = m_variables.find(cell.variable());
    if (v == nullptr) {
        return fail(Status::error(texts::CodegenBlockVariable, {cell.name}));
    }
    HelperSet& used = m_formulas.helpers();
    const QString prompt = m_language.textArgument(rendered(cell.prompt()), used);
    for (const QString& line : m_language.read(valueOf(*v), v->type, prompt, used)) {
        out.line(line, at);
    }
    return true;
}

// A write block: its text, a blank, the variable's value.
void BlockWriter::writeValue(const Cell& cell, LineWriter& out, const CellRef& at) {
    std::vector<ShownPart> parts = rendered(cell.prompt());
    parts.back().literal += u' ';
    parts.push_back(valuePart(QString(), cell.variable(), cell.precision()));
    parts.push_back(ShownPart{QString(), std::nullopt});
    out.line(m_language.printLine(parts, m_formulas.helpers()), at);
}

void BlockWriter::question(const Cell& cell, LineWriter& out, const CellRef& at) {
    HelperSet& used = m_formulas.helpers();
    const QString question = m_language.textArgument(rendered(cell.prompt()), used);
    const Variable* v = m_variables.find(cell.variable());
    out.line(m_language.question(question, v ? std::optional(valueOf(*v)) : std::nullopt, used),
             at);
}

bool BlockWriter::random(const Cell& cell, LineWriter& out, const CellRef& at) {
    bool ok = false;
    const qint64 bound = cell.range().trimmed().toLongLong(&ok);
    const Variable* v = m_variables.find(cell.variable());
    if (!ok || bound < 1 || v == nullptr) {
        return fail(Status::error(texts::CodegenRandomBlock, {cell.name}));
    }
    out.line(m_language.random(valueOf(*v), bound, m_formulas.helpers()), at);
    return true;
}

bool BlockWriter::arrayBlock(const Cell& cell, LineWriter& out, const CellRef& at) {
    const Variable* array = m_variables.find(cell.variable());
    const Variable* index = m_variables.find(cell.arrayIndex());
    const Variable* value = m_variables.find(cell.arrayOther());
    if (array == nullptr || index == nullptr || value == nullptr ||
        array->kind != ValueKind::Array) {
        return fail(Status::error(texts::CodegenBlockVariable, {cell.name}));
    }
    const Code i = m_formulas.asInteger(valueOf(*index));
    HelperSet& used = m_formulas.helpers();
    out.line(
        cell.kindCode == KindArrayWrite
            ? m_language.arrayWrite(valueOf(*array), i, valueOf(*value), used)
            : m_language.arrayRead(valueOf(*array), array->elementKind, i, valueOf(*value), used),
        at);
    return true;
}

std::optional<QString> BlockWriter::condition(int index, bool negated) {
    const FlowNode& node = m_graph.nodes()[static_cast<std::size_t>(index)];
    const Cell& cell = m_project.cell(node.cell);
    const QString op = BlockCatalogue::comparisonOperator(cell.comparison());
    const QString formula = cell.kindCode == KindCompareVars
                                ? cell.variable() + op + cell.otherVariable()
                                : cell.variable() + op + u'(' + cell.formula() + u')';
    if (negated) {
        if (const std::optional<Code> opposite = m_formulas.translateNegated(formula)) {
            return opposite->text;
        }
    }
    const std::optional<Code> test = m_formulas.translate(formula);
    if (!test) {
        fail(m_formulas.error());
        return std::nullopt;
    }
    const QString text = m_language.condition(*test);
    return negated ? m_language.negation(text) : text;
}

}  // namespace trevalon::codegen
