#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <vector>

#include "exec/CheckReport.h"
#include "ui/widgets/TitleStrip.h"

namespace trevalon {

class ClickLabel;
class Project;
class TextTable;
class Variables;
class WindowHost;

// The report window: the result of checking a board (with the reasons of a failed stage under
// its rows), the summary of a project that passed, or the current values of the variables,
// drawn as a column of rows. It floats above the main
// window and is placed beside the boards each time it appears.
class TFOpisy : public QWidget, public CheckReport {
public:
    enum Kind { KindNone = 0, KindVariables = 1, KindBoard = 2, KindProject = 3 };

    static constexpr int Width = 254;
    static constexpr int RowPitch = 23;
    // Where the window appears, from the main window's top-left corner.
    static constexpr QPoint Offset{480, 90};

    // `project`, `texts`, `variables` and `host` must outlive the window.
    TFOpisy(const Project& project, const TextTable& texts, const Variables& variables,
            WindowHost& host, QWidget* parent);

    // CheckReport
    void showBoardReport(const BoardCheckResult& result) override;
    void showProjectReport(const QString& projectName) override;
    void showVariablesReport(const std::vector<ReportRow>& rows) override;
    void setTitleStrip(const QString& title) override;

    // The variables report with the values of the variables list; the values it
    // shows are the ones the next showing of changes compares with.
    void showVariables();
    // The variables report with the rows whose value changed since the last showing marked.
    void showVariableChanges();
    // A recorded moment of a run: the variables of `list`, those that differ from `before`
    // lit. The values the next showing of changes compares with stay the live ones.
    void showRecordedVariables(const QString& list, const QString& before);
    // The last report again, in the current language (F10, "okno zmiennych").
    void showAgain();
    void applyTexts();
    // Placed at its offset from the main window: `Offset` each time it is shown, wherever the
    // pupil dragged it while it stays shown.
    void followMainWindow();

    int reportKind() const { return m_kind; }
    const std::vector<ReportRow>& rows() const { return m_rows; }
    QString title() const;
    const QImage& picture() const { return m_picture; }
    // Under a board report, one line per reason of the check; a click shows its cell.
    const std::vector<ClickLabel*>& reasonLines() const { return m_reasonLines; }

    // Called whenever a report is shown (the main window's check-done flag); set before the
    // first report.
    std::function<void()> onReportShown;

    // The report's picture: tiled background, violet frame, one drawn row per report row.
    static QImage render(const std::vector<ReportRow>& rows, int height);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void present(Kind kind, std::vector<ReportRow> rows, int titleText, bool raise);
    void toggleCollapsed();
    // Lays the reasons of the last board report out from `top` down; answers their height
    // (0 when there are none to show).
    int placeReasons(int top);

    const Project& m_project;
    const TextTable& m_texts;
    const Variables& m_variables;
    WindowHost& m_host;
    TitleStrip* m_strip = nullptr;
    Kind m_kind = KindNone;
    std::vector<ReportRow> m_rows;
    QString m_variablesBefore;
    BoardCheckResult m_lastBoard;
    QString m_lastProject;
    QImage m_picture;
    QWidget* m_reasons = nullptr;
    std::vector<ClickLabel*> m_reasonLines;
    bool m_collapsed = false;
    int m_fullHeight = 0;
    QPoint m_offset = Offset;
};

}  // namespace trevalon
