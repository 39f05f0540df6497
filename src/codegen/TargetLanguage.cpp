#include "codegen/TargetLanguage.h"

#include <algorithm>

#include "calc/Values.h"
#include "codegen/LineWriter.h"
#include "config/TextTable.h"

namespace trevalon::codegen {

std::unique_ptr<const TargetLanguage> makeTargetLanguage(Target target, const TextTable& texts) {
    using Factory = std::unique_ptr<const TargetLanguage> (*)(const TextTable&);
    // In the order of Target's values.
    static constexpr Factory kFactories[] = {makePythonTarget, makeCppTarget, makePseudoTarget};
    return kFactories[static_cast<std::size_t>(target)](texts);
}

bool mayBreakLines(const std::vector<ShownPart>& parts) {
    return std::any_of(parts.begin(), parts.end(),
                       [](const ShownPart& p) { return p.textValue || p.literal.contains(u'\r'); });
}

QString TargetLanguage::word(int number) const {
    return m_texts.text(number);
}

QStringList TargetLanguage::commentLines(const QString& text) const {
    QStringList lines;
    for (const QString& line : wrappedWords(text, 90)) {
        lines << commentMark() + comment(line);
    }
    return lines;
}

// "a_" goes on as "a_2", never "a__2", which C++ reserves.
QString TargetLanguage::numbered(const QString& base, int n) const {
    return base + (base.endsWith(u'_') ? QString() : QStringLiteral("_")) + QString::number(n);
}

Code TargetLanguage::call(const QString& helper, const QStringList& arguments, ValueKind kind,
                          HelperSet& used) const {
    used.insert(helper);
    return Code{helper + u'(' + arguments.join(QStringLiteral(", ")) + u')', kind, true};
}

Code TargetLanguage::asNumber(const Code& code, HelperSet& used) const {
    if (code.kind == ValueKind::Text) {
        return call(QStringLiteral("num"), {code.text}, ValueKind::Real, used);
    }
    return code;
}

QString TargetLanguage::truthValue(long double value) const {
    return calc::integerText(static_cast<qint64>(value));
}

QString TargetLanguage::arrayLiteral(const QStringList& elements) const {
    return u'[' + elements.join(QStringLiteral(", ")) + u']';
}

QString TargetLanguage::statement(const QString& text) const {
    return text;
}

QString TargetLanguage::assignment(const QString& target, const QString& value) const {
    return statement(target + QStringLiteral(" = ") + value);
}

QString TargetLanguage::procedureCall(const QString& procedure) const {
    return statement(procedure + QStringLiteral("()"));
}

QString TargetLanguage::emptyBody() const {
    return QString();
}

std::optional<EndTestedLoop> TargetLanguage::endTestedLoop() const {
    return std::nullopt;
}

QString TargetLanguage::endTestedFoot(const QString&) const {
    return QString();
}

QString TargetLanguage::stateName() const {
    return QStringLiteral("state");
}

// The machine stops when the flow reaches the block after it: state -1.
QStringList TargetLanguage::dispatchStart() const {
    return {assignment(stateName(), QStringLiteral("0"))};
}

QStringList TargetLanguage::dispatchHeads() const {
    return {whileHead(stateName() + QStringLiteral(" >= 0"))};
}

QStringList TargetLanguage::dispatchEnds() const {
    return {whileEnd()};
}

QString TargetLanguage::caseBreak() const {
    return QString();
}

QString TargetLanguage::caseEnd() const {
    return QString();
}

QString TargetLanguage::routineDeclaration(const QString&) const {
    return QString();
}

QStringList TargetLanguage::routinePrologue(const QStringList&) const {
    return {};
}

QStringList TargetLanguage::seeding(const std::vector<std::pair<qint64, qint64>>&) const {
    return {};
}

QString TargetLanguage::seededMainHead() const {
    return QString();
}

QStringList TargetLanguage::fileEnd() const {
    return {};
}

}  // namespace trevalon::codegen
