#include "ui/run/TFOpisy.h"

#include <QKeyEvent>
#include <QPainter>

#include "config/TextIds.h"
#include "config/TextTable.h"
#include "edit/Editor.h"
#include "exec/Variables.h"
#include "model/Project.h"
#include "ui/main/WindowHost.h"
#include "ui/pictures/Pictures.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/DragLabel.h"
#include "ui/widgets/Palette.h"
#include "ui/widgets/WindowTitle.h"

namespace trevalon {
namespace {

constexpr int TitleHeight = TitleStrip::Height;
// The reasons' lines: their margin from the window's edges and the gap between two.
constexpr int ReasonMargin = 6;
constexpr int ReasonGap = 4;

const QColor& toneColour(ReportRow::Tone tone) {
    switch (tone) {
        case ReportRow::Bad:
            return palette::red;
        case ReportRow::Undetermined:
            return palette::amberInk;
        default:
            return palette::violet;
    }
}

void drawToned(QPainter& p, const QRect& box, int flags, const QString& text,
               ReportRow::Tone tone) {
    p.setPen(toneColour(tone));
    p.drawText(box, flags, text);
}

// A row the last step changed: the run mark's tint and a band at its left end, so that the eye
// goes from the marked block to the variables it changed.
void drawChangedMark(QPainter& p, const QRect& row) {
    p.fillRect(row, palette::runTint);
    p.fillRect(QRect(row.x(), row.y(), 4, row.height()), palette::runFrame);
}

}  // namespace

TFOpisy::TFOpisy(const Project& project, const TextTable& texts, const Variables& variables,
                 WindowHost& host, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint),
      m_project(project),
      m_texts(texts),
      m_variables(variables),
      m_host(host) {
    setObjectName(QStringLiteral("TFOpisy"));
    setFocusPolicy(Qt::StrongFocus);
    m_strip = TitleStrip::companion(
        *this, QStringLiteral("Zamknij to okno"), [this] { toggleCollapsed(); },
        [this] { hide(); });
    m_strip->title()->onReleased = [this] { m_offset = pos() - m_host.origin(); };
    m_reasons = new QWidget(this);
    m_reasons->setObjectName(QStringLiteral("PPrzyczyny"));
    m_reasons->hide();
    resize(Width, RowPitch + 45);
}

void TFOpisy::resizeEvent(QResizeEvent*) {
    m_strip->span(width());
}

QImage TFOpisy::render(const std::vector<ReportRow>& rows, int height) {
    QImage image(Width, std::max(height, 1), QImage::Format_RGB32);
    QPainter p(&image);
    const QImage background = pictures::image(QStringLiteral("tloglowne"));
    if (background.isNull()) {
        image.fill(palette::lavenderPale);
    } else {
        p.drawTiledPixmap(image.rect(), QPixmap::fromImage(background));
    }
    QFont font = p.font();
    font.setPointSize(8);
    p.setFont(font);
    const QImage header = pictures::image(QStringLiteral("opisnaglowek"));
    const QImage plain = pictures::image(QStringLiteral("opiswiersz"));
    const QImage summary = pictures::image(QStringLiteral("opispodsumowanie"));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ReportRow& row = rows[i];
        const int r = static_cast<int>(i) + 1;
        const int top = RowPitch * r - 21;
        const int textTop = RowPitch * r - 17;
        switch (row.shape) {
            case ReportRow::Header:
                p.drawImage(2, top, header);
                drawToned(p, QRect(2, textTop, 250, 16), Qt::AlignHCenter | Qt::AlignTop, row.label,
                          row.tone);
                break;
            case ReportRow::Summary:
                p.drawImage(2, top, summary);
                drawToned(p, QRect(2, RowPitch * r - 7, 250, 16), Qt::AlignHCenter | Qt::AlignTop,
                          row.label, row.tone);
                break;
            case ReportRow::Row:
                p.drawImage(2, top, plain);
                if (row.changed) {
                    drawChangedMark(
                        p, QRect(QPoint(2, top),
                                 plain.isNull() ? QSize(250, RowPitch - 2) : plain.size()));
                }
                drawToned(p, QRect(10, textTop, 136, 16), Qt::AlignLeft | Qt::AlignTop, row.label,
                          ReportRow::Normal);
                drawToned(p, QRect(150, textTop, 100, 16), Qt::AlignLeft | Qt::AlignTop,
                          reportValueText(row.value), row.tone);
                break;
        }
    }
    p.setPen(palette::violet);
    p.drawRect(0, 0, image.width() - 1, image.height() - 1);
    return image;
}

