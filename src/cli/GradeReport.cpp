#include "cli/GradeReport.h"

#include <vector>

#include "cli/Commands.h"
#include "config/OutsideText.h"
#include "config/TextTable.h"
#include "grading/OutputMatch.h"
#include "model/Project.h"

namespace trevalon::cli {
namespace {

const char* const kStyle =
    "body{font-family:sans-serif;margin:2em;display:flex;flex-direction:column}"
    "#summary{order:-1}table{border-collapse:collapse}"
    "td,th{border:1px solid #bbb;padding:.2em .5em;text-align:left}"
    "section.submission{border-top:2px solid #444;margin-top:1.5em}"
    "img{max-width:100%;border:1px solid #ddd;margin:.3em}"
    "pre{background:#f6f6f6;padding:.4em;margin:.2em 0}"
    ".pass{color:#176617}.fail{color:#a01010}.reason{font-style:italic}"
    ".same{color:#444}.missing{background:#fdd}.extra{background:#dfd}"
    "td.mark{font-family:monospace;text-align:center}.cut{color:#777;font-style:italic}";

// The rows of a line diff: both sides, or only expected ("-") or only printed ("+").
struct DiffRow {
    char kind;  // ' ', '-', '+'
    QString text;
};

// A longest-common-subsequence diff; beyond a size where that would cost too much, the lines
// are set side by side in order.
std::vector<DiffRow> lineDiff(const TestCase& testCase, const QStringList& actual) {
    const std::size_t n = testCase.expected.size();
    const std::size_t m = static_cast<std::size_t>(actual.size());
    // A pattern the engine gave up on once costs its limit at every try: from then on it is
    // taken as differing from every line, so the diff costs it once, not n × m times.
    std::vector<bool> tooCostly(n, false);
    const auto matches = [&](std::size_t i, const QString& line) {
        if (tooCostly[i]) {
            return false;
        }
        const LineMatch match = compareLine(testCase.expected[i], line);
        tooCostly[i] = match == LineMatch::TooCostly;
        return match == LineMatch::Matches;
    };
    std::vector<DiffRow> rows;
    if (n * m > 4'000'000) {
        for (std::size_t i = 0; i < std::max(n, m); ++i) {
            if (i < n && i < m && matches(i, actual[qsizetype(i)])) {
                rows.push_back({' ', actual[qsizetype(i)]});
                continue;
            }
            if (i < n) {
                rows.push_back({'-', testCase.expected[i].text});
            }
            if (i < m) {
                rows.push_back({'+', actual[qsizetype(i)]});
            }
        }
        return rows;
    }
    std::vector<std::vector<int>> common(n + 1, std::vector<int>(m + 1, 0));
    for (std::size_t i = n; i-- > 0;) {
        for (std::size_t j = m; j-- > 0;) {
            common[i][j] = matches(i, actual[qsizetype(j)])
                               ? common[i + 1][j + 1] + 1
                               : std::max(common[i + 1][j], common[i][j + 1]);
        }
    }
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && matches(i, actual[qsizetype(j)])) {
            rows.push_back({' ', actual[qsizetype(j)]});
            ++i;
            ++j;
        } else if (j < m && (i == n || common[i][j + 1] >= common[i + 1][j])) {
            rows.push_back({'+', actual[qsizetype(j++)]});
        } else {
            rows.push_back({'-', testCase.expected[i++].text});
        }
    }
    return rows;
}

}  // namespace

GradeReport::GradeReport(const QString& path, const TestSuite& suite, const TextTable& texts)
    : m_file(path), m_suite(suite), m_texts(texts) {}

GradeReport::~GradeReport() = default;

QString GradeReport::escaped(const QString& text) {
    return shownText(text, LineBreaks::Kept).toHtmlEscaped();
}

QString GradeReport::lineHtml(const QString& line) const {
    if (m_fullOutput || line.size() <= kLineCharacters) {
        return escaped(line);
    }
    qsizetype cut = kLineCharacters;
    if (QChar::isHighSurrogate(line[cut - 1].unicode())) {
        --cut;  // a character is never split
    }
    return escaped(line.left(cut)) + QStringLiteral("<span class=\"cut\">") +
           escaped(m_texts.text(texts::ReportMoreCharacters).arg(line.size() - cut)) +
           QStringLiteral("</span>");
}

GradeReport::Shown GradeReport::shownLines(qsizetype count) const {
    if (m_fullOutput || count <= kHeadLines + kTailLines + 1) {
        return {count, 0};
    }
    return {kHeadLines, count - kHeadLines - kTailLines};
}

QString GradeReport::skippedHtml(qsizetype skipped) const {
    return QStringLiteral("<span class=\"cut\">") +
           escaped(m_texts.text(texts::ReportMoreLines).arg(skipped)) + QStringLiteral("</span>\n");
}

QString GradeReport::preLines(const QStringList& lines) const {
    const Shown shown = shownLines(lines.size());
    QString html = QStringLiteral("<pre>");
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i == shown.head && shown.skipped > 0) {
            html += skippedHtml(shown.skipped);
            i += shown.skipped - 1;
            continue;
        }
        html += lineHtml(lines[i]) + u'\n';
    }
    return html + QStringLiteral("</pre>");
}

