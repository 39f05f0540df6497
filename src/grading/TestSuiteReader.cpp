#include "grading/TestSuiteReader.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringConverter>
#include <algorithm>
#include <limits>

#include "config/OutsideText.h"
#include "config/TextTable.h"
#include "storage/NativeFiles.h"

namespace trevalon {
namespace {

// More problems than this tell the teacher nothing new; the rest are summed up in one line.
constexpr std::size_t kMaxProblems = 100;
// The largest memory limit of a run, in MB: 64 GB, beyond what a class's machine has.
constexpr qint64 kMaxMemoryMB = 65536;

// One `KEY options: value` line, split.
struct KeyLine {
    QString key;
    QStringList options;
    QString value;  // after the colon, one space after it dropped
};

std::optional<KeyLine> splitKeyLine(const QString& line) {
    const qsizetype colon = line.indexOf(u':');
    if (colon < 0) {
        return std::nullopt;
    }
    QStringList words = line.left(colon).simplified().split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty()) {
        return std::nullopt;
    }
    KeyLine split{words.takeFirst().toLower(), words, line.mid(colon + 1)};
    if (split.value.startsWith(u' ')) {
        split.value.remove(0, 1);
    }
    return split;
}

// Reads the lines of one file into a suite, collecting problems as it goes.
class Reading {
public:
    explicit Reading(const QString& language) : m_language(language) {}

    void line(int number, const QString& text);
    // A line that could not be read may have been an output line: its case is not blamed for
    // having none.
    void notText(int number, const QString& message) {
        m_caseHasOutput = true;
        addProblem(number, message);
    }
    SuiteReading finish();

private:
    void problem(int line, int text, const QStringList& args = {});
    void addProblem(int line, const QString& message);
    void caseHeading(int number, const QString& name);
    void suiteKey(int number, const KeyLine& key);
    void caseKey(int number, const KeyLine& key);
    void output(int number, const KeyLine& key);
    bool options(int number, const QStringList& words, ExpectedLine& expected);
    std::optional<qint64> number(int line, const KeyLine& key, qint64 low, qint64 high);
    bool firstTime(int line, const QString& key);
    void closeCase();

    QString m_language;
    TestSuite m_suite;
    std::vector<SuiteProblem> m_problems;
    bool m_tooMany = false;
    TestCase* m_case = nullptr;
    bool m_caseHasOutput = false;     // an output line was given, even one with a problem
    QHash<QString, int> m_seenKeys;   // key -> first line, in the suite's head or current case
    QHash<QString, int> m_caseNames;  // name -> line of its heading
};

void Reading::problem(int line, int text, const QStringList& args) {
    QString message = TextTable::text(text, m_language);
    for (const QString& arg : args) {
        message = message.arg(arg);
    }
    addProblem(line, message);
}

void Reading::addProblem(int line, const QString& message) {
    if (m_problems.size() >= kMaxProblems) {
        m_tooMany = true;
        return;
    }
    m_problems.push_back({line, message});
}

bool Reading::firstTime(int line, const QString& key) {
    const auto seen = m_seenKeys.constFind(key);
    if (seen != m_seenKeys.constEnd()) {
        problem(line, texts::TestsRepeatedKey, {key, QString::number(*seen)});
        return false;
    }
    m_seenKeys.insert(key, line);
    return true;
}

std::optional<qint64> Reading::number(int line, const KeyLine& key, qint64 low, qint64 high) {
    bool ok = false;
    const qint64 value = key.value.trimmed().toLongLong(&ok);
    if (!ok || value < low || value > high) {
        problem(line, texts::TestsBadNumber,
                {key.key, QString::number(low), QString::number(high)});
        return std::nullopt;
    }
    return value;
}

void Reading::line(int number, const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(u'#')) {
        return;
    }
    // "case" alone or followed by a space or tab; "case:" is a key and "cases" no heading.
    if (trimmed.startsWith(QLatin1StringView("case"), Qt::CaseInsensitive) &&
        (trimmed.size() == 4 || trimmed[4].isSpace())) {
        caseHeading(number, trimmed.mid(4).trimmed());
        return;
    }
    const std::optional<KeyLine> key = splitKeyLine(text);
    if (!key) {
        problem(number, texts::TestsUnknownLine);
        return;
    }
    if (key->key != QLatin1StringView("output") && !key->options.isEmpty()) {
        problem(number, texts::TestsOptionsOnlyForOutput);
        return;
    }
    if (m_case != nullptr) {
        caseKey(number, *key);
    } else {
        suiteKey(number, *key);
    }
}

