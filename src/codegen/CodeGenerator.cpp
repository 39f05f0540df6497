#include "codegen/CodeGenerator.h"

#include <algorithm>

#include "calc/Values.h"
#include "codegen/BlockWriter.h"
#include "codegen/FlowGraph.h"
#include "codegen/FormulaTranslator.h"
#include "codegen/LineWriter.h"
#include "codegen/Prelude.h"
#include "codegen/SourceText.h"
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

// The kind each variable's values need, found by widening the declared kind with what the
// flowchart assigns to it until nothing changes: an integer that is given 7 / 2 is a real.
void inferKinds(const Project& project, const FlowGraph& graph, VariableTable& variables,
                Target target) {
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
    FormulaTranslator formulas(target, variables, scratch);
    auto widen = [](Variable* v, ValueKind kind) {
        if (v != nullptr && v->kind != ValueKind::Array && joined(v->kind, kind) != v->kind) {
            v->kind = joined(v->kind, kind);
            return true;
        }
        return false;
    };
    for (bool changed = true; changed;) {
        changed = false;
        for (const FlowNode& node : graph.nodes()) {
            if (node.kind != FlowNode::Action) {
                continue;
            }
            const Cell& cell = project.cell(node.cell);
            if (cell.kindCode == KindAssign) {
                if (const std::optional<Code> value = formulas.translate(cell.formula())) {
                    changed = widen(variables.find(cell.variable()), value->kind) || changed;
                }
            } else if (cell.kindCode == KindArrayWrite) {
                Variable* array = variables.find(cell.variable());
                const Variable* value = variables.find(cell.arrayOther());
                if (array != nullptr && value != nullptr) {
                    const ValueKind element =
                        value->kind == ValueKind::Bool ? ValueKind::Int : value->kind;
                    const ValueKind wider = joined(array->elementKind, element);
                    changed = changed || wider != array->elementKind;
                    array->elementKind = wider;
                }
            } else if (cell.kindCode == KindArrayRead) {
                if (const Variable* array = variables.find(cell.variable())) {
                    changed =
                        widen(variables.find(cell.arrayOther()), array->elementKind) || changed;
                }
            } else if (cell.kindCode == KindReadWrite && cell.readWriteMode() == 0) {
                // A pupil may type any numbers into an array, fractions too.
                Variable* array = variables.find(cell.variable());
                if (array != nullptr && array->kind == ValueKind::Array) {
                    const ValueKind wider = joined(array->elementKind, ValueKind::Real);
                    changed = changed || wider != array->elementKind;
                    array->elementKind = wider;
                }
            } else if (cell.kindCode == KindRandom) {
                changed = widen(variables.find(cell.variable()), ValueKind::Int) || changed;
            }
        }
    }
}

