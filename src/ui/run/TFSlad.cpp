#include "ui/run/TFSlad.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QSlider>
#include <QStyledItemDelegate>
#include <QTableView>
#include <algorithm>

#include "config/MessageSink.h"
#include "config/TextIds.h"
#include "config/TextTable.h"
#include "exec/TraceTable.h"
#include "ui/dialogs/DialogParts.h"
#include "ui/main/WindowHost.h"
#include "ui/pictures/Pictures.h"
#include "ui/run/TraceModel.h"
#include "ui/widgets/Palette.h"
#include "ui/widgets/TJetButton.h"

namespace trevalon {
namespace {

constexpr int ButtonHeight = 26;
constexpr int StepButtonWidth = 30;
constexpr int CopyWidth = 96;
constexpr int ExportWidth = 132;
constexpr int Gap = 6;
constexpr int RowHeight = 20;
// The fixed columns' widths; the variables share what is left, within limits.
constexpr int FixedWidths[] = {48, 110, 96, 170};
constexpr int VariableWidth = 80;

// A changed value stays lit in the chosen row too: amber there instead of the selection's
// lavender, so that the eye finds what the chosen step did.
class TraceCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        // The whole row is the current one; a frame round its first cell would say otherwise.
        option->state &= ~QStyle::State_HasFocus;
        if ((option->state & QStyle::State_Selected) && index.data(Qt::BackgroundRole).isValid()) {
            option->palette.setColor(QPalette::Highlight, palette::amber);
        }
    }
};

TJetButton* pictureButton(QWidget* parent, const char* name, int width) {
    auto* button = new TJetButton(0, parent);
    button->setObjectName(QLatin1String(name));
    button->resize(width, ButtonHeight);
    button->setFaces(pictures::pixmap(QStringLiteral("przycisk")),
                     pictures::pixmap(QStringLiteral("przyciskakt")),
                     pictures::pixmap(QStringLiteral("przycisk")));
    return button;
}

QString timelineStyle() {
    return QStringLiteral(
               "QSlider::groove:horizontal { height: 6px; background: %1; border: 1px solid %2;"
               " border-radius: 3px; }"
               "QSlider::sub-page:horizontal { background: %3; border: 1px solid %2;"
               " border-radius: 3px; }"
               "QSlider::handle:horizontal { width: 12px; margin: -6px 0; background: %4;"
               " border: 1px solid %5; border-radius: 3px; }")
        .arg(palette::css(palette::white), palette::css(palette::violetSoft),
             palette::css(palette::runTint), palette::css(palette::violetMid),
             palette::css(palette::violetDeep));
}

}  // namespace

TFSlad::TFSlad(const TraceTable& table, const TextTable& texts, MessageSink& messages,
               WindowHost& host, QWidget* parent)
    : CompanionPanel(host, QStringLiteral("TFSlad"), DefaultSize, MinimumSize, parent),
      m_table(table),
      m_texts(texts),
      m_messages(messages) {
    buildControls();
    applyTexts();
    syncTimeline();
}

void TFSlad::buildControls() {
    m_model = new TraceModel(m_table, m_texts, this);
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("TSlad"));
    m_view->setModel(m_model);
    m_view->setItemDelegate(new TraceCellDelegate(m_view));
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setWordWrap(false);
    m_view->setTextElideMode(Qt::ElideRight);
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(RowHeight);
    m_view->horizontalHeader()->setHighlightSections(false);
    m_view->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_view->installEventFilter(this);
    dialogparts::styleTable(m_view);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                // The table already shows the row, with the selection the pupil made.
                if (!m_quiet && current.isValid()) {
                    tell(current.row());
                }
            });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        m_followsNewest = true;
        setColumnWidths();
    });

    m_timeline = new QSlider(Qt::Horizontal, this);
    m_timeline->setObjectName(QStringLiteral("SOsCzasu"));
    m_timeline->setStyleSheet(timelineStyle());
    m_timeline->setFocusPolicy(Qt::NoFocus);
    connect(m_timeline, &QSlider::valueChanged, this, [this](int row) {
        if (!m_quiet) {
            choose(row);
        }
    });
    m_back = pictureButton(this, "ButWstecz", StepButtonWidth);
    m_back->setCaption(QStringLiteral("◀"));  // a sign, the same in every language
    m_back->onClicked = [this](int) { step(-1); };
    m_forward = pictureButton(this, "ButNaprzod", StepButtonWidth);
    m_forward->setCaption(QStringLiteral("▶"));
    m_forward->onClicked = [this](int) { step(1); };
    m_copy = pictureButton(this, "ButKopiuj", CopyWidth);
    m_copy->onClicked = [this](int) { copyRows(); };
    m_export = pictureButton(this, "ButEksportuj", ExportWidth);
    m_export->onClicked = [this](int) { exportCsv(); };
    setColumnWidths();
}