void TFOpisy::present(Kind kind, std::vector<ReportRow> rows, int titleText, bool raiseIt) {
    m_kind = kind;
    m_rows = std::move(rows);
    const int n = static_cast<int>(m_rows.size());
    // The variables report keeps one pixel more, as it always had.
    const int rowsHeight = RowPitch * n + 45 + (kind == KindVariables ? 1 : 0);
    m_picture = render(m_rows, rowsHeight - TitleHeight);
    const int height = rowsHeight + placeReasons(rowsHeight);
    m_strip->title()->setText(m_texts.text(titleText));
    nameWindow(*this, m_texts, m_texts.text(titleText));
    m_collapsed = false;
    m_fullHeight = height;
    resize(Width, height);
    if (!isVisible()) {
        m_offset = Offset;
        followMainWindow();
        show();
    }
    if (raiseIt) {
        raise();
    }
    update();
    onReportShown();
}

void TFOpisy::showBoardReport(const BoardCheckResult& result) {
    m_lastBoard = result;
    present(KindBoard, boardReportRows(m_project, result, m_texts), texts::ReportCheckTitle, true);
    // The first reason also stands in the status line, where the pupil looks first.
    if (!result.findings.empty()) {
        m_host.showStatus(checkFindingLine(result.findings.front(), m_texts));
    }
}

int TFOpisy::placeReasons(int top) {
    // Later, not now: the click of one of these lines may be what is being handled.
    for (ClickLabel* line : m_reasonLines) {
        line->hide();
        line->deleteLater();
    }
    m_reasonLines.clear();
    if (m_kind != KindBoard || (m_lastBoard.findings.empty() && m_lastBoard.hints.empty())) {
        m_reasons->hide();
        return 0;
    }
    const TextTable& texts = m_texts;
    const int width = Width - 2 * ReasonMargin;
    int y = ReasonMargin;
    // The hints follow the reasons: they fail no stage, but a click shows their cells too.
    std::vector<CheckFinding> lines = m_lastBoard.findings;
    lines.insert(lines.end(), m_lastBoard.hints.begin(), m_lastBoard.hints.end());
    for (const CheckFinding& finding : lines) {
        auto* line = new ClickLabel(checkFindingLine(finding, texts), m_reasons);
        line->setWordWrap(true);
        line->setCursor(Qt::PointingHandCursor);
        line->setStyleSheet(palette::textColour(palette::ink));
        line->setGeometry(ReasonMargin, y, width, line->heightForWidth(width));
        line->onClicked = [this, finding] {
            m_host.editor().showFinding(finding.board, finding.column, finding.row);
        };
        line->show();
        y += line->height() + ReasonGap;
        m_reasonLines.push_back(line);
    }
    const int height = y + ReasonMargin - ReasonGap;
    m_reasons->setGeometry(0, top, Width, height);
    m_reasons->show();
    return height;
}

void TFOpisy::showProjectReport(const QString& projectName) {
    m_lastProject = projectName;
    present(KindProject, projectReportRows(projectName, m_texts), texts::ReportCheckTitle, true);
}

void TFOpisy::showVariablesReport(const std::vector<ReportRow>& rows) {
    present(KindVariables, rows, texts::ReportVariablesTitle, false);
}

void TFOpisy::showVariables() {
    m_variablesBefore = m_variables.variablesList();
    showVariablesReport(variablesReportRows(m_project, m_variablesBefore, m_texts));
}

void TFOpisy::showVariableChanges() {
    const QString now = m_variables.variablesList();
    showVariablesReport(variablesReportRows(m_project, now, m_texts, &m_variablesBefore));
    m_variablesBefore = now;
}

void TFOpisy::showRecordedVariables(const QString& list, const QString& before) {
    showVariablesReport(variablesReportRows(m_project, list, m_texts, &before));
}

void TFOpisy::setTitleStrip(const QString& title) {
    m_strip->title()->setText(title);
    nameWindow(*this, m_texts, title);
}

QString TFOpisy::title() const {
    return m_strip->title()->text();
}

void TFOpisy::showAgain() {
    switch (m_kind) {
        case KindBoard:
            showBoardReport(m_lastBoard);
            break;
        case KindProject:
            showProjectReport(m_lastProject);
            break;
        default:
            showVariables();
            break;
    }
}

void TFOpisy::applyTexts() {
    if (isVisible()) {
        showAgain();
    }
}

void TFOpisy::followMainWindow() {
    move(m_host.origin() + m_offset);
}

void TFOpisy::toggleCollapsed() {
    if (m_collapsed) {
        resize(Width, m_fullHeight);
    } else {
        m_fullHeight = height();
        resize(Width, TitleHeight);
    }
    m_collapsed = !m_collapsed;
}

void TFOpisy::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, TitleHeight, m_picture);
    if (m_reasons->isVisible()) {
        const QRect area = m_reasons->geometry();
        p.fillRect(area, palette::paper);
        p.setPen(palette::violet);
        p.drawRect(area.adjusted(0, -1, -1, -1));
    }
}

void TFOpisy::keyPressEvent(QKeyEvent* event) {
    m_host.handleKey(event, KeySource::Report);
    event->accept();
}

}  // namespace trevalon