// The start value of a variable as a literal of its kind.
std::optional<QString> startValue(const Variable& v, Target target, FormulaTranslator& formulas) {
    switch (v.kind) {
        case ValueKind::Text:
            return formulas.textLiteral(withoutQuotes(v.start));
        case ValueKind::Array: {
            QStringList items;
            for (const QString& e : arrayElements(v.start)) {
                items << formulas.textLiteral(e);
            }
            const QString list = items.join(QStringLiteral(", "));
            return target == Target::Cpp ? u'{' + list + u'}' : u'[' + list + u']';
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
    if (v.kind == ValueKind::Bool && target == Target::Cpp) {
        return *value >= 1 ? QStringLiteral("true") : QStringLiteral("false");
    }
    if (v.kind == ValueKind::Real) {
        return calc::formatNumber(*value);
    }
    return calc::integerText(static_cast<qint64>(*value));
}

QString cppType(ValueKind kind) {
    switch (kind) {
        case ValueKind::Bool:
            return QStringLiteral("bool");
        case ValueKind::Int:
            return QStringLiteral("long long");
        case ValueKind::Real:
            return QStringLiteral("double");
        case ValueKind::Text:
            return QStringLiteral("std::string");
        case ValueKind::Array:
            return QStringLiteral("std::vector<std::string>");
    }
    return QString();
}

}  // namespace

// The check's draws made again at the start of main.
QStringList CodeGenerator::checkDraws(bool cpp) const {
    if (m_checkDraws.empty()) {
        return {};
    }
    QStringList ranges;
    for (const auto& [low, high] : m_checkDraws) {
        ranges
            << (cpp ? QStringLiteral("{%1, %2}") : QStringLiteral("(%1, %2)")).arg(low).arg(high);
    }
    QStringList lines = commentLines(m_target, m_texts.text(texts::CodeCheckDraws));
    const QString list = ranges.join(QStringLiteral(", "));
    if (cpp) {
        lines << QStringLiteral("const long long check_draws[][2] = {") + list +
                     QStringLiteral("};")
              << QStringLiteral("for (const auto& range : check_draws) {")
              << QStringLiteral("    draw(range[0], range[1]);") << QStringLiteral("}");
    } else {
        lines << QStringLiteral("for low, high in (") + list +
                     (ranges.size() == 1 ? QStringLiteral(",):") : QStringLiteral("):"))
              << QStringLiteral("    draw(low, high)");
    }
    return lines;
}

GeneratedCode CodeGenerator::generate(const QString& title) const {
    GeneratedCode result;
    FlowGraph graph;
    result.status = graph.build(m_project);
    if (!result.ok()) {
        return result;
    }
    VariableTable variables(m_project, m_target);
    inferKinds(m_project, graph, variables, m_target);
    HelperSet helpers;
    FormulaTranslator formulas(m_target, variables, helpers);
    BlockWriter blocks(m_project, graph, m_target, variables, formulas, m_texts);
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
    for (const Variable& v : variables.all()) {
        const std::optional<QString> start = startValue(v, m_target, formulas);
        if (!start) {
            result.status = Status::error(texts::CodegenStartNoNumber, {v.name});
            return result;
        }
        variableLines << declaration(v, *start);
        if (v.kind == ValueKind::Array) {
            helpers.insert(QStringLiteral("vector"));
        }
    }
    result.ownCodeStart = writeHead(title, helpers, variableLines, declarations, result.lines);
    result.lines.insert(result.lines.end(), body.begin(), body.end());
    if (m_target == Target::Python) {
        result.lines.push_back({QStringLiteral("if __name__ == \"__main__\":"), std::nullopt});
        result.lines.push_back(
            {QStringLiteral("    sys.stdout.reconfigure(encoding=\"utf-8\")"), std::nullopt});
        result.lines.push_back({QStringLiteral("    main()"), std::nullopt});
    }
    while (!result.lines.empty() && result.lines.back().text.isEmpty()) {
        result.lines.pop_back();
    }
    return result;
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
    const bool python = m_target == Target::Python;
    const bool cpp = m_target == Target::Cpp;
    const std::optional<CellRef> start = m_project.findKind(KindStart, routine.board);
    bool fallback = false;
    const std::vector<Statement> statements = Structurer(graph).structure(routine, &fallback);
    *dispatched += fallback ? 1 : 0;
    const QString name = main ? QStringLiteral("main") : blocks.procedureName(routine.board);
    const std::size_t header = out.size();
    if (python) {
        out.line(QStringLiteral("def ") + name + QStringLiteral("():"), start);
    } else if (cpp) {
        out.line(main ? QStringLiteral("int main() {")
                      : QStringLiteral("void ") + name + QStringLiteral("() {"),
                 start);
        if (!main) {
            declarations << QStringLiteral("void ") + name + QStringLiteral("();");
        }
    } else {
        if (!main) {
            out.line(m_texts.text(texts::CodeProcedure) + u' ' + name, start);
        }
        out.line(m_texts.text(texts::CodeBegin), start);
    }
    out.indent();
    if (python && !variables.all().empty()) {
        QStringList globals;
        for (const Variable& v : variables.all()) {
            globals << v.identifier;
        }
        out.line(QStringLiteral("global ") + globals.join(QStringLiteral(", ")));
    }
    std::size_t mark = out.size();
    StatementWriter writer(m_target, blocks, graph, m_texts, out);
    if (!writer.routine(statements, main)) {
        return false;
    }
    if (main && m_target != Target::Pseudo && helpers.contains(QStringLiteral("random_below"))) {
        QStringList prologue;
        if (cpp) {
            // The seed comes from the command line, as with trevalon-cli run --seed.
            body[header].text = QStringLiteral("int main(int argc, char** argv) {");
            prologue << QStringLiteral("seed_from_arguments(argc, argv);");
        }
        prologue << checkDraws(cpp);
        for (const QString& line : prologue) {
            body.insert(body.begin() + static_cast<std::ptrdiff_t>(mark++),
                        GeneratedLine{line.isEmpty() ? line : unit + line, std::nullopt});
        }
    }
    out.dedent();
    if (cpp) {
        out.line(QStringLiteral("}"));
    } else if (!python) {
        out.line(m_texts.text(texts::CodeEnd));
    }
    out.line(QString());
    if (python) {
        out.line(QString());
    }
    return true;
}

QString CodeGenerator::declaration(const Variable& v, const QString& start) const {
    switch (m_target) {
        case Target::Python:
            return v.identifier + QStringLiteral(" = ") + start;
        case Target::Cpp:
            return cppType(v.kind) + u' ' + v.identifier + QStringLiteral(" = ") + start + u';';
        case Target::Pseudo:
            break;
    }
    return v.identifier + QStringLiteral(": ") +
           m_texts.text(texts::TypeNameInteger + std::clamp(v.type, 1, 7) - 1) +
           QStringLiteral(" = ") + start;
}

// What comes before the routines: a heading, the prelude, the variables, C++'s declarations.
int CodeGenerator::writeHead(const QString& title, const HelperSet& helpers,
                             const QStringList& variables, const QStringList& declarations,
                             std::vector<GeneratedLine>& lines) const {
    LineWriter file(lines, QStringLiteral("    "));
    const QStringList heading =
        commentLines(m_target, m_texts.text(texts::CodeGeneratedFrom).arg(title));
    switch (m_target) {
        case Target::Python:
            // The second line says the encoding, so that no comment below can: Python reads a
            // "coding:" in either of the first two lines, and a title may hold one.
            file.line(QStringLiteral("#!/usr/bin/env python3"));
            file.line(QStringLiteral("# -*- coding: utf-8 -*-"));
            for (const QString& line : heading) {
                file.line(line);
            }
            break;
        case Target::Cpp:
            for (const QString& line : heading) {
                file.line(line);
            }
            break;
        case Target::Pseudo:
            file.line(m_texts.text(texts::CodeAlgorithm) + u' ' + commentText(m_target, title));
            if (!variables.isEmpty()) {
                file.line(m_texts.text(texts::CodeVariables));
                file.indent();
                for (const QString& line : variables) {
                    file.line(line);
                }
                file.dedent();
            }
            return 0;
    }
    file.line(QString());
    for (const QString& line :
         Prelude::lines(m_target, helpers, m_texts.language() != QLatin1String("pl"))) {
        file.line(line);
    }
    const int ownCode = static_cast<int>(lines.size());
    for (const QString& line : variables) {
        file.line(line);
    }
    file.line(QString());
    if (m_target == Target::Python) {
        file.line(QString());
    }
    for (const QString& d : declarations) {
        file.line(d);
    }
    if (!declarations.isEmpty()) {
        file.line(QString());
    }
    return ownCode;
}

}  // namespace trevalon::codegen