void TFSlad::applyTexts() {
    const TextTable& texts = m_texts;
    setTitles(texts, texts.text(texts::TraceWindowTitle));
    m_back->setToolTip(texts.text(texts::TraceStepBackHint));
    m_forward->setToolTip(texts.text(texts::TraceStepForwardHint));
    m_timeline->setToolTip(texts.text(texts::TraceTimelineHint));
    m_copy->setCaption(texts.text(texts::TraceCopy));
    m_copy->setToolTip(texts.text(texts::TraceCopyHint));
    m_export->setCaption(texts.text(texts::TraceExportCsv));
    m_export->setToolTip(texts.text(texts::TraceExportHint));
    // The actions and the headers are words of the language: the rows are read again.
    const int row = currentRow();
    const bool follows = m_followsNewest;
    restart();
    if (row >= 0) {
        setCurrentRow(row);
        m_followsNewest = follows;
    }
}

void TFSlad::refresh() {
    m_model->refresh();
    syncTimeline();
}

void TFSlad::restart() {
    m_model->restart();
    syncTimeline();
}

// After the rows changed: the timeline spans them, and the current row is the newest one
// unless the pupil chose another that is still kept.
void TFSlad::syncTimeline() {
    const int rows = m_model->rowCount();
    {
        const QSignalBlocker block(m_timeline);
        m_timeline->setRange(0, std::max(rows - 1, 0));
        m_timeline->setPageStep(std::max(rows / 20, 1));
    }
    m_timeline->setEnabled(rows > 1);
    m_back->setEnabled(rows > 1);
    m_forward->setEnabled(rows > 1);
    if (rows == 0) {
        return;
    }
    if (m_followsNewest || currentRow() < 0) {
        setCurrentRow(rows - 1);
        m_followsNewest = true;
    } else {
        const QSignalBlocker block(m_timeline);
        m_timeline->setValue(currentRow());
    }
}

int TFSlad::currentRow() const {
    const QModelIndex current = m_view->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TFSlad::setCurrentRow(int row) {
    const int rows = m_model->rowCount();
    if (rows == 0) {
        return;
    }
    row = std::clamp(row, 0, rows - 1);
    m_quiet = true;
    const QModelIndex index = m_model->index(row, 0);
    m_view->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    // A row out of sight is brought to the middle, with the steps around it in view.
    const bool inSight = m_view->viewport()->rect().contains(m_view->visualRect(index));
    if (row == rows - 1) {
        m_view->scrollToBottom();
    } else if (!inSight) {
        m_view->scrollTo(index, QAbstractItemView::PositionAtCenter);
    }
    m_timeline->setValue(row);
    m_quiet = false;
    m_followsNewest = row == rows - 1;
}

void TFSlad::choose(int row) {
    setCurrentRow(row);
    if (currentRow() >= 0) {
        tell(currentRow());
    }
}

void TFSlad::tell(int row) {
    {
        const QSignalBlocker block(m_timeline);
        m_timeline->setValue(row);
    }
    m_followsNewest = row == m_model->rowCount() - 1;
    if (onRowChosen) {
        onRowChosen(row);
    }
}

void TFSlad::step(int delta) {
    const int row = currentRow();
    if (row >= 0) {
        choose(row + delta);
    }
}

void TFSlad::copyRows() {
    QList<int> rows;
    for (const QModelIndex& index : m_view->selectionModel()->selectedRows()) {
        rows.append(index.row());
    }
    if (rows.size() <= 1) {
        // One row is the current one, which is always chosen: copying it alone is seldom meant.
        rows.clear();
        for (int row = 0; row < m_model->rowCount(); ++row) {
            rows.append(row);
        }
    }
    std::sort(rows.begin(), rows.end());
    QGuiApplication::clipboard()->setText(m_model->tabSeparated(rows));
}

void TFSlad::exportCsv() {
    const TextTable& texts = m_texts;
    QString path = askSavePath
                       ? askSavePath()
                       : QFileDialog::getSaveFileName(this, texts.text(texts::TraceExportTitle),
                                                      QString(), texts.text(texts::TraceCsvFilter));
    if (path.isEmpty()) {
        return;
    }
    if (!path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)) {
        path += QStringLiteral(".csv");
    }
    QString reason;
    if (!m_table.writeCsv(path, &reason)) {
        m_messages.showMessage(MessageSink::Close, MessageSink::Warning,
                               texts.text(texts::TraceExportFailed).arg(reason));
    }
}

