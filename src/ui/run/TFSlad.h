#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <functional>
#include <vector>

#include "ui/widgets/CompanionPanel.h"

class QSlider;
class QTableView;

namespace trevalon {

class MessageSink;
class ResizeGrip;
class TJetButton;
class TextTable;
class TraceModel;
class TraceTable;
class WindowHost;

// The trace window ("Ślad wykonania"): the trace table of the run as a table — step, board,
// block, what the block did, then a column per variable with the values the row changed
// lit — over a timeline of the recorded steps with a step back and a step forward, and the
// copying and CSV export of the rows. It floats above the main window like the report window
// and is resized by its corner grip.
//
// The window only reads the table. It learns of new rows through `refresh()`, and tells of a
// row the pupil chose through `onRowChosen`; making the boards and the variables window show
// that row is the caller's business.
//
// The current row follows the newest row on every refresh until the pupil chooses an earlier
// one; it then stays there until the pupil moves it (to the newest row again, too) or
// `setCurrentRow` moves it. A current row that the table's bound drops gives way to the oldest
// kept row, without `onRowChosen`.
//
// `table`, `texts`, `messages` and `host` must outlive the window; `parent` is the main window.
class TFSlad : public CompanionPanel {
public:
    static constexpr QSize DefaultSize{640, 300};
    static constexpr QSize MinimumSize{420, 160};

    TFSlad(const TraceTable& table, const TextTable& texts, MessageSink& messages, WindowHost& host,
           QWidget* parent);

    // The table got new rows, lost old ones to its bound, or was started afresh. Cheap: rows
    // only added are inserted, not read; call it at most once a slice or step.
    void refresh();
    // Takes the table whole again: call it when a run begins, since a table started afresh
    // that has grown past its old row count cannot be told from one that only grew.
    void restart();
    // The row shown as current, -1 while the table is empty.
    int currentRow() const;
    // Makes `row` current: selects it, scrolls to it and moves the timeline, without calling
    // `onRowChosen`. A row other than the newest stays current over later refreshes.
    void setCurrentRow(int row);
    // The pupil chose a row: by the timeline, the step buttons, a click in the table or the
    // table's keys.
    std::function<void(int row)> onRowChosen;
    // Shown or hidden by the program (a run records while the window is open).
    std::function<void(bool shown)> onVisibilityChanged;

    void applyTexts();

    // Copies the selected rows to the clipboard as tab-separated text under a header line; all
    // rows when at most one is selected, since the current row is always selected.
    void copyRows();
    // Asks for a file and writes the table into it as CSV; a failure is told through
    // `messages`.
    void exportCsv();
    // Answers the file to export into instead of the file dialog (tests); empty cancels.
    std::function<QString()> askSavePath;

    QTableView* view() const { return m_view; }
    QSlider* timeline() const { return m_timeline; }
    TraceModel* model() const { return m_model; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void layoutContent(const QSize& size) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void setColumnWidths();
    // A row the pupil chose outside the table: made current and told.
    void choose(int row);
    // A row the pupil made current: the timeline follows, and `onRowChosen` is told.
    void tell(int row);
    void step(int delta);
    void syncTimeline();

    const TraceTable& m_table;
    const TextTable& m_texts;
    MessageSink& m_messages;
    TraceModel* m_model = nullptr;
    QTableView* m_view = nullptr;
    QSlider* m_timeline = nullptr;
    TJetButton* m_back = nullptr;
    TJetButton* m_forward = nullptr;
    TJetButton* m_copy = nullptr;
    TJetButton* m_export = nullptr;
    // Set while the window itself moves the current row, so that the move is not told back.
    bool m_quiet = false;
    bool m_followsNewest = true;
};

}  // namespace trevalon