void Reading::caseHeading(int number, const QString& name) {
    closeCase();
    m_suite.cases.push_back(TestCase{});
    m_case = &m_suite.cases.back();
    m_case->name = name;
    m_case->line = number;
    m_seenKeys.clear();
    if (name.isEmpty()) {
        problem(number, texts::TestsCaseWithoutName);
        return;
    }
    const auto earlier = m_caseNames.constFind(name);
    if (earlier != m_caseNames.constEnd()) {
        problem(number, texts::TestsDuplicateCase, {name, QString::number(*earlier)});
        return;
    }
    m_caseNames.insert(name, number);
}

void Reading::suiteKey(int number, const KeyLine& key) {
    static const QStringList caseKeys = {QStringLiteral("input"), QStringLiteral("output"),
                                         QStringLiteral("points")};
    if (caseKeys.contains(key.key)) {
        problem(number, texts::TestsKeyOutsideCase, {key.key});
        return;
    }
    if (key.key == QLatin1StringView("title")) {
        if (firstTime(number, key.key)) {
            m_suite.title = key.value.trimmed();
        }
    } else if (key.key == QLatin1StringView("steps")) {
        if (const auto steps = this->number(number, key, 1, 1'000'000'000'000LL);
            steps && firstTime(number, key.key)) {
            m_suite.maxSteps = *steps;
        }
    } else if (key.key == QLatin1StringView("time")) {
        if (const auto millis = this->number(number, key, 1, 3'600'000);
            millis && firstTime(number, key.key)) {
            m_suite.timeLimitMillis = static_cast<int>(*millis);
        }
    } else if (key.key == QLatin1StringView("memory")) {
        if (const auto megabytes = this->number(number, key, 1, kMaxMemoryMB);
            megabytes && firstTime(number, key.key)) {
            m_suite.memoryMB = *megabytes;
        }
    } else if (key.key == QLatin1StringView("seed")) {
        if (const auto seed = this->number(number, key, 0, std::numeric_limits<qint64>::max());
            seed && firstTime(number, key.key)) {
            m_suite.seed = static_cast<quint64>(*seed);
        }
    } else if (key.key == QLatin1StringView("prompts")) {
        const QString word = key.value.trimmed().toLower();
        if (word != QLatin1StringView("yes") && word != QLatin1StringView("no")) {
            problem(number, texts::TestsBadYesNo, {key.key});
        } else if (firstTime(number, key.key)) {
            m_suite.prompts = word == QLatin1StringView("yes");
        }
    } else {
        problem(number, texts::TestsUnknownKey, {key.key});
    }
}

void Reading::caseKey(int number, const KeyLine& key) {
    static const QStringList suiteKeys = {QStringLiteral("title"), QStringLiteral("time"),
                                          QStringLiteral("seed"), QStringLiteral("prompts")};
    if (suiteKeys.contains(key.key)) {
        problem(number, texts::TestsKeyInCase, {key.key});
    } else if (key.key == QLatin1StringView("input")) {
        m_case->input << key.value;
    } else if (key.key == QLatin1StringView("output")) {
        output(number, key);
    } else if (key.key == QLatin1StringView("points")) {
        if (const auto points = this->number(number, key, 0, 1000);
            points && firstTime(number, key.key)) {
            m_case->points = static_cast<int>(*points);
        }
    } else if (key.key == QLatin1StringView("steps")) {
        if (const auto steps = this->number(number, key, 1, 1'000'000'000'000LL);
            steps && firstTime(number, key.key)) {
            m_case->maxSteps = *steps;
        }
    } else if (key.key == QLatin1StringView("memory")) {
        if (const auto megabytes = this->number(number, key, 1, kMaxMemoryMB);
            megabytes && firstTime(number, key.key)) {
            m_case->memoryMB = *megabytes;
        }
    } else {
        problem(number, texts::TestsUnknownKey, {key.key});
    }
}

void Reading::output(int number, const KeyLine& key) {
    m_caseHasOutput = true;
    ExpectedLine expected;
    expected.text = key.value;
    expected.line = number;
    if (!options(number, key.options, expected)) {
        return;
    }
    if (expected.pattern) {
        const QRegularExpression pattern(expected.text);
        if (!pattern.isValid()) {
            problem(number, texts::TestsBadPattern,
                    {pattern.errorString(), QString::number(pattern.patternErrorOffset() + 1)});
            return;
        }
    }
    m_case->expected.push_back(std::move(expected));
}

