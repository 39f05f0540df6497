#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "grading/CaseRunner.h"
#include "grading/TestSuite.h"
#include "ui/widgets/CompanionPanel.h"

class QFileDialog;
class QLabel;
class QPlainTextEdit;
class QTableWidget;

namespace trevalon {

class CaseWorker;
class MessageSink;
class Project;
class TJetButton;
class TextTable;
class WindowHost;

// "Sprawdź z testami": the cases of a tests file run on the open project without dialogs, one
// row each with its result and points, a summary above them, and for the chosen case its
// expected and actual output side by side, the lines that differ lit. Double-clicking a case
// (or "Uruchom ponownie") hands its input to `onRunAgain`, which runs it where the pupil can
// watch. The results belong to the project as it was when the check began.
//
// `project`, `texts`, `messages` and `host` must outlive the window; `parent` is the main window.
class TFTesty : public CompanionPanel {
public:
    static constexpr QSize DefaultSize{640, 440};
    static constexpr QSize MinimumSize{400, 300};

    TFTesty(const Project& project, const TextTable& texts, MessageSink& messages, WindowHost& host,
            QWidget* parent);
    ~TFTesty() override;

    // Asks for a tests file and checks the open project with it. A file that cannot be read or
    // holds mistakes is told through `messages`, each mistake with its line, and
    // nothing is checked; false then, and when the pupil cancels.
    bool chooseAndCheck();
    // Answers the file to check with instead of the file dialog (tests); empty cancels.
    std::function<QString()> askOpenPath;
    // Lists the cases of `suite` (read from `fileName`) and runs them on a copy of the open
    // project; results fill in as their runs end.
    void check(const TestSuite& suite, const QString& fileName);
    void applyTexts();

    std::function<void(const QStringList& input)> onRunAgain;

    bool checking() const;
    int caseCount() const { return static_cast<int>(m_suite.cases.size()); }
    // The result of case `index`, or nothing while it runs.
    const std::optional<CaseResult>& result(int index) const;
    QTableWidget* table() const { return m_table; }
    QLabel* summary() const { return m_summary; }
    QPlainTextEdit* expectedView() const { return m_expected; }
    QPlainTextEdit* actualView() const { return m_actual; }

protected:
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void layoutContent(const QSize& size) override;

private:
    void buildControls();
    void showResult(int index, const CaseResult& result);
    void showSummary();
    void showChosenCase();
    void runAgain();
    QString outcomeWords(CaseOutcome outcome) const;

    const Project& m_project;
    const TextTable& m_texts;
    MessageSink& m_messages;
    CaseWorker* m_worker = nullptr;
    QFileDialog* m_openDialog = nullptr;
    TestSuite m_suite;
    QString m_fileName;
    std::vector<std::optional<CaseResult>> m_results;
    QLabel* m_summary = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_reason = nullptr;
    QLabel* m_expectedCaption = nullptr;
    QLabel* m_actualCaption = nullptr;
    QPlainTextEdit* m_expected = nullptr;
    QPlainTextEdit* m_actual = nullptr;
    TJetButton* m_runAgain = nullptr;
};

}  // namespace trevalon
