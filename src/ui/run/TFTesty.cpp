#include "ui/run/TFTesty.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTextBlock>

#include "config/MessageSink.h"
#include "config/TextIds.h"
#include "config/TextTable.h"
#include "grading/OutputMatch.h"
#include "grading/TestSuiteReader.h"
#include "model/Project.h"
#include "ui/dialogs/DialogParts.h"
#include "ui/run/CaseWorker.h"
#include "ui/widgets/Palette.h"
#include "ui/widgets/TJetButton.h"

namespace trevalon {
namespace {

constexpr int ButtonHeight = 26;
constexpr int RunAgainWidth = 150;
constexpr int CaptionHeight = 18;
constexpr int ReasonHeight = 34;
constexpr int Gap = 6;
constexpr int RowHeight = 20;
enum Column { CaseColumn, ResultColumn, PointsColumn, ColumnCount };

QPlainTextEdit* outputView(QWidget* parent, const char* name) {
    auto* view = new QPlainTextEdit(parent);
    view->setObjectName(QLatin1String(name));
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setStyleSheet(dialogparts::fieldStyle());
    QFont mono(QStringLiteral("DejaVu Sans Mono"));
    mono.setStyleHint(QFont::Monospace);
    view->setFont(mono);
    return view;
}

QLabel* caption(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);  // reasons quote what the run printed
    label->setStyleSheet(palette::textColour(palette::ink));
    return label;
}

// Shows `lines`, each one whose index is in `lit` on the run's amber across the whole width.
void showLines(QPlainTextEdit* view, const QStringList& lines, const std::vector<bool>& lit) {
    view->setPlainText(lines.join(u'\n'));
    QList<QTextEdit::ExtraSelection> marks;
    QTextBlock block = view->document()->firstBlock();
    for (std::size_t i = 0; block.isValid() && i < lit.size(); ++i, block = block.next()) {
        if (lit[i]) {
            QTextEdit::ExtraSelection mark;
            mark.cursor = QTextCursor(block);
            mark.format.setBackground(palette::runTint);
            mark.format.setProperty(QTextFormat::FullWidthSelection, true);
            marks.append(mark);
        }
    }
    view->setExtraSelections(marks);
}

}  // namespace

TFTesty::TFTesty(const Project& project, const TextTable& texts, MessageSink& messages,
                 WindowHost& host, QWidget* parent)
    : CompanionPanel(host, QStringLiteral("TFTesty"), DefaultSize, MinimumSize, parent),
      m_project(project),
      m_texts(texts),
      m_messages(messages) {
    m_worker = new CaseWorker(this);
    m_worker->onResult = [this](int index, const CaseResult& result) { showResult(index, result); };
    m_worker->onFinished = [this] { showSummary(); };
    // Qt's dialog, as for projects: it speaks the program's language and stays above the main
    // window; it starts where the last tests file was found.
    m_openDialog = new QFileDialog(parent);
    m_openDialog->setObjectName(QStringLiteral("OpenTesty"));
    m_openDialog->setOption(QFileDialog::DontUseNativeDialog);
    m_openDialog->setAcceptMode(QFileDialog::AcceptOpen);
    m_openDialog->setFileMode(QFileDialog::ExistingFile);
    if (auto* name = m_openDialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        name->setCompleter(nullptr);
    }
    buildControls();
    applyTexts();
}

TFTesty::~TFTesty() = default;

void TFTesty::buildControls() {
    m_summary = caption(this, "LPodsumowanie");
    m_summary->setStyleSheet(palette::textColour(palette::ink) +
                             QStringLiteral(" font-weight: bold;"));
    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setObjectName(QStringLiteral("TPrzypadki"));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(RowHeight);
    m_table->horizontalHeader()->setHighlightSections(false);
    m_table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_table->horizontalHeader()->setSectionResizeMode(CaseColumn, QHeaderView::Stretch);
    m_table->horizontalHeader()->resizeSection(ResultColumn, 170);
    m_table->horizontalHeader()->resizeSection(PointsColumn, 70);
    dialogparts::styleTable(m_table);
    connect(m_table, &QTableWidget::currentCellChanged, this, [this] { showChosenCase(); });
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this] { runAgain(); });

    m_reason = caption(this, "LPowod");
    m_reason->setWordWrap(true);
    m_reason->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_expectedCaption = caption(this, "LOczekiwane");
    m_actualCaption = caption(this, "LOtrzymane");
    m_expected = outputView(this, "MOczekiwane");
    m_actual = outputView(this, "MOtrzymane");
    m_runAgain = dialogparts::pictureButton(this, "ButPonownie", QStringLiteral("przycisk"),
                                            QRect(0, 0, RunAgainWidth, ButtonHeight));
    m_runAgain->onClicked = [this](int) { runAgain(); };
}

