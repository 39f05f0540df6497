#include "codegen/BlockWriter.h"

#include <algorithm>

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

QString BlockWriter::statement(const QString& text) const {
    return m_target == Target::Cpp ? text + u';' : text;
}

QString BlockWriter::procedureName(int board) {
    QString& name = m_procedures[board - 1];
    if (name.isEmpty()) {
        name = m_variables.identifier(m_project.board(board).name);
    }
    return name;
}

// A comment text cut into its plain parts and the values it inserts; `&` is a line break.
std::vector<BlockWriter::Part> BlockWriter::rendered(const QString& comment) {
    std::vector<Part> parts;
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
    parts.push_back(Part{literal, std::nullopt});
    return parts;
}

BlockWriter::Part BlockWriter::valuePart(QString literal, const QString& name, int precision) {
    const Variable* v = m_variables.find(name);
    const bool text = v != nullptr && (v->kind == ValueKind::Text || v->kind == ValueKind::Array);
    return Part{std::move(literal), shown(name, precision), text};
}

// A variable's value as a write block or a comment shows it, by its declared type.
std::optional<Code> BlockWriter::shown(const QString& name, int precision) {
    const Variable* v = m_variables.find(name);
    if (v == nullptr) {
        return std::nullopt;  // a name that is no variable shows nothing
    }
    const Code value{v->identifier, v->kind, true};
    if (m_target == Target::Pseudo) {
        return value;
    }
    if (v->type == TypeReal) {
        const Code number = m_formulas.asNumber(value);
        const int digits = precision >= 0 && precision <= 6 ? precision : 7;
        m_formulas.use(QStringLiteral("real_text"));
        return Code{QStringLiteral("real_text(%1, %2)").arg(number.text).arg(digits),
                    ValueKind::Text, true};
    }
    if (value.kind == ValueKind::Int ||
        (value.kind == ValueKind::Bool && m_target == Target::Python)) {
        return value;
    }
    return m_formulas.asText(value);
}

QString BlockWriter::output(const std::vector<Part>& parts) {
    if (m_target == Target::Python) {
        QString text;
        for (const Part& p : parts) {
            QString literal = m_formulas.textLiteral(p.literal);
            literal = literal.mid(1, literal.size() - 2);
            text += literal.replace(u'{', QStringLiteral("{{")).replace(u'}', QStringLiteral("}}"));
            if (p.value) {
                text += u'{' + p.value->text + u'}';
            }
        }
        const bool plain = !text.contains(u'{') && !text.contains(u'}');
        return plain ? u'"' + text + u'"' : QStringLiteral("f\"") + text + u'"';
    }
    QStringList pieces;
    for (const Part& p : parts) {
        if (!p.literal.isEmpty()) {
            QString literal = m_formulas.textLiteral(p.literal);
            if (m_target == Target::Cpp && !p.literal.contains(QChar(0))) {
                literal.chop(1);  // a plain C string is enough for a stream, unless it holds a NUL
            }
            pieces << literal;
        }
        if (p.value) {
            pieces << p.value->text;
        }
    }
    if (pieces.isEmpty()) {
        pieces << (m_target == Target::Cpp ? QStringLiteral("\"\"") : QStringLiteral("\"\""));
    }
    return pieces.join(m_target == Target::Cpp ? QStringLiteral(" << ") : QStringLiteral(", "));
}

// The statement that prints the parts as one line. `run` prints a dialog's text with each
// LF CR, CR LF and lone CR as a line break; `lines` does that where a CR may be.
QString BlockWriter::printLine(const std::vector<Part>& parts) {
    const bool breaks = std::any_of(parts.begin(), parts.end(), [](const Part& p) {
        return p.textValue || p.literal.contains(u'\r');
    });
    if (m_target == Target::Pseudo) {
        return m_texts.text(texts::CodeWrite) + u' ' + output(parts);
    }
    if (breaks) {
        m_formulas.use(QStringLiteral("lines"));
    }
    if (m_target == Target::Python) {
        const QString what = output(parts);
        return QStringLiteral("print(") + (breaks ? QStringLiteral("lines(") + what + u')' : what) +
               u')';
    }
    return QStringLiteral("std::cout << ") +
           (breaks ? QStringLiteral("lines(") + textArgument(parts) + u')' : output(parts)) +
           QStringLiteral(" << '\\n';");
}

