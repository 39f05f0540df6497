#include <algorithm>

#include "calc/ExprNode.h"
#include "codegen/LineWriter.h"
#include "codegen/SourceText.h"
#include "codegen/TargetLanguage.h"
#include "config/TextIds.h"
#include "config/TextTable.h"

namespace trevalon::codegen {
namespace {

// School pseudo-code in the text table's language: it is read, not run, so values are written
// as the flowchart writes them, with no conversions and no helpers, and its words (`jeżeli`,
// `dopóki`, ...) come from the table. Names and texts are written as Python writes them.
class PseudoTarget : public TargetLanguage {
public:
    using TargetLanguage::TargetLanguage;

    QString comment(const QString& text) const override { return pythonComment(text); }
    QString literal(const QString& text) const override { return pythonString(text); }
    // A name is kept, what it holds unseen written as comments write it.
    QString identifierBase(const QString& name) const override { return pythonComment(name); }
    QString numbered(const QString& base, int n) const override {
        return base + QString::number(n);
    }
    bool isReserved(const QString&) const override { return false; }

    Code asText(const Code& code, HelperSet&) const override { return code; }
    Code asInteger(const Code& code, HelperSet&) const override { return code; }
    Code asTruth(const Code& code, HelperSet&) const override { return code; }
    Code storedAs(const Code& code, ValueKind, HelperSet&) const override { return code; }
    Code shown(const Code& value, int, int, HelperSet&) const override { return value; }

    Code keptDigits(const Code& code, HelperSet&) const override { return code; }
    Code clock(const QString& name, bool, bool, HelperSet&) const override {
        return Code{name, ValueKind::Text, true};
    }
    Code operation(const Operation& o, HelperSet&) const override {
        return infix(o.left, sign(o.op), o.right, o.result);
    }
    Code comparison(int op, const Code& left, const Code& right, HelperSet& used) const override {
        static const char* const kSigns[] = {"=", "<", "<=", ">", ">=", "<>"};
        return infix(asNumber(left, used), QLatin1String(kSigns[op - op::Equal]),
                     asNumber(right, used), ValueKind::Bool);
    }
    Code membership(const Code& value, const QString& set, const std::vector<Code>&,
                    HelperSet&) const override {
        return Code{wrapped(value) + QStringLiteral(" in ") + comment(set), ValueKind::Bool, false};
    }
    QString argument(const Code& code, QChar, bool, HelperSet&) const override { return code.text; }
    Code function(const FunctionCall& f, HelperSet&) const override {
        return Code{f.written + f.arguments.join(QStringLiteral(", ")) + u')', f.result, true};
    }

    QString assignment(const QString& target, const QString& value) const override {
        return target + QStringLiteral(" ← ") + value;
    }
    QString procedureCall(const QString& procedure) const override {
        return word(texts::CodeCall) + u' ' + procedure;
    }
    QString leave(bool) const override { return word(texts::CodeReturn); }
    QString halt(bool) const override { return word(texts::CodeStop); }
    QString abort(const QString&, HelperSet&) const override { return word(texts::CodeError); }
    QString printLine(const std::vector<ShownPart>& parts, HelperSet&) const override {
        return word(texts::CodeWrite) + u' ' + listed(parts);
    }
    QString textArgument(const std::vector<ShownPart>& parts, HelperSet&) const override {
        return listed(parts);
    }
    QString question(const QString& question, const std::optional<Code>& variable,
                     HelperSet&) const override {
        return word(texts::CodeAsk) + u' ' + question +
               (variable ? QStringLiteral(" → ") + variable->text : QString());
    }
    QString random(const Code& variable, qint64 bound, HelperSet&) const override {
        return assignment(variable.text, word(texts::CodeRandom) + u' ' + QString::number(bound));
    }
    QStringList read(const Code& variable, int, const QString& prompt, HelperSet&) const override {
        return {word(texts::CodeWrite) + u' ' + prompt,
                word(texts::CodeRead) + u' ' + variable.text};
    }
    QString arrayWrite(const Code& array, const Code& index, const Code& value,
                       HelperSet&) const override {
        return assignment(array.text + u'[' + index.text + u']', value.text);
    }
    QString arrayRead(const Code& array, ValueKind, const Code& index, const Code& value,
                      HelperSet&) const override {
        return assignment(value.text, array.text + u'[' + index.text + u']');
    }
    QString condition(const Code& test) const override { return test.text; }
    QString negation(const QString& test) const override {
        return word(texts::CodeNot) + QStringLiteral(" (") + test + u')';
    }