void TFTesty::applyTexts() {
    const TextTable& texts = m_texts;
    const QString title =
        m_suite.title.isEmpty() ? QFileInfo(m_fileName).completeBaseName() : m_suite.title;
    setTitles(texts, texts.text(texts::TestsWindowTitle).arg(title));
    m_table->setHorizontalHeaderLabels({texts.text(texts::TestsColumnCase),
                                        texts.text(texts::TestsColumnResult),
                                        texts.text(texts::TestsColumnPoints)});
    m_expectedCaption->setText(texts.text(texts::TestsExpected));
    m_actualCaption->setText(texts.text(texts::TestsActual));
    m_runAgain->setCaption(texts.text(texts::TestsRunAgain));
    m_runAgain->setToolTip(texts.text(texts::TestsRunAgainHint));
    for (int i = 0; i < caseCount(); ++i) {
        if (m_results[static_cast<std::size_t>(i)]) {
            showResult(i, *m_results[static_cast<std::size_t>(i)]);
        }
    }
    showSummary();
}

bool TFTesty::chooseAndCheck() {
    const TextTable& texts = m_texts;
    QString path;
    if (askOpenPath) {
        path = askOpenPath();
    } else {
        m_openDialog->setWindowTitle(texts.text(texts::TestsPickTitle));
        m_openDialog->setNameFilter(texts.text(texts::TestsFilter));
        if (m_openDialog->exec() == QDialog::Accepted) {
            path = m_openDialog->selectedFiles().value(0);
        }
    }
    if (path.isEmpty()) {
        return false;
    }
    const SuiteReading reading = readTestSuiteFile(path, texts.language());
    if (!reading.suite) {
        QStringList mistakes;
        for (const SuiteProblem& problem : reading.problems) {
            mistakes
                << (problem.line > 0
                        ? texts.text(texts::TestsProblemLine).arg(problem.line).arg(problem.message)
                        : problem.message);
        }
        m_messages.showMessage(MessageSink::Close, MessageSink::Warning,
                               texts.text(texts::TestsFileProblems)
                                   .arg(QFileInfo(path).fileName(), mistakes.join(u'\n')));
        return false;
    }
    check(*reading.suite, path);
    return true;
}

void TFTesty::check(const TestSuite& suite, const QString& fileName) {
    m_suite = suite;
    m_fileName = fileName;
    m_results.assign(suite.cases.size(), std::nullopt);
    m_table->setRowCount(caseCount());
    const TextTable& texts = m_texts;
    for (int i = 0; i < caseCount(); ++i) {
        const TestCase& testCase = suite.cases[static_cast<std::size_t>(i)];
        m_table->setItem(i, CaseColumn, new QTableWidgetItem(testCase.name));
        m_table->setItem(i, ResultColumn, new QTableWidgetItem(texts.text(texts::TestsRunning)));
        auto* points = new QTableWidgetItem(QStringLiteral("– / %1").arg(testCase.points));
        points->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_table->setItem(i, PointsColumn, points);
    }
    applyTexts();
    if (caseCount() > 0) {
        m_table->setCurrentCell(0, CaseColumn);
    }
    m_worker->start(m_project, suite, texts);
    showSummary();
}

bool TFTesty::checking() const {
    return m_worker->busy();
}

const std::optional<CaseResult>& TFTesty::result(int index) const {
    return m_results.at(static_cast<std::size_t>(index));
}

QString TFTesty::outcomeWords(CaseOutcome outcome) const {
    const TextTable& texts = m_texts;
    switch (outcome) {
        case CaseOutcome::Passed:
            return texts.text(texts::TestsPassed);
        case CaseOutcome::WrongOutput:
            return texts.text(texts::TestsWrongOutput);
        case CaseOutcome::CheckFailed:
            return texts.text(texts::TestsCheckFailed);
        case CaseOutcome::RunError:
            return texts.text(texts::TestsRunError);
        case CaseOutcome::StepLimit:
            return texts.text(texts::TestsStepLimit);
        case CaseOutcome::TimeLimit:
            return texts.text(texts::TestsTimeLimit);
        case CaseOutcome::MissingInput:
            return texts.text(texts::TestsMissingInput);
    }
    return QString();
}