void TFSlad::setColumnWidths() {
    QHeaderView* header = m_view->horizontalHeader();
    for (int column = 0; column < m_model->columnCount(); ++column) {
        header->resizeSection(
            column, column < TraceModel::FirstVariableColumn ? FixedWidths[column] : VariableWidth);
    }
    header->setStretchLastSection(true);
}

void TFSlad::layoutContent(const QSize& size) {
    const int w = size.width();
    const int h = size.height();
    const int top = contentTop();
    const int barTop = h - Margin - ButtonHeight - 4;
    m_view->setGeometry(Margin + 1, top + 1, w - 2 * Margin - 2, barTop - top - Margin - 2);
    // Copy and export at the right, short of the grip; the timeline between the step buttons.
    const int exportLeft = w - GripSize - Gap - ExportWidth;
    m_export->move(exportLeft, barTop);
    m_copy->move(exportLeft - Gap - CopyWidth, barTop);
    m_back->move(Margin, barTop);
    const int timelineLeft = Margin + StepButtonWidth + Gap;
    const int forwardLeft = m_copy->x() - 2 * Gap - StepButtonWidth;
    m_timeline->setGeometry(timelineLeft, barTop, std::max(forwardLeft - Gap - timelineLeft, 0),
                            ButtonHeight);
    m_forward->move(forwardLeft, barTop);
}

void TFSlad::showEvent(QShowEvent* event) {
    // Shown by the program, not given back by the window manager after minimising.
    if (!event->spontaneous()) {
        followMainWindow();
        if (onVisibilityChanged) {
            onVisibilityChanged(true);
        }
    }
}

void TFSlad::hideEvent(QHideEvent* event) {
    if (!event->spontaneous() && onVisibilityChanged) {
        onVisibilityChanged(false);
    }
}

void TFSlad::paintEvent(QPaintEvent* event) {
    CompanionPanel::paintEvent(event);
    QPainter p(this);
    p.setPen(palette::violetSoft);
    p.drawRect(m_view->geometry().adjusted(-1, -1, 0, 0));
}

// The table keeps its row keys (up, down, pages: they choose a row); left and right step as
// the buttons do, home and end go to the first and the last step; copy copies whole rows;
// every other key goes to the main window's key table.
bool TFSlad::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_view || event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Copy)) {
        copyRows();
        return true;
    }
    if (key->modifiers() != Qt::NoModifier) {
        return false;
    }
    switch (key->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
            step(key->key() == Qt::Key_Left ? -1 : 1);
            return true;
        case Qt::Key_Home:
        case Qt::Key_End:
            // The table would go to the row's first or last column; the pupil means the run's.
            choose(key->key() == Qt::Key_Home ? 0 : m_model->rowCount() - 1);
            return true;
        default:
            return false;
    }
}

}  // namespace trevalon