    QString ifHead(const QString& test) const override {
        return word(texts::CodeIf) + u' ' + test + u' ' + word(texts::CodeThen);
    }
    QString elseHead() const override { return word(texts::CodeElse); }
    QString ifEnd() const override { return word(texts::CodeEndIf); }
    QString whileHead(const QString& test) const override {
        return word(texts::CodeWhile) + u' ' + test + u' ' + word(texts::CodeDo);
    }
    QString foreverHead() const override { return word(texts::CodeForever); }
    QString whileEnd() const override { return word(texts::CodeEndWhile); }
    QString foreverEnd() const override { return word(texts::CodeEndRepeat); }
    // Repeats until the break test holds.
    std::optional<EndTestedLoop> endTestedLoop() const override {
        return EndTestedLoop{word(texts::CodeRepeat), false};
    }
    QString endTestedFoot(const QString& test) const override {
        return word(texts::CodeUntil) + u' ' + test;
    }
    QString breakStatement() const override { return word(texts::CodeBreak); }
    QString continueStatement() const override { return word(texts::CodeContinue); }
    QString stateName() const override { return word(texts::CodeState); }
    QString caseHead(int index) const override {
        return ifHead(stateName() + QStringLiteral(" = ") + QString::number(index));
    }
    QString stateChoice(const QString& test, const QString& yes, const QString& no) const override {
        return ifHead(test) + u' ' + assignment(stateName(), yes) + u' ' + elseHead() + u' ' +
               assignment(stateName(), no);
    }
    QString caseEnd() const override { return ifEnd(); }

    QStringList routineHead(const QString& name, bool main) const override {
        QStringList lines;
        if (!main) {
            lines << word(texts::CodeProcedure) + u' ' + name;
        }
        return lines << word(texts::CodeBegin);
    }
    QStringList routineEnd() const override { return {word(texts::CodeEnd), QString()}; }
    QString declaration(const QString& identifier, ValueKind, int type,
                        const QString& start) const override {
        return identifier + QStringLiteral(": ") +
               word(texts::TypeNameInteger + std::clamp(type, 1, 7) - 1) + QStringLiteral(" = ") +
               start;
    }
    // The title and the variables; there are no helpers.
    int writeHead(const FileHead& head, std::vector<GeneratedLine>& lines) const override {
        LineWriter file(lines, QStringLiteral("    "));
        file.line(word(texts::CodeAlgorithm) + u' ' + comment(head.title));
        if (!head.variables.isEmpty()) {
            file.line(word(texts::CodeVariables));
            file.indent();
            for (const QString& line : head.variables) {
                file.line(line);
            }
            file.dedent();
        }
        return 0;
    }

private:
    QString commentMark() const override { return QStringLiteral("# "); }

    static QString sign(int op) {
        switch (op) {
            case op::Plus:
                return QStringLiteral("+");
            case op::Minus:
                return QStringLiteral("-");
            case op::Times:
                return QStringLiteral("*");
            case op::Divide:
                return QStringLiteral("/");
            case op::Power:
                return QStringLiteral("^");
            case op::Div:
                return QStringLiteral("div");
            case op::Mod:
                return QStringLiteral("mod");
            case op::Concat:
                return QStringLiteral("||");
            case op::Like:
                return QStringLiteral("like");
            case op::Wildcard:
                return QStringLiteral("wildcard");
            case op::And:
                return QStringLiteral("and");
            default:
                return QStringLiteral("or");
        }
    }

    // The parts as a list of what `write` prints.
    QString listed(const std::vector<ShownPart>& parts) const {
        QStringList pieces;
        for (const ShownPart& p : parts) {
            if (!p.literal.isEmpty()) {
                pieces << literal(p.literal);
            }
            if (p.value) {
                pieces << p.value->text;
            }
        }
        if (pieces.isEmpty()) {
            pieces << QStringLiteral("\"\"");
        }
        return pieces.join(QStringLiteral(", "));
    }
};

}  // namespace

std::unique_ptr<const TargetLanguage> makePseudoTarget(const TextTable& texts) {
    return std::make_unique<PseudoTarget>(texts);
}

}  // namespace trevalon::codegen
