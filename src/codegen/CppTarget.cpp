#include "calc/ExprNode.h"
#include "codegen/Prelude.h"
#include "codegen/ProgramTarget.h"
#include "codegen/SourceText.h"
#include "config/TextIds.h"
#include "config/TextTable.h"

namespace trevalon::codegen {
namespace {

const PreludeHelper kHelpers[] = {
#include "codegen/PreludeCpp.inc"
};

// C++17 with the standard library only: values are long long, double, bool and std::string,
// an array a std::vector of the texts of its elements, a write block a chain of `<<`.
class CppTarget : public ProgramTarget {
public:
    using ProgramTarget::ProgramTarget;

    QString comment(const QString& text) const override { return cppComment(text); }
    QString literal(const QString& text) const override { return cppString(text); }
    QString identifierBase(const QString& name) const override { return asciiIdentifier(name); }
    bool isReserved(const QString& word) const override { return isCppReserved(word); }

    // The standard library has abs, sin, cos and exp already.
    Code call(const QString& helper, const QStringList& arguments, ValueKind kind,
              HelperSet& used) const override {
        static const QStringList kStandard = {QStringLiteral("abs"), QStringLiteral("sin"),
                                              QStringLiteral("cos"), QStringLiteral("exp")};
        if (!kStandard.contains(helper)) {
            return ProgramTarget::call(helper, arguments, kind, used);
        }
        used.insert(QStringLiteral("cmath"));
        const QString name = helper == QLatin1String("abs") ? QStringLiteral("std::fabs")
                                                            : QStringLiteral("std::") + helper;
        return Code{name + u'(' + arguments.join(QStringLiteral(", ")) + u')', kind, true};
    }
    QString truthValue(long double value) const override {
        return value >= 1 ? QStringLiteral("true") : QStringLiteral("false");
    }
    QString arrayLiteral(const QStringList& elements) const override {
        return u'{' + elements.join(QStringLiteral(", ")) + u'}';
    }

    QString statement(const QString& text) const override { return text + u';'; }
    QString leave(bool inMain) const override {
        return inMain ? QStringLiteral("return 0;") : QStringLiteral("return;");
    }
    QString halt(bool inMain) const override {
        return inMain ? QStringLiteral("return 0;") : QStringLiteral("std::exit(0);");
    }
    QString printLine(const std::vector<ShownPart>& parts, HelperSet& used) const override;
    QString textArgument(const std::vector<ShownPart>& parts, HelperSet& used) const override;
    QString negation(const QString& test) const override {
        return QStringLiteral("!(") + test + u')';
    }

    QString ifHead(const QString& test) const override {
        return QStringLiteral("if (") + test + QStringLiteral(") {");
    }
    QString elseHead() const override { return QStringLiteral("} else {"); }
    QString ifEnd() const override { return QStringLiteral("}"); }
    QString whileHead(const QString& test) const override {
        return QStringLiteral("while (") + test + QStringLiteral(") {");
    }
    QString foreverHead() const override { return QStringLiteral("while (true) {"); }
    QString whileEnd() const override { return QStringLiteral("}"); }
    QString foreverEnd() const override { return QStringLiteral("}"); }
    // Goes on while the break test fails.
    std::optional<EndTestedLoop> endTestedLoop() const override {
        return EndTestedLoop{QStringLiteral("do {"), true};
    }
    QString endTestedFoot(const QString& test) const override {
        return QStringLiteral("} while (") + test + QStringLiteral(");");
    }
    QStringList dispatchStart() const override { return {}; }
    QStringList dispatchHeads() const override {
        return {QStringLiteral("for (int state = 0; state >= 0;) {"),
                QStringLiteral("switch (state) {")};
    }
    QStringList dispatchEnds() const override { return {QStringLiteral("}"), QStringLiteral("}")}; }
    QString caseHead(int index) const override {
        return QStringLiteral("case ") + QString::number(index) + u':';
    }
    QString stateChoice(const QString& test, const QString& yes, const QString& no) const override {
        return assignment(stateName(),
                          test + QStringLiteral(" ? ") + yes + QStringLiteral(" : ") + no);
    }
    QString caseBreak() const override { return QStringLiteral("break;"); }

