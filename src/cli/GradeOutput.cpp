#include "cli/GradeOutput.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "config/OutsideText.h"

namespace trevalon::cli {
namespace {

QString pointsText(const SubmissionResult& result) {
    return (result.graded ? QString::number(result.points) : QStringLiteral("-")) + u'/' +
           QString::number(result.maxPoints);
}

}  // namespace

void TableOutput::begin(const TestSuite& suite, const QStringList& paths) {
    for (const QString& path : paths) {
        m_nameWidth = std::max(m_nameWidth, submissionName(path).size());
    }
    m_pointsWidth = 2 * QString::number(suite.maxPoints()).size() + 1;
    const QString title = suite.title.isEmpty() ? QStringLiteral("Tests") : shownText(suite.title);
    m_out << title << ": " << suite.cases.size() << " cases, " << suite.maxPoints() << " points\n";
    m_out.flush();
}

void TableOutput::submission(const SubmissionResult& result) {
    m_out << result.name.leftJustified(m_nameWidth) << "  "
          << pointsText(result).rightJustified(m_pointsWidth) << "  ";
    if (result.graded) {
        for (const CaseResult& c : result.cases) {
            m_out << outcomeMark(c.outcome);
        }
    } else {
        m_out << "!  " << shownText(result.problem);
    }
    m_out << '\n';
    m_out.flush();
}

void JsonOutput::begin(const TestSuite& suite, const QStringList&) {
    m_suite = &suite;
}

void JsonOutput::submission(const SubmissionResult& result) {
    QJsonArray cases;
    for (std::size_t i = 0; i < result.cases.size(); ++i) {
        const CaseResult& c = result.cases[i];
        cases.append(
            QJsonObject{{QStringLiteral("name"), m_suite->cases[i].name},
                        {QStringLiteral("outcome"), outcomeCode(c.outcome)},
                        {QStringLiteral("points"), c.points},
                        {QStringLiteral("maxPoints"), c.maxPoints},
                        {QStringLiteral("steps"), c.steps},
                        {QStringLiteral("reason"), c.reason},
                        {QStringLiteral("expected"), QJsonArray::fromStringList(c.expected)},
                        {QStringLiteral("actual"), QJsonArray::fromStringList(c.actual)}});
    }
    const QJsonObject object{{QStringLiteral("submission"), result.name},
                             {QStringLiteral("path"), shownText(result.path)},
                             {QStringLiteral("graded"), result.graded},
                             {QStringLiteral("problem"), result.problem},
                             {QStringLiteral("points"), result.points},
                             {QStringLiteral("maxPoints"), result.maxPoints},
                             {QStringLiteral("cases"), cases}};
    m_out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)) << '\n';
    m_out.flush();
}

void CsvOutput::begin(const TestSuite& suite, const QStringList&) {
    m_cases = suite.cases.size();
    QStringList header{QStringLiteral("Submission"), QStringLiteral("Points"),
                       QStringLiteral("Max")};
    for (const TestCase& c : suite.cases) {
        header << csvCell(c.name);
    }
    header << QStringLiteral("Problem");
    m_out << header.join(u',') << "\r\n";
}

void CsvOutput::submission(const SubmissionResult& result) {
    QStringList row{csvCell(result.name),
                    result.graded ? QString::number(result.points) : QString(),
                    QString::number(result.maxPoints)};
    for (std::size_t i = 0; i < m_cases; ++i) {
        row << (result.graded ? QString::number(result.cases[i].points) : QString());
    }
    row << csvCell(result.problem);
    m_out << row.join(u',') << "\r\n";
    m_out.flush();
}

}  // namespace trevalon::cli
