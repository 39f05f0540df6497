#include <algorithm>
#include <iterator>

#include "codegen/Prelude.h"
#include "codegen/ProgramTarget.h"
#include "codegen/SourceText.h"
#include "config/TextIds.h"
#include "config/TextTable.h"
#include "model/Cell.h"

namespace trevalon::codegen {
namespace {

const PreludeHelper kHelpers[] = {
#include "codegen/PreludePython.inc"
};

// The helpers that call the math module.
const char* const kMathUsers[] = {"tg",    "ln",     "square_root", "ctg", "arcsin", "arccos",
                                  "arctg", "arcctg", "sh",          "ch",  "th",     "cth"};

// Python 3: values are ints, floats and strs, a logical value an int (the prelude's `ask`
// answers 0 or 1), a write block an f-string.
class PythonTarget : public ProgramTarget {
public:
    using ProgramTarget::ProgramTarget;

    QString comment(const QString& text) const override { return pythonComment(text); }
    QString literal(const QString& text) const override { return pythonString(text); }
    QString identifierBase(const QString& name) const override { return asciiIdentifier(name); }
    bool isReserved(const QString& word) const override { return isPythonReserved(word); }

    Code asNumber(const Code& code, HelperSet& used) const override {
        if (code.kind == ValueKind::Bool) {
            return Code{QStringLiteral("int(") + code.text + u')', ValueKind::Int, true};
        }
        return ProgramTarget::asNumber(code, used);
    }
    Code storedAs(const Code& code, ValueKind kind, HelperSet& used) const override {
        if (code.kind == ValueKind::Bool && kind != ValueKind::Bool && kind != ValueKind::Text) {
            return asNumber(code, used);
        }
        return ProgramTarget::storedAs(code, kind, used);
    }
    // print() writes a logical value as the number it is.
    Code shown(const Code& value, int type, int precision, HelperSet& used) const override {
        if (type != TypeReal && value.kind == ValueKind::Bool) {
            return value;
        }
        return ProgramTarget::shown(value, type, precision, used);
    }

    QString leave(bool) const override { return QStringLiteral("return"); }
    QString halt(bool inMain) const override {
        return inMain ? QStringLiteral("return") : QStringLiteral("sys.exit(0)");
    }
    QString printLine(const std::vector<ShownPart>& parts, HelperSet& used) const override;
    QString textArgument(const std::vector<ShownPart>& parts, HelperSet&) const override {
        return formatted(parts);
    }
    QString negation(const QString& test) const override {
        return QStringLiteral("not (") + test + u')';
    }

    QString emptyBody() const override { return QStringLiteral("pass"); }
    QString ifHead(const QString& test) const override {
        return QStringLiteral("if ") + test + u':';
    }
    QString elseHead() const override { return QStringLiteral("else:"); }
    QString ifEnd() const override { return QString(); }
    QString whileHead(const QString& test) const override {
        return QStringLiteral("while ") + test + u':';
    }
    QString foreverHead() const override { return QStringLiteral("while True:"); }
    QString whileEnd() const override { return QString(); }
    QString foreverEnd() const override { return QString(); }
    QString caseHead(int index) const override {
        return (index == 0 ? QStringLiteral("if state == ") : QStringLiteral("elif state == ")) +
               QString::number(index) + u':';
    }
    QString stateChoice(const QString& test, const QString& yes, const QString& no) const override {
        return assignment(stateName(),
                          yes + QStringLiteral(" if ") + test + QStringLiteral(" else ") + no);
    }