    QStringList routineHead(const QString& name, bool main) const override {
        return {main ? QStringLiteral("int main() {")
                     : QStringLiteral("void ") + name + QStringLiteral("() {")};
    }
    QStringList routineEnd() const override { return {QStringLiteral("}"), QString()}; }
    QString routineDeclaration(const QString& name) const override {
        return QStringLiteral("void ") + name + QStringLiteral("();");
    }
    QStringList seeding(const std::vector<std::pair<qint64, qint64>>& draws) const override;
    // The seed comes from the command line, as with trevalon-cli run --seed.
    QString seededMainHead() const override {
        return QStringLiteral("int main(int argc, char** argv) {");
    }
    QString declaration(const QString& identifier, ValueKind kind, int,
                        const QString& start) const override {
        return typeName(kind) + u' ' + identifier + QStringLiteral(" = ") + start + u';';
    }

protected:
    Code wholeAsText(const Code& code) const override {
        return Code{QStringLiteral("std::to_string(") + code.text + u')', ValueKind::Text, true};
    }
    Code literalDivision(const Code& a, const Code& b) const override {
        if (a.kind == ValueKind::Real || b.kind == ValueKind::Real) {
            return infix(a, QStringLiteral("/"), b, ValueKind::Real);
        }
        const Code real{QStringLiteral("static_cast<double>(") + a.text + u')', ValueKind::Real,
                        true};
        return infix(real, QStringLiteral("/"), b, ValueKind::Real);
    }
    Code power(const Code& a, const Code& b) const override {
        return Code{QStringLiteral("std::pow(") + a.text + QStringLiteral(", ") + b.text + u')',
                    ValueKind::Real, true};
    }
    // By a literal the language's own operators round towards zero as `div` and `mod` do.
    Code wholeDivision(const Operation& o, HelperSet& used) const override {
        if (!o.literalDivisor) {
            return ProgramTarget::wholeDivision(o, used);
        }
        return infix(o.left, o.op == op::Div ? QStringLiteral("/") : QStringLiteral("%"), o.right,
                     ValueKind::Int);
    }
    QString andSign() const override { return QStringLiteral("&&"); }
    QString orSign() const override { return QStringLiteral("||"); }
    QString variadicArgument(const QString& argument) const override {
        return QStringLiteral("double(") + argument + u')';
    }
    // An initializer list.
    QStringList variadicArguments(const QStringList& arguments) const override {
        return {u'{' + arguments.join(QStringLiteral(", ")) + u'}'};
    }
    ValueKind answerKind() const override { return ValueKind::Bool; }
    QString wholeFromText(const QString& text) const override {
        return QStringLiteral("std::stoll(") + text + u')';
    }
    QString realFromText(const QString& text) const override {
        return QStringLiteral("std::stod(") + text + u')';
    }
    int functionGap() const override { return 1; }
    QStringList prelude(const HelperSet& used) const override;

private:
    QString commentMark() const override { return QStringLiteral("// "); }
    QString streamed(const std::vector<ShownPart>& parts) const;
    static QString typeName(ValueKind kind);
    static QStringList includes(const HelperSet& used);
};

QString CppTarget::typeName(ValueKind kind) {
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

// The parts as the operands of `<<`.
QString CppTarget::streamed(const std::vector<ShownPart>& parts) const {
    QStringList pieces;
    for (const ShownPart& p : parts) {
        if (!p.literal.isEmpty()) {
            QString quoted = literal(p.literal);
            if (!p.literal.contains(QChar(0))) {
                quoted.chop(1);  // a plain C string is enough for a stream, unless it holds a NUL
            }
            pieces << quoted;
        }
        if (p.value) {
            pieces << p.value->text;
        }
    }
    if (pieces.isEmpty()) {
        pieces << QStringLiteral("\"\"");
    }
    return pieces.join(QStringLiteral(" << "));
}

// `run` prints a dialog's text with each LF CR, CR LF and lone CR as a line break; `lines` does
// that where a CR may be.
QString CppTarget::printLine(const std::vector<ShownPart>& parts, HelperSet& used) const {
    QString what;
    if (mayBreakLines(parts)) {
        used.insert(QStringLiteral("lines"));
        what = QStringLiteral("lines(") + textArgument(parts, used) + u')';
    } else {
        what = streamed(parts);
    }
    return QStringLiteral("std::cout << ") + what + QStringLiteral(" << '\\n';");
}

QString CppTarget::textArgument(const std::vector<ShownPart>& parts, HelperSet& used) const {
    QStringList pieces;
    for (const ShownPart& p : parts) {
        if (!p.literal.isEmpty() || pieces.isEmpty()) {
            pieces << literal(p.literal);
        }
        if (p.value) {
            pieces << asText(*p.value, used).text;
        }
    }
    return pieces.join(QStringLiteral(" + "));
}

// The seed from the command line, then the check's draws made again.
QStringList CppTarget::seeding(const std::vector<std::pair<qint64, qint64>>& draws) const {
    QStringList lines = {QStringLiteral("seed_from_arguments(argc, argv);")};
    if (draws.empty()) {
        return lines;
    }
    QStringList ranges;
    for (const auto& [low, high] : draws) {
        ranges << QStringLiteral("{%1, %2}").arg(low).arg(high);
    }
    lines << commentLines(word(texts::CodeCheckDraws));
    lines << QStringLiteral("const long long check_draws[][2] = {") +
                 ranges.join(QStringLiteral(", ")) + QStringLiteral("};")
          << QStringLiteral("for (const auto& range : check_draws) {")
          << QStringLiteral("    draw(range[0], range[1]);") << QStringLiteral("}");
    return lines;
}

QStringList CppTarget::includes(const HelperSet& used) {
    const auto uses = [&used](const char* name) { return used.contains(QLatin1String(name)); };
    QStringList headers = {QStringLiteral("algorithm"), QStringLiteral("cmath"),
                           QStringLiteral("cstdio"),    QStringLiteral("cstdlib"),
                           QStringLiteral("iostream"),  QStringLiteral("string")};
    if (uses("vector") || uses("matches")) {
        headers << QStringLiteral("vector");
    }
    if (uses("clock_text")) {
        headers << QStringLiteral("chrono") << QStringLiteral("ctime");
    }
    if (uses("read_value") || uses("read_date")) {
        headers << QStringLiteral("regex");
    }
    if (uses("random_below")) {
        headers << QStringLiteral("random");
        if (!uses("clock_text")) {
            headers << QStringLiteral("chrono");
        }
    }
    if (uses("maxval") || uses("minval") || uses("sumval") || uses("avgval")) {
        headers << QStringLiteral("initializer_list");
    }
    headers.sort();
    QStringList out;
    for (const QString& h : headers) {
        out << QStringLiteral("#include <") + h + u'>';
    }
    return out;
}

QStringList CppTarget::prelude(const HelperSet& calls) const {
    const HelperSet used = withCalledHelpers(kHelpers, calls);
    QStringList out = includes(used);
    out << QString() << QStringLiteral("using namespace std::string_literals;") << QString();
    bool constants = false;
    for (const PreludeConstant& c : preludeConstants()) {
        if (usesConstant(used, c)) {
            out << QStringLiteral("const double ") + QLatin1String(c.name) + QStringLiteral(" = ") +
                       QLatin1String(c.value) + u';';
            constants = true;
        }
    }
    if (constants) {
        out << QString();
    }
    appendHelpers(kHelpers, used, functionGap(), out);
    if (used.contains(QStringLiteral("nameday"))) {
        QStringList names;
        for (const QString& name : weekdayNames(englishNames())) {
            names << literal(name);
        }
        out << QStringLiteral("std::string nameday(long long i) {")
            << QStringLiteral("    const std::string names[] = ") + arrayLiteral(names) + u';'
            << QStringLiteral("    if (i < 1 || i > 7) {")
            << QStringLiteral(
                   "        fail(\"nameday: \" + std::to_string(i) + \" does not exist\");")
            << QStringLiteral("    }") << QStringLiteral("    return names[i - 1];")
            << QStringLiteral("}") << QString();
    }
    return out;
}

}  // namespace

std::unique_ptr<const TargetLanguage> makeCppTarget(const TextTable& texts) {
    return std::make_unique<CppTarget>(texts);
}

}  // namespace trevalon::codegen
