#include "codegen/CodeGenerator.h"

#include "calc/Values.h"
#include "codegen/BlockWriter.h"
#include "codegen/FlowGraph.h"
#include "codegen/FormulaTranslator.h"
#include "codegen/LineWriter.h"
#include "codegen/StatementWriter.h"
#include "codegen/Structurer.h"
#include "codegen/VariableTable.h"
#include "config/TextIds.h"
#include "config/TextTable.h"
#include "model/Cell.h"
#include "model/KindCode.h"

namespace trevalon::codegen {
namespace {

QString withoutQuotes(const QString& value) {
    const QString v = value.trimmed();
    if (v.size() >= 2 && v.startsWith(u'"') && v.endsWith(u'"')) {
        return v.mid(1, v.size() - 2);
    }
    return v;
}

// Widens a variable's kind to hold values of `kind` too; answers whether it changed. An array
// keeps its kind (its elements have their own).
bool widen(Variable* v, ValueKind kind) {
    if (v != nullptr && v->kind != ValueKind::Array && joined(v->kind, kind) != v->kind) {
        v->kind = joined(v->kind, kind);
        return true;
    }
    return false;
}

bool widenElements(Variable& array, ValueKind kind) {
    const ValueKind wider = joined(array.elementKind, kind);
    const bool changed = wider != array.elementKind;
    array.elementKind = wider;
    return changed;
}

// Widens the kinds of what one block stores into; answers whether any changed.
bool widenByBlock(const Cell& cell, VariableTable& variables, FormulaTranslator& formulas) {
    switch (cell.kindCode) {
        case KindAssign: {
            const std::optional<Code> value = formulas.translate(cell.formula());
            return value && widen(variables.find(cell.variable()), value->kind);
        }
        case KindArrayWrite: {
            Variable* array = variables.find(cell.variable());
            const Variable* value = variables.find(cell.arrayOther());
            if (array == nullptr || value == nullptr) {
                return false;
            }
            return widenElements(*array,
                                 value->kind == ValueKind::Bool ? ValueKind::Int : value->kind);
        }
        case KindArrayRead: {
            const Variable* array = variables.find(cell.variable());
            return array != nullptr && widen(variables.find(cell.arrayOther()), array->elementKind);
        }
        case KindReadWrite: {
            // A pupil may type any numbers into an array, fractions too.
            Variable* array = variables.find(cell.variable());
            return cell.readWriteMode() == 0 && array != nullptr &&
                   array->kind == ValueKind::Array && widenElements(*array, ValueKind::Real);
        }
        case KindRandom:
            return widen(variables.find(cell.variable()), ValueKind::Int);
        default:
            return false;
    }
}

// The kind each variable's values need, found by widening the declared kind with what the
// flowchart assigns to it until nothing changes: an integer that is given 7 / 2 is a real.
void inferKinds(const Project& project, const FlowGraph& graph, VariableTable& variables,
                const TargetLanguage& language) {
    for (Variable& v : variables.all()) {
        if (isNumeric(v.kind) && v.start.contains(u'.')) {
            v.kind = joined(v.kind, ValueKind::Real);
        }
        for (const QString& e : arrayElements(v.start)) {
            if (e.contains(u'.')) {
                v.elementKind = ValueKind::Real;
            }
        }
    }
    HelperSet scratch;
    FormulaTranslator formulas(language, variables, scratch);
    for (bool changed = true; changed;) {
        changed = false;
        for (const FlowNode& node : graph.nodes()) {
            if (node.kind == FlowNode::Action) {
                changed = widenByBlock(project.cell(node.cell), variables, formulas) || changed;
            }
        }
    }
}

// The start value of a variable as a literal of its kind.
std::optional<QString> startValue(const Variable& v, const TargetLanguage& language) {
    switch (v.kind) {
        case ValueKind::Text:
            return language.literal(withoutQuotes(v.start));
        case ValueKind::Array: {
            QStringList items;
            for (const QString& e : arrayElements(v.start)) {
                items << language.literal(e);
            }
            return language.arrayLiteral(items);
        }
        default:
            break;
    }
    QString number = v.start.trimmed();
    number.replace(u',', u'.');
    const std::optional<long double> value = calc::parseNumber(number);
    if (!value) {
        return std::nullopt;
    }
    if (v.kind == ValueKind::Bool) {
        return language.truthValue(*value);
    }
    if (v.kind == ValueKind::Real) {
        return calc::formatNumber(*value);
    }
    return calc::integerText(static_cast<qint64>(*value));
}

}  // namespace

CodeGenerator::CodeGenerator(const Project& project, const TextTable& texts, Target target)
    : m_project(project), m_texts(texts), m_language(makeTargetLanguage(target, texts)) {}

GeneratedCode CodeGenerator::generate(const QString& title) const {
    GeneratedCode result;
    FlowGraph graph;
    result.status = graph.build(m_project);
    if (!result.ok()) {
        return result;
    }
    VariableTable variables(m_project, *m_language);
    inferKinds(m_project, graph, variables, *m_language);
    HelperSet helpers;
    FormulaTranslator formulas(*m_language, variables, helpers);
    BlockWriter blocks(m_project, graph, *m_language, variables, formulas, m_texts);
    // The routines first, so that the helpers they call are known before the prelude.
    std::vector<GeneratedLine> body;
    QStringList declarations;
    result.routines = static_cast<int>(graph.routines().size());
    for (std::size_t r = graph.routines().size(); r-- > 0;) {
        if (!writeRoutine(graph, r, blocks, helpers, variables, body, declarations,
                          &result.dispatchedRoutines)) {
            result.status = blocks.error();
            return result;
        }
    }
    QStringList variableLines;
    result.status = declareVariables(variables, helpers, variableLines);
    if (!result.ok()) {
        return result;
    }
    result.ownCodeStart =
        m_language->writeHead(FileHead{title, &helpers, variableLines, declarations}, result.lines);
    result.lines.insert(result.lines.end(), body.begin(), body.end());
    for (const QString& line : m_language->fileEnd()) {
        result.lines.push_back({line, std::nullopt});
    }
    while (!result.lines.empty() && result.lines.back().text.isEmpty()) {
        result.lines.pop_back();
    }
    return result;
}

// The variables' declarations with their start values.
Status CodeGenerator::declareVariables(const VariableTable& variables, HelperSet& helpers,
                                       QStringList& lines) const {
    for (const Variable& v : variables.all()) {
        const std::optional<QString> start = startValue(v, *m_language);
        if (!start) {
            return Status::error(texts::CodegenStartNoNumber, {v.name});
        }
        lines << m_language->declaration(v.identifier, v.kind, v.type, *start);
        if (v.kind == ValueKind::Array) {
            helpers.insert(QStringLiteral("vector"));
        }
    }
    return Status();
}

// One routine: the main board as `main`, a procedure board as a function named after it.
bool CodeGenerator::writeRoutine(const FlowGraph& graph, std::size_t index, BlockWriter& blocks,
                                 const HelperSet& helpers, const VariableTable& variables,
                                 std::vector<GeneratedLine>& body, QStringList& declarations,
                                 int* dispatched) const {
    const QString unit = QStringLiteral("    ");
    LineWriter out(body, unit);
    const Routine& routine = graph.routines()[index];
    const bool main = index == 0;
    const std::optional<CellRef> start = m_project.findKind(KindStart, routine.board);
    bool fallback = false;
    const std::vector<Statement> statements = Structurer(graph).structure(routine, &fallback);
    *dispatched += fallback ? 1 : 0;
    const QString name = main ? QStringLiteral("main") : blocks.procedureName(routine.board);
    const std::size_t header = out.size();
    for (const QString& line : m_language->routineHead(name, main)) {
        out.line(line, start);
    }
    const QString declaration = main ? QString() : m_language->routineDeclaration(name);
    if (!declaration.isEmpty()) {
        declarations << declaration;
    }
    out.indent();
    QStringList identifiers;
    for (const Variable& v : variables.all()) {
        identifiers << v.identifier;
    }
    for (const QString& line : m_language->routinePrologue(identifiers)) {
        out.line(line);
    }
    std::size_t mark = out.size();
    StatementWriter writer(*m_language, blocks, graph, m_texts, out);
    if (!writer.routine(statements, main)) {
        return false;
    }
    // A program that draws random numbers takes the seed and makes the check's draws first.
    if (main && helpers.contains(QStringLiteral("random_below"))) {
        const QString seededHead = m_language->seededMainHead();
        if (!seededHead.isEmpty()) {
            body[header].text = seededHead;
        }
        for (const QString& line : m_language->seeding(m_checkDraws)) {
            body.insert(body.begin() + static_cast<std::ptrdiff_t>(mark++),
                        GeneratedLine{line.isEmpty() ? line : unit + line, std::nullopt});
        }
    }
    out.dedent();
    for (const QString& line : m_language->routineEnd()) {
        out.line(line);
    }
    return true;
}

}  // namespace trevalon::codegen