    QStringList routineHead(const QString& name, bool) const override {
        return {QStringLiteral("def ") + name + QStringLiteral("():")};
    }
    QStringList routineEnd() const override { return {QString(), QString()}; }
    QStringList routinePrologue(const QStringList& variables) const override {
        if (variables.isEmpty()) {
            return {};
        }
        return {QStringLiteral("global ") + variables.join(QStringLiteral(", "))};
    }
    QStringList seeding(const std::vector<std::pair<qint64, qint64>>& draws) const override;
    QString declaration(const QString& identifier, ValueKind, int,
                        const QString& start) const override {
        return identifier + QStringLiteral(" = ") + start;
    }
    QStringList fileEnd() const override {
        return {QStringLiteral("if __name__ == \"__main__\":"),
                QStringLiteral("    sys.stdout.reconfigure(encoding=\"utf-8\")"),
                QStringLiteral("    main()")};
    }

protected:
    Code wholeAsText(const Code& code) const override {
        return Code{QStringLiteral("str(") + code.text + u')', ValueKind::Text, true};
    }
    Code literalDivision(const Code& a, const Code& b) const override {
        return infix(a, QStringLiteral("/"), b, ValueKind::Real);
    }
    Code power(const Code& a, const Code& b) const override {
        return infix(a, QStringLiteral("**"), b, ValueKind::Real);
    }
    QString andSign() const override { return QStringLiteral("and"); }
    QString orSign() const override { return QStringLiteral("or"); }
    QString variadicArgument(const QString& argument) const override { return argument; }
    QStringList variadicArguments(const QStringList& arguments) const override { return arguments; }
    ValueKind answerKind() const override { return ValueKind::Int; }
    QString wholeFromText(const QString& text) const override {
        return QStringLiteral("int(") + text + u')';
    }
    QString realFromText(const QString& text) const override {
        return QStringLiteral("float(") + text + u')';
    }
    // The second line says the encoding, so that no comment below can: Python reads a
    // "coding:" in either of the first two lines, and a title may hold one.
    QStringList fileStart() const override {
        return {QStringLiteral("#!/usr/bin/env python3"),
                QStringLiteral("# -*- coding: utf-8 -*-")};
    }
    int functionGap() const override { return 2; }  // PEP 8's two blank lines
    QStringList prelude(const HelperSet& used) const override;

private:
    QString commentMark() const override { return QStringLiteral("# "); }
    QString formatted(const std::vector<ShownPart>& parts) const;
    static QStringList imports(const HelperSet& used);
};

// The parts as one f-string, or a plain string when nothing is inserted.
QString PythonTarget::formatted(const std::vector<ShownPart>& parts) const {
    QString text;
    for (const ShownPart& p : parts) {
        QString quoted = literal(p.literal);
        quoted = quoted.mid(1, quoted.size() - 2);
        text += quoted.replace(u'{', QStringLiteral("{{")).replace(u'}', QStringLiteral("}}"));
        if (p.value) {
            text += u'{' + p.value->text + u'}';
        }
    }
    const bool plain = !text.contains(u'{') && !text.contains(u'}');
    return plain ? u'"' + text + u'"' : QStringLiteral("f\"") + text + u'"';
}

// `run` prints a dialog's text with each LF CR, CR LF and lone CR as a line break; `lines` does
// that where a CR may be.
QString PythonTarget::printLine(const std::vector<ShownPart>& parts, HelperSet& used) const {
    const QString what = formatted(parts);
    if (!mayBreakLines(parts)) {
        return QStringLiteral("print(") + what + u')';
    }
    used.insert(QStringLiteral("lines"));
    return QStringLiteral("print(lines(") + what + QStringLiteral("))");
}

// The check's draws made again at the start of main.
QStringList PythonTarget::seeding(const std::vector<std::pair<qint64, qint64>>& draws) const {
    if (draws.empty()) {
        return {};
    }
    QStringList ranges;
    for (const auto& [low, high] : draws) {
        ranges << QStringLiteral("(%1, %2)").arg(low).arg(high);
    }
    QStringList lines = commentLines(word(texts::CodeCheckDraws));
    lines << QStringLiteral("for low, high in (") + ranges.join(QStringLiteral(", ")) +
                 (ranges.size() == 1 ? QStringLiteral(",):") : QStringLiteral("):"))
          << QStringLiteral("    draw(low, high)");
    return lines;
}

QStringList PythonTarget::imports(const HelperSet& used) {
    QStringList out;
    const auto uses = [&used](const char* name) { return used.contains(QLatin1String(name)); };
    out << QStringLiteral("import sys");
    if (uses("date_parts") || uses("clock_text")) {
        out << QStringLiteral("import datetime");
    }
    if (uses("real_text")) {
        out << QStringLiteral("import decimal");
    }
    if (std::any_of(std::begin(kMathUsers), std::end(kMathUsers), uses)) {
        out << QStringLiteral("import math");
    }
    if (uses("read_value") || uses("read_date") || uses("replace_text") || uses("matches")) {
        out << QStringLiteral("import re");
    }
    if (uses("random_below")) {
        out << QStringLiteral("import time");
    }
    QStringList fromMath;
    for (const char* name : {"cos", "exp", "sin"}) {
        if (uses(name)) {
            fromMath << QLatin1String(name);
        }
    }
    if (!fromMath.isEmpty()) {
        out << QStringLiteral("from math import ") + fromMath.join(QStringLiteral(", "));
    }
    return out;
}

QStringList PythonTarget::prelude(const HelperSet& calls) const {
    const HelperSet used = withCalledHelpers(kHelpers, calls);
    QStringList out = imports(used);
    out << QString() << QString();
    for (const PreludeConstant& c : preludeConstants()) {
        if (usesConstant(used, c)) {
            out << QLatin1String(c.name) + QStringLiteral(" = ") + QLatin1String(c.value);
        }
    }
    if (out.last() != QString()) {
        out << QString() << QString();
    }
    appendHelpers(kHelpers, used, functionGap(), out);
    if (used.contains(QStringLiteral("nameday"))) {
        QStringList names;
        for (const QString& name : weekdayNames(englishNames())) {
            names << literal(name);
        }
        out << QStringLiteral("def nameday(i):")
            << QStringLiteral("    return ") + arrayLiteral(names) + QStringLiteral("[i - 1]")
            << QString() << QString();
    }
    return out;
}

}  // namespace

std::unique_ptr<const TargetLanguage> makePythonTarget(const TextTable& texts) {
    return std::make_unique<PythonTarget>(texts);
}

}  // namespace trevalon::codegen