void TFTesty::showResult(int index, const CaseResult& result) {
    m_results.at(static_cast<std::size_t>(index)) = result;
    QTableWidgetItem* words = m_table->item(index, ResultColumn);
    words->setText(outcomeWords(result.outcome));
    words->setForeground(result.outcome == CaseOutcome::Passed ? palette::passed : palette::failed);
    QFont bold = words->font();
    bold.setBold(true);
    words->setFont(bold);
    m_table->item(index, PointsColumn)
        ->setText(QStringLiteral("%1 / %2").arg(result.points).arg(result.maxPoints));
    if (index == m_table->currentRow()) {
        showChosenCase();
    }
    showSummary();
}

void TFTesty::showSummary() {
    int passed = 0;
    int points = 0;
    for (const std::optional<CaseResult>& result : m_results) {
        if (result) {
            passed += result->outcome == CaseOutcome::Passed ? 1 : 0;
            points += result->points;
        }
    }
    m_summary->setText(m_texts.text(texts::TestsSummary)
                           .arg(passed)
                           .arg(caseCount())
                           .arg(points)
                           .arg(m_suite.maxPoints()));
}

// The chosen case's reason above its output: every expected line the run did not print as
// asked is lit on both sides, and so is every line printed beyond the expected ones.
void TFTesty::showChosenCase() {
    const int row = m_table->currentRow();
    const bool known = row >= 0 && row < caseCount() && m_results[static_cast<std::size_t>(row)];
    m_runAgain->setEnabled(row >= 0 && row < caseCount());
    if (!known) {
        m_reason->clear();
        m_expected->clear();
        m_actual->clear();
        return;
    }
    const TestCase& testCase = m_suite.cases[static_cast<std::size_t>(row)];
    const CaseResult& result = *m_results[static_cast<std::size_t>(row)];
    m_reason->setText(result.reason);
    const auto lines = static_cast<std::size_t>(std::max<qsizetype>(
        result.actual.size(), static_cast<qsizetype>(testCase.expected.size())));
    std::vector<bool> differs(lines, false);
    for (std::size_t i = 0; i < lines; ++i) {
        const auto at = static_cast<qsizetype>(i);
        differs[i] = i >= testCase.expected.size() || at >= result.actual.size() ||
                     !matchesLine(testCase.expected[i], result.actual[at]);
    }
    showLines(m_expected, result.expected, differs);
    showLines(m_actual, result.actual, differs);
}

void TFTesty::runAgain() {
    const int row = m_table->currentRow();
    if (row >= 0 && row < caseCount() && onRunAgain) {
        onRunAgain(m_suite.cases[static_cast<std::size_t>(row)].input);
    }
}

void TFTesty::hideEvent(QHideEvent* event) {
    // A closed window wants no more results; the cases left would only cost the processor.
    if (!event->spontaneous()) {
        m_worker->cancel();
    }
}

void TFTesty::layoutContent(const QSize& size) {
    const int w = size.width();
    const int h = size.height();
    const int inner = w - 2 * Margin;
    int y = contentTop();
    m_summary->setGeometry(Margin, y, inner, CaptionHeight);
    y += CaptionHeight + Gap / 2;
    const int barTop = h - Margin - ButtonHeight - 4;
    const int free = barTop - y - Gap;
    const int tableHeight = std::max(free * 2 / 5, RowHeight * 3);
    m_table->setGeometry(Margin + 1, y + 1, inner - 2, tableHeight - 2);
    y += tableHeight + Gap / 2;
    m_reason->setGeometry(Margin, y, inner, ReasonHeight);
    y += ReasonHeight;
    const int half = (inner - Gap) / 2;
    m_expectedCaption->setGeometry(Margin, y, half, CaptionHeight);
    m_actualCaption->setGeometry(Margin + half + Gap, y, half, CaptionHeight);
    y += CaptionHeight;
    const int outputHeight = std::max(barTop - Gap - y, RowHeight);
    m_expected->setGeometry(Margin, y, half, outputHeight);
    m_actual->setGeometry(Margin + half + Gap, y, half, outputHeight);
    m_runAgain->move(w - GripSize - Gap - RunAgainWidth, barTop);
}

void TFTesty::paintEvent(QPaintEvent* event) {
    CompanionPanel::paintEvent(event);
    QPainter p(this);
    p.setPen(palette::violetSoft);
    p.drawRect(m_table->geometry().adjusted(-1, -1, 0, 0));
}

}  // namespace trevalon
