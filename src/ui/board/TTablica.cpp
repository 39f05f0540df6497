#include "ui/board/TTablica.h"

#include <QKeyEvent>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <cmath>

#include "config/TextTable.h"
#include "edit/BoardGeometry.h"
#include "edit/Editor.h"
#include "exec/Breakpoints.h"
#include "model/Project.h"
#include "ui/app/WindowPlacement.h"
#include "ui/board/BoardImage.h"
#include "ui/board/ZoomSteps.h"
#include "ui/main/CommandTable.h"
#include "ui/main/WindowHost.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/DragLabel.h"
#include "ui/widgets/Palette.h"
#include "ui/widgets/TitleStrip.h"
#include "ui/widgets/WindowTitle.h"

namespace trevalon {
namespace {

Editor::Click classify(const QMouseEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (event->button() == Qt::LeftButton) {
        if (mods == Qt::NoModifier) {
            return Editor::Click::Left;
        }
        if (mods == Qt::ShiftModifier) {
            return Editor::Click::ShiftLeft;
        }
        if (mods == Qt::ControlModifier) {
            return Editor::Click::CtrlLeft;
        }
        return Editor::Click::Other;
    }
    return event->button() == Qt::RightButton ? Editor::Click::Right : Editor::Click::Other;
}

}  // namespace

TTablica::TTablica(int number, Project& project, const TextTable& texts, WindowHost& host,
                   QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint),
      m_number(number),
      m_project(project),
      m_texts(texts),
      m_host(host) {
    setObjectName(QStringLiteral("TTablica%1").arg(number));
    setFocusPolicy(Qt::StrongFocus);
    buildStrip();
    // The board scrolls where the screen is too small for its window (a 15 x 15 board on a
    // small or strongly scaled screen); elsewhere the view is exactly the picture's size.
    m_view = new QScrollArea(this);
    m_view->setObjectName(QStringLiteral("PWidok"));
    m_view->setFrameShape(QFrame::NoFrame);
    m_view->setStyleSheet(
        QStringLiteral("QScrollArea { background: %1; }").arg(palette::css(palette::violet)));
    m_image = new BoardImage;
    m_view->setWidget(m_image);
    m_image->onPressed = [this](QMouseEvent* event, const QPoint& at) { imagePressed(event, at); };
    m_image->onZoomWheel = [this](int notches, const QPoint& at) {
        zoomBy(notches, m_image->mapTo(m_view->viewport(), at));
    };
    m_image->onRatioChanged = [this] { redraw(); };
    m_image->onDragged = [this](const QPoint& pos) {
        m_host.editor().dragSelection(m_number, pos);
    };
    m_image->onMoved = [this](const QPoint& pos) {
        m_host.showStatus(m_host.editor().statusText(m_number, pos));
    };
    buildPopup();
    applyTexts();
    const QSize size = geometry::boardWindowSize(8, 8);
    m_image->setFixedSize(geometry::boardImageSize(8, 8));
    resize(size);
    m_fullHeight = size.height();
}

// The marks sit at their places from the right edge; the delete mark is narrower than its
// 16 pixels' picture would need, so it overlaps the edge line by one pixel. The title is styled
// when the board becomes active or not.
void TTablica::buildStrip() {
    const int collapseAt = m_number == 1 ? 27 : 32;
    m_strip = new TitleStrip(*this,
                             {.titleLeft = 20,
                              .titleRight = collapseAt,
                              .titleInk = QColor(),
                              .picture = QStringLiteral("listwa")},
                             QStringLiteral("PGora"));
    // The board's menu, as a right click on a cell opens it, below the mark; the board becomes
    // the active one first, as a click on its title makes it.
    m_menuMark = m_strip->addMark("LMenuOkna", "ikomenu", {TitleStrip::Left, 3}, [this] {
        if (m_project.activeBoard != m_number) {
            m_host.editor().activateBoard(m_number);
        }
        updatePopupState();
        m_popup->popup(m_menuMark->mapToGlobal(m_menuMark->rect().bottomLeft()));
    });
    m_title = m_strip->title();
    m_title->onPressed = [this] {
        if (m_project.activeBoard != m_number) {
            m_host.editor().activateBoard(m_number);
        }
    };
    m_title->onReleased = [this] { storeOffset(); };

    m_collapseLabel =
        m_strip->addCollapse({TitleStrip::Right, collapseAt}, [this] { toggleCollapsed(); });
    if (m_number > 1) {
        m_deleteLabel =
            m_strip->addMark("LUsunTablice", "ikousun", {TitleStrip::Right, 16, {15, 16}},
                             [this] { m_host.editor().deleteOwnBoard(m_number); });
        m_deleteLabel->setToolTip(QStringLiteral("Usuń tę planszę"));
    }
}

void TTablica::layoutStrip() {
    const int w = width();
    m_strip->span(w);
    m_view->setGeometry(0, geometry::kTitleHeight, w,
                        std::max(0, height() - geometry::kTitleHeight));
}

void TTablica::resizeEvent(QResizeEvent*) {
    layoutStrip();
}

void TTablica::buildPopup() {
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopMenu"));
    const auto add = [this](const char* name, auto handler) {
        QAction* action = m_popup->addAction(QString());
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    m_moveBlock = add("PMPrzesunKlocek", [this] {
        Editor& editor = m_host.editor();
        if (editor.currentBoard() == m_project.activeBoard) {
            editor.beginMove(editor.currentColumn(), editor.currentRow());
        }
    });
    m_deleteBlock = add("PMUsunKlocek", [this] { m_host.editor().deleteCurrentBlock(); });
    m_breakpoint =
        add("PMPunktZatrzymania", [this] { m_host.executeCommand(Command::ToggleBreakpoint); });
    m_breakpoint->setCheckable(true);
    m_popup->addSeparator();
    m_cutBlocks = add("PMWytnij", [this] { m_host.executeCommand(Command::CutBlocks); });
    m_copyBlocks = add("PMKopiuj", [this] { m_host.executeCommand(Command::CopyBlocks); });
    m_pasteBlocks = add("PMWklej", [this] { m_host.executeCommand(Command::PasteBlocks); });
    m_popup->addSeparator();
    m_copyBoard = add("PMKopiujPlansze", [this] { m_host.copyActiveBoardPicture(); });
    m_popup->addSeparator();
    m_clearBoard = add("PMWyczyscPlansze", [this] { m_host.editor().clearBoard(); });
    m_checkBoard = add("PMSprawdzPlansze", [this] { m_host.checkActiveBoard(); });
    m_deleteBoard = add("PMUsunPlansze", [this] { m_host.editor().deleteBoard(); });
    connect(m_popup, &QMenu::aboutToShow, this, [this] { updatePopupState(); });
}

void TTablica::applyTexts() {
    // A tab in an item's text shows the key on the right without binding it: the keys
    // themselves go through the main window's key table.
    const auto withKey = [this](int text, Command command) {
        return m_texts.text(text) + QLatin1Char('\t') + keyText(command);
    };
    const QString deleteKey =
        m_number > 1 ? QLatin1Char('\t') + keyText(Command::DeleteBlock) : QString();
    m_moveBlock->setText(m_texts.text(texts::BoardMenuMoveBlock));
    m_deleteBlock->setText(m_texts.text(texts::BoardMenuDeleteBlock) + deleteKey);
    m_breakpoint->setText(withKey(texts::MenuToggleBreakpoint, Command::ToggleBreakpoint));
    m_cutBlocks->setText(withKey(texts::MenuCutBlocks, Command::CutBlocks));
    m_copyBlocks->setText(withKey(texts::MenuCopyBlocks, Command::CopyBlocks));
    m_pasteBlocks->setText(withKey(texts::MenuPasteBlocks, Command::PasteBlocks));
    m_copyBoard->setText(m_texts.text(texts::BoardMenuCopyPicture));
    m_clearBoard->setText(m_texts.text(texts::BoardMenuClear));
    m_checkBoard->setText(withKey(texts::BoardMenuCheck, Command::CheckBoard));
    m_deleteBoard->setText(m_texts.text(texts::BoardMenuDelete));
    m_title->setText(titleText());
    nameWindow(*this, m_texts, m_texts.text(texts::BoardWindowName).arg(m_number));
}

// The zoom shows in the title while it is not 100 %: a board that looks different says why.
QString TTablica::titleText() const {
    const QString name = m_project.board(m_number).name;
    if (m_zoom == zoom::kActual) {
        return QStringLiteral("  ") + name;
    }
    return QStringLiteral("  ") + m_texts.text(texts::ZoomedTitle).arg(name).arg(m_zoom);
}

void TTablica::updatePopupState() {
    const Editor::PopupState state = m_host.editor().popupState();
    m_moveBlock->setEnabled(state.moveBlock);
    m_deleteBlock->setEnabled(state.deleteBlock);
    m_breakpoint->setEnabled(state.moveBlock);
    const Editor& editor = m_host.editor();
    m_breakpoint->setChecked(
        state.moveBlock && m_host.breakpoints().has({editor.currentBoard(), editor.currentColumn(),
                                                     editor.currentRow()}));
    m_cutBlocks->setEnabled(state.copyBlocks);
    m_copyBlocks->setEnabled(state.copyBlocks);
    m_pasteBlocks->setEnabled(m_host.commandAllowed(Command::PasteBlocks));
    m_clearBoard->setEnabled(state.clearBoard);
    m_checkBoard->setEnabled(state.checkBoard);
    m_deleteBoard->setEnabled(state.deleteBoard);
}

void TTablica::setActiveTitle(bool active) {
    m_title->setText(titleText());
    if (m_activeTitle != active || m_title->styleSheet().isEmpty()) {
        m_activeTitle = active;
        m_strip->setTitleInk(active ? palette::yellow : palette::white);
    }
}

void TTablica::placeAndDraw() {
    const Board& board = m_project.board(m_number);
    m_collapsed = false;
    const QPoint at = m_host.origin() + QPoint(board.left, board.top);
    fitWindow(at);
    move(at);
    m_title->setText(titleText());
    redraw();
}

void TTablica::fitWindow(const QPoint& at) {
    const QSize plain = BoardPicture::size(m_project.board(m_number));
    const qreal scale = m_zoom / 100.0;
    const QSize image(int(std::ceil(plain.width() * scale)),
                      int(std::ceil(plain.height() * scale)));
    m_image->setZoom(m_zoom);
    m_image->setFixedSize(image);
    // Made smaller, the window keeps room for its title (as much as it had at 100 %); the image
    // sits in its corner.
    const int title = m_title->fontMetrics().horizontalAdvance(titleText()) + TitleMargins;
    const int width = std::max(image.width(), std::min(plain.width(), title));
    const QSize size(width, image.height() + geometry::kTitleHeight);
    // Kept at its offset; what the screen has no room for scrolls.
    const QRect area = placement::availableArea(*parentWidget());
    const QSize room(std::max(area.right() + 1 - at.x(), MinimumVisible.width()),
                     std::max(area.bottom() + 1 - at.y(), MinimumVisible.height()));
    QSize shown = size.boundedTo(room);
    // A scroll bar one way takes room from the other: given it where the screen has it, a
    // board too high for the screen does not also scroll sideways.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_view);
    if (shown.height() < size.height()) {
        shown.setWidth(std::min(shown.width() + bar, room.width()));
    }
    if (shown.width() < size.width()) {
        shown.setHeight(std::min(shown.height() + bar, room.height()));
    }
    m_fullHeight = shown.height();
    resize(shown.width(), m_collapsed ? geometry::kTitleHeight : shown.height());
}

QList<QPoint> TTablica::stops() const {
    QList<QPoint> cells;
    for (const CellRef& at : m_host.breakpoints().all()) {
        if (at.board == m_number) {
            cells.append(QPoint(at.column, at.row));
        }
    }
    return cells;
}

// At one device pixel per board unit the picture is today's, made of the embedded pictures;
// at any other scale it is drawn for the device's pixels, so it is never a stretched bitmap.
void TTablica::redraw() {
    const Board& board = m_project.board(m_number);
    const Editor& editor = m_host.editor();
    const qreal ratio = devicePixelRatioF();
    QImage picture =
        BoardPicture::render(board, editor.frames(m_number), editor.selection(m_number), stops(),
                             m_zoom / 100.0 * ratio, m_tiles, m_image->takePicture());
    picture.setDevicePixelRatio(ratio);
    m_image->setPicture(picture);
}

QImage TTablica::plainPicture() const {
    const Editor& editor = m_host.editor();
    return BoardPicture::render(m_project.board(m_number), editor.frames(m_number),
                                editor.selection(m_number), stops());
}

void TTablica::zoomBy(int direction, std::optional<QPoint> anchor) {
    int percent = m_zoom;
    if (direction == 0) {
        percent = zoom::step(percent, 0);
    }
    for (int i = 0; i < std::abs(direction); ++i) {
        percent = zoom::step(percent, direction);
    }
    setZoom(percent, anchor);
}

void TTablica::setZoom(int percent, std::optional<QPoint> anchor) {
    percent = std::clamp(percent, zoom::kSteps.front(), zoom::kSteps.back());
    if (percent == m_zoom) {
        return;
    }
    // The board point under the anchor (in the view's coordinates) stays under it.
    QScrollBar* across = m_view->horizontalScrollBar();
    QScrollBar* down = m_view->verticalScrollBar();
    const QPoint fixed = anchor.value_or(m_view->viewport()->rect().center());
    const QPointF point = (QPointF(fixed) + QPointF(across->value(), down->value())) / m_zoom;
    m_zoom = percent;
    fitWindow(pos());
    m_title->setText(titleText());
    redraw();
    across->setValue(int(std::lround(point.x() * m_zoom - fixed.x())));
    down->setValue(int(std::lround(point.y() * m_zoom - fixed.y())));
    m_host.boardResized(m_number);
}

void TTablica::toggleCollapsed() {
    if (m_collapsed) {
        resize(width(), m_fullHeight);
    } else {
        m_fullHeight = height();
        resize(width(), geometry::kTitleHeight);
    }
    m_collapsed = !m_collapsed;
}

void TTablica::showCell(int column, int row) {
    const QRectF square = QRectF(geometry::cellRect(column, row));
    const qreal scale = m_zoom / 100.0;
    const QPointF centre = square.center() * scale;
    m_view->ensureVisible(int(std::lround(centre.x())), int(std::lround(centre.y())),
                          int(std::lround(square.width() * scale)),
                          int(std::lround(square.height() * scale)));
}

void TTablica::setImageCursor(const QCursor& cursor) {
    m_image->setCursor(cursor);
}

void TTablica::moveTo(const QPoint& topLeft) {
    move(topLeft);
    storeOffset();
}

void TTablica::storeOffset() {
    Board& board = m_project.board(m_number);
    const QPoint offset = pos() - m_host.origin();
    board.left = offset.x();
    board.top = offset.y();
}

void TTablica::imagePressed(QMouseEvent* event, const QPoint& at) {
    if (m_host.editor().mouseDown(m_number, at, classify(event))) {
        updatePopupState();
        m_popup->popup(event->globalPosition().toPoint());
    }
}

void TTablica::keyPressEvent(QKeyEvent* event) {
    m_host.handleKey(event, KeySource::Board);
    event->accept();
}

}  // namespace trevalon