void GradeReport::write(const QString& html) {
    m_file.write(html.toUtf8());
}

bool GradeReport::open(QString* reason) {
    if (!m_file.open(QIODevice::WriteOnly)) {
        *reason = m_file.errorString();
        return false;
    }
    const QString title = escaped(m_suite.title);
    write(QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>") + title +
          QStringLiteral("</title><style>") + QLatin1StringView(kStyle) +
          QStringLiteral("</style></head><body>\n<h1>") + title + QStringLiteral("</h1>\n"));
    return true;
}

void GradeReport::submission(const SubmissionResult& result) {
    const QString name = escaped(result.name);
    const QString anchor = QStringLiteral("s") + QString::number(m_summaryRows.size() + 1);
    const QString points = result.graded ? QString::number(result.points) : QStringLiteral("-");
    QString marks;
    for (const CaseResult& c : result.cases) {
        marks += QStringLiteral("<td class=\"mark\">") + outcomeMark(c.outcome) +
                 QStringLiteral("</td>");
    }
    if (!result.graded) {
        marks = QStringLiteral("<td colspan=\"%1\">")
                    .arg(std::max<std::size_t>(1, m_suite.cases.size())) +
                escaped(result.problem) + QStringLiteral("</td>");
    }
    m_summaryRows << QStringLiteral("<tr><td><a href=\"#%1\">%2</a></td><td>%3/%4</td>%5</tr>")
                         .arg(anchor, name, points, QString::number(result.maxPoints), marks);

    write(QStringLiteral("<section class=\"submission\" id=\"%1\"><h2>%2 — %3/%4</h2>\n")
              .arg(anchor, name, points, QString::number(result.maxPoints)));
    if (!result.graded) {
        write(QStringLiteral("<p class=\"reason\">") + escaped(result.problem) +
              QStringLiteral("</p></section>\n"));
        return;
    }
    if (result.project) {
        int board = 0;
        for (const QByteArray& png : drawBoards(*result.project, m_texts)) {
            write(
                QStringLiteral("<img alt=\"board %1\" src=\"data:image/png;base64,").arg(++board) +
                QString::fromLatin1(png.toBase64()) + QStringLiteral("\">"));
        }
    }
    for (std::size_t i = 0; i < result.cases.size(); ++i) {
        writeCase(m_suite.cases[i], result.cases[i]);
    }
    write(QStringLiteral("</section>\n"));
}

void GradeReport::writeCase(const TestCase& testCase, const CaseResult& result) {
    const bool passed = result.outcome == CaseOutcome::Passed;
    write(QStringLiteral("<h3 class=\"%1\">%2 %3 — %4/%5</h3>\n")
              .arg(passed ? QStringLiteral("pass") : QStringLiteral("fail"),
                   QString(outcomeMark(result.outcome)).toHtmlEscaped(), escaped(testCase.name),
                   QString::number(result.points), QString::number(result.maxPoints)));
    if (passed) {
        return;
    }
    write(QStringLiteral("<p class=\"reason\">") + lineHtml(result.reason) +
          QStringLiteral("</p>"));
    write(QStringLiteral("<p>Input:</p>") + preLines(testCase.input));
    writeDiff(testCase, result);
}

void GradeReport::writeDiff(const TestCase& testCase, const CaseResult& result) {
    write(QStringLiteral("<p>Expected (−) and printed (+):</p><pre>"));
    const std::vector<DiffRow> rows = lineDiff(testCase, result.actual);
    const Shown shown = shownLines(static_cast<qsizetype>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (qsizetype(i) == shown.head && shown.skipped > 0) {
            write(skippedHtml(shown.skipped));
            i += static_cast<std::size_t>(shown.skipped) - 1;
            continue;
        }
        const DiffRow& row = rows[i];
        const QString cls = row.kind == ' '   ? QStringLiteral("same")
                            : row.kind == '-' ? QStringLiteral("missing")
                                              : QStringLiteral("extra");
        write(QStringLiteral("<span class=\"%1\">%2 %3</span>\n")
                  .arg(cls, QString(QLatin1Char(row.kind)), lineHtml(row.text)));
    }
    write(QStringLiteral("</pre>\n"));
}

bool GradeReport::finish(QString* reason) {
    QString header = QStringLiteral("<tr><th>Submission</th><th>Points</th>");
    for (const TestCase& c : m_suite.cases) {
        header += QStringLiteral("<th>") + escaped(c.name) + QStringLiteral("</th>");
    }
    write(QStringLiteral("<section id=\"summary\"><p>%1 cases, %2 points, %3 submissions</p>"
                         "<table>")
              .arg(m_suite.cases.size())
              .arg(m_suite.maxPoints())
              .arg(m_summaryRows.size()) +
          header + QStringLiteral("</tr>\n") + m_summaryRows.join(u'\n') +
          QStringLiteral("</table></section>\n</body></html>\n"));
    if (!m_file.commit()) {
        *reason = m_file.errorString();
        return false;
    }
    return true;
}

}  // namespace trevalon::cli