// The rendered comment as one text value, for a prompt or a question.
QString BlockWriter::textArgument(const std::vector<Part>& parts) {
    if (m_target != Target::Cpp) {
        return output(parts);
    }
    QStringList pieces;
    for (const Part& p : parts) {
        if (!p.literal.isEmpty() || pieces.isEmpty()) {
            pieces << m_formulas.textLiteral(p.literal);
        }
        if (p.value) {
            pieces << m_formulas.asText(*p.value).text;
        }
    }
    return pieces.join(QStringLiteral(" + "));
}

QString BlockWriter::store(const Variable& variable, const Code& value) const {
    const QString assign =
        m_target == Target::Pseudo ? QStringLiteral(" ← ") : QStringLiteral(" = ");
    return statement(variable.identifier + assign + value.text);
}

bool BlockWriter::write(int index, bool inMain, LineWriter& out) {
    const FlowNode& node = m_graph.nodes()[static_cast<std::size_t>(index)];
    const CellRef at = node.cell;
    const Cell& cell = m_project.cell(at);
    const bool python = m_target == Target::Python;
    const bool pseudo = m_target == Target::Pseudo;
    switch (node.kind) {
        case FlowNode::Call:
            out.line(pseudo ? m_texts.text(texts::CodeCall) + u' ' + procedureName(node.callee)
                            : statement(procedureName(node.callee) + QStringLiteral("()")),
                     at);
            return true;
        case FlowNode::Return:
            out.line(pseudo ? m_texts.text(texts::CodeReturn) : statement(QStringLiteral("return")),
                     at);
            return true;
        case FlowNode::Halt:
            if (pseudo) {
                out.line(m_texts.text(texts::CodeStop), at);
            } else if (inMain) {
                out.line(python ? QStringLiteral("return") : QStringLiteral("return 0;"), at);
            } else {
                out.line(python ? QStringLiteral("sys.exit(0)") : QStringLiteral("std::exit(0);"),
                         at);
            }
            return true;
        case FlowNode::Abort: {
            const QString message = m_texts.text(texts::BoardProcessingFailed);
            out.line(pseudo ? m_texts.text(texts::CodeError)
                            : statement(QStringLiteral("fail(") + m_formulas.textLiteral(message) +
                                        u')'),
                     at);
            if (!pseudo) {
                m_formulas.use(QStringLiteral("fail"));
            }
            return true;
        }
        default:
            break;
    }
    switch (cell.kindCode) {
        case KindAssign:
            return assignment(cell, out, at);
        case KindReadWrite:
            if (!cell.writes()) {
                return read(cell, out, at);
            }
            {
                std::vector<Part> parts = rendered(cell.prompt());
                parts.back().literal += u' ';
                parts.push_back(valuePart(QString(), cell.variable(), cell.precision()));
                parts.push_back(Part{QString(), std::nullopt});
                out.line(printLine(parts), at);
            }
            return true;
        case KindMessage:
            out.line(printLine(rendered(cell.prompt())), at);
            return true;
        case KindQuestion: {
            const QString question = textArgument(rendered(cell.prompt()));
            const Variable* v = m_variables.find(cell.variable());
            if (pseudo) {
                out.line(m_texts.text(texts::CodeAsk) + u' ' + question +
                             (v ? QStringLiteral(" → ") + v->identifier : QString()),
                         at);
                return true;
            }
            const Code answer{QStringLiteral("ask(") + question + u')',
                              python ? ValueKind::Int : ValueKind::Bool, true};
            m_formulas.use(QStringLiteral("ask"));
            out.line(v ? store(*v, m_formulas.storedAs(answer, v->kind)) : statement(answer.text),
                     at);
            return true;
        }
        case KindRandom: {
            bool ok = false;
            const qint64 bound = cell.range().trimmed().toLongLong(&ok);
            const Variable* v = m_variables.find(cell.variable());
            if (!ok || bound < 1 || v == nullptr) {
                return fail(Status::error(texts::CodegenRandomBlock, {cell.name}));
            }
            if (pseudo) {
                out.line(v->identifier + QStringLiteral(" ← ") + m_texts.text(texts::CodeRandom) +
                             u' ' + QString::number(bound),
                         at);
                return true;
            }
            m_formulas.use(QStringLiteral("random_below"));
            out.line(
                store(*v, m_formulas.storedAs(Code{QStringLiteral("random_below(%1)").arg(bound),
                                                   ValueKind::Int, true},
                                              v->kind)),
                at);
            return true;
        }
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
    out.line(store(*v, m_formulas.storedAs(*value, v->kind)), at);
    return true;
}

bool BlockWriter::read(const Cell& cell, LineWriter& out, const CellRef& at) {
    const Variable* v = m_variables.find(cell.variable());
    if (v == nullptr) {
        return fail(Status::error(texts::CodegenBlockVariable, {cell.name}));
    }
    const QString prompt = textArgument(rendered(cell.prompt()));
    if (m_target == Target::Pseudo) {
        out.line(m_texts.text(texts::CodeWrite) + u' ' + prompt, at);
        out.line(m_texts.text(texts::CodeRead) + u' ' + v->identifier, at);
        return true;
    }
    static const char* const kReaders[] = {"read_int",     "read_real",  "read_char", "read_text",
                                           "read_logical", "read_array", "read_date"};
    const int type = v->type >= 1 && v->type <= 7 ? v->type : TypeText;
    const QString reader = QLatin1String(kReaders[type - 1]);
    m_formulas.use(reader);
    Code value{reader + u'(' + prompt + u')', kindOfType(type), true};
    if (value.kind == ValueKind::Bool) {
        value.kind = ValueKind::Int;  // a logical variable may be given any whole number
    }
    out.line(store(*v, m_formulas.storedAs(value, v->kind)), at);
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
    const Code i = m_formulas.asInteger(Code{index->identifier, index->kind, true});
    if (m_target == Target::Pseudo) {
        const QString element = array->identifier + u'[' + i.text + u']';
        out.line(cell.kindCode == KindArrayWrite
                     ? element + QStringLiteral(" ← ") + value->identifier
                     : value->identifier + QStringLiteral(" ← ") + element,
                 at);
        return true;
    }
    m_formulas.use(cell.kindCode == KindArrayWrite ? QStringLiteral("put_element")
                                                   : QStringLiteral("element"));
    if (cell.kindCode == KindArrayWrite) {
        const Code v = m_formulas.asText(Code{value->identifier, value->kind, true});
        out.line(
            statement(
                QStringLiteral("put_element(%1, %2, %3)").arg(array->identifier, i.text, v.text)),
            at);
        return true;
    }
    const Code element{QStringLiteral("element(%1, %2)").arg(array->identifier, i.text),
                       ValueKind::Text, true};
    // Elements are the texts of numbers: read straight as the number kind they hold.
    const bool python = m_target == Target::Python;
    Code read = m_formulas.storedAs(element, value->kind);
    if (value->kind == ValueKind::Int && array->elementKind == ValueKind::Int) {
        read.text =
            (python ? QStringLiteral("int(") : QStringLiteral("std::stoll(")) + element.text + u')';
    } else if (value->kind == ValueKind::Real) {
        read.text = (python ? QStringLiteral("float(") : QStringLiteral("std::stod(")) +
                    element.text + u')';
    }
    out.line(store(*value, read), at);
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
    std::optional<Code> test = m_formulas.translate(formula);
    if (!test) {
        fail(m_formulas.error());
        return std::nullopt;
    }
    QString text = test->text;
    if (test->kind != ValueKind::Bool && m_target != Target::Pseudo) {
        // The comparison holds when its result is exactly the text "1".
        text = test->kind == ValueKind::Text
                   ? text + QStringLiteral(" == ") + m_formulas.textLiteral(QStringLiteral("1"))
                   : text + QStringLiteral(" == 1");
    }
    if (!negated) {
        return text;
    }
    switch (m_target) {
        case Target::Python:
            return QStringLiteral("not (") + text + u')';
        case Target::Cpp:
            return QStringLiteral("!(") + text + u')';
        case Target::Pseudo:
            break;
    }
    return m_texts.text(texts::CodeNot) + QStringLiteral(" (") + text + u')';
}

}  // namespace trevalon::codegen