// The words before the colon of an output line: ~i, ~s, ~re and ~n followed by its tolerance.
bool Reading::options(int number, const QStringList& words, ExpectedLine& expected) {
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString word = words[i].toLower();
        if (word == QLatin1StringView("~i")) {
            expected.ignoreCase = true;
        } else if (word == QLatin1StringView("~s")) {
            expected.ignoreSpacing = true;
        } else if (word == QLatin1StringView("~re")) {
            expected.pattern = true;
        } else if (word == QLatin1StringView("~n")) {
            bool ok = false;
            const double tolerance = i + 1 < words.size() ? words[i + 1].toDouble(&ok) : 0.0;
            if (!ok || !(tolerance >= 0.0) || tolerance > 1e300) {
                problem(number, texts::TestsBadTolerance);
                return false;
            }
            expected.tolerance = tolerance;
            ++i;
        } else {
            problem(number, texts::TestsUnknownOption, {words[i]});
            return false;
        }
    }
    if (expected.pattern && (expected.ignoreSpacing || expected.tolerance)) {
        problem(number, texts::TestsPatternWithOption);
        return false;
    }
    return true;
}

void Reading::closeCase() {
    if (m_case != nullptr && !m_caseHasOutput && !m_case->name.isEmpty()) {
        problem(m_case->line, texts::TestsCaseWithoutOutput, {m_case->name});
    }
    m_case = nullptr;
    m_caseHasOutput = false;
    m_seenKeys.clear();
}

SuiteReading Reading::finish() {
    closeCase();
    if (m_suite.cases.empty()) {
        problem(0, texts::TestsNoCases);
    }
    std::stable_sort(m_problems.begin(), m_problems.end(),
                     [](const SuiteProblem& a, const SuiteProblem& b) { return a.line < b.line; });
    if (m_tooMany) {
        m_problems.push_back({0, TextTable::text(texts::TestsMoreProblems, m_language)});
    }
    SuiteReading reading;
    reading.problems = std::move(m_problems);
    if (reading.problems.empty()) {
        reading.suite = std::move(m_suite);
    }
    return reading;
}

// The problem of a line that is not text, or nothing: bytes that are not UTF-8, or a control
// character other than tab (named, since it does not show).
std::optional<QString> notText(QByteArrayView bytes, QString& text, const QString& language) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return TextTable::text(texts::TestsNotText, language);
    }
    for (const QChar ch : std::as_const(text)) {
        if (ch.unicode() < 0x20 && ch != u'\t') {
            return TextTable::text(texts::TestsControlCharacter, language)
                .arg(shownText(QString(ch)));
        }
    }
    return std::nullopt;
}

// The next line of `rest` without its end (LF, CR LF, or CR alone as old Mac editors write),
// taken off `rest`.
QByteArrayView takeLine(QByteArrayView& rest) {
    qsizetype end = 0;
    while (end < rest.size() && rest[end] != '\n' && rest[end] != '\r') {
        ++end;
    }
    const QByteArrayView line = rest.first(end);
    qsizetype next = end;
    if (next < rest.size()) {
        next += rest[next] == '\r' && next + 1 < rest.size() && rest[next + 1] == '\n' ? 2 : 1;
    }
    rest = rest.sliced(next);
    return line;
}

}  // namespace

SuiteReading readTestSuite(const QByteArray& bytes, const QString& language) {
    Reading reading(language);
    if (bytes.size() > kMaxTestsFileSize) {
        SuiteReading tooLarge;
        tooLarge.problems.push_back(
            {0, TextTable::text(texts::TestsFileTooLarge, language).arg(kMaxTestsFileSize)});
        return tooLarge;
    }
    QByteArrayView rest(bytes);
    if (rest.startsWith("\xEF\xBB\xBF")) {
        rest = rest.sliced(3);  // an editor's byte-order mark
    }
    int number = 0;
    while (!rest.isEmpty()) {
        const QByteArrayView bytesOfLine = takeLine(rest);
        ++number;
        QString text;
        if (const std::optional<QString> problem = notText(bytesOfLine, text, language)) {
            reading.notText(number, *problem);
        } else {
            reading.line(number, text);
        }
    }
    return reading.finish();
}

SuiteReading readTestSuiteFile(const QString& path, const QString& language) {
    // One byte more than allowed is enough to know the file is too large.
    const FileBytes file = readRegularFile(path, kMaxTestsFileSize);
    if (file.problem != FileProblem::None) {
        TextTable texts;
        texts.setLanguage(language);
        SuiteReading failed;
        failed.problems.push_back(
            {0, texts.text(texts::TestsFileUnreadable)
                    .arg(shownText(path), fileProblemText(file.problem, file.error, texts))});
        return failed;
    }
    return readTestSuite(file.bytes, language);
}

}  // namespace trevalon
