#include "ui/schema/TFSchemat.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QSaveFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "config/EventLog.h"
#include "config/MessageSink.h"
#include "config/SettingsStore.h"
#include "config/TextTable.h"
#include "model/Project.h"
#include "ui/app/WindowPlacement.h"
#include "ui/board/ZoomSteps.h"
#include "ui/dialogs/DialogParts.h"
#include "ui/main/CommandTable.h"
#include "ui/main/WindowHost.h"
#include "ui/pictures/Pictures.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/DragLabel.h"
#include "ui/widgets/Palette.h"
#include "ui/widgets/ResizeGrip.h"
#include "ui/widgets/TJetButton.h"
#include "ui/widgets/TitleStrip.h"
#include "ui/widgets/WindowTitle.h"

namespace trevalon {
namespace {

constexpr int BoxTop = 36;
constexpr int ButtonGap = 8;
constexpr int GripSize = 16;

}  // namespace

TFSchemat::TFSchemat(const Project& project, const TextTable& texts, EventLog& log,
                     MessageSink& messages, SettingsStore& settings, WindowHost& host,
                     QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_project(project),
      m_texts(texts),
      m_log(log),
      m_messages(messages),
      m_settings(settings),
      m_host(host) {
    setObjectName(QStringLiteral("TFSchemat"));
    setModal(true);
    setMinimumSize(MinimumSize);
    buildControls();
    resize(MinimumSize);
    applyTexts();
}

TFSchemat::~TFSchemat() = default;

QLabel* TFSchemat::gripLabel() const {
    return m_grip;
}

void TFSchemat::buildControls() {
    // The window draws the strip's picture itself, under its frame.
    m_strip = new TitleStrip(*this, {.titleRight = 46});
    m_title = m_strip->title();
    m_maximise = m_strip->addMark("LMaksymalizuj", "ikomaksymalizuj", {TitleStrip::Right, 40},
                                  [this] { setMaximisedView(true); });
    m_restore = m_strip->addMark("LPrzywroc", "ikoprzywroc", {TitleStrip::Right, 40},
                                 [this] { setMaximisedView(false); });
    m_restore->hide();
    m_closeMark = m_strip->addMark("LZamknij", "ikozamknij", {TitleStrip::Right, 20},
                                   [this] { closeSchema(); });

    m_box = new QScrollArea(this);
    m_box->setObjectName(QStringLiteral("Box"));
    m_box->setFrameShape(QFrame::NoFrame);
    m_box->setBackgroundRole(QPalette::Base);
    m_box->setStyleSheet(QStringLiteral("QScrollArea#Box { background: white; }"));
    m_page = new QLabel;
    m_page->setObjectName(QStringLiteral("ImPlansza"));
    m_page->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_box->setWidget(m_page);
    m_box->setWidgetResizable(false);
    m_box->viewport()->installEventFilter(this);

    const auto button = [this](const char* name, int width, int tag) {
        auto* b = new TJetButton(tag, this);
        b->setObjectName(QLatin1String(name));
        b->resize(width, 26);
        return b;
    };
    m_copy = button("ButKopiuj", 120, 1);
    m_copy->onClicked = [this](int) { copyPage(); };
    m_save = button("ButZapiszPng", 120, 2);
    m_save->onClicked = [this](int) { saveFromButton(); };
    m_close = button("ButZamknij", 88, 3);
    m_close->onClicked = [this](int) { closeSchema(); };
    const QPixmap face = pictures::pixmap(QStringLiteral("przycisk"));
    const QPixmap faceOver = pictures::pixmap(QStringLiteral("przyciskakt"));
    m_copy->setFaces(face, faceOver, face);
    m_save->setFaces(face, faceOver, face);

    m_grip = new ResizeGrip(
        *this, [this](const QSize& dragged) { return gripSize(dragged, m_largest); },
        [this] { return !m_maximised; });
    m_grip->setObjectName(QStringLiteral("LRameczka"));
}

void TFSchemat::applyTexts() {
    const TextTable& texts = m_texts;
    const QString title = texts.text(texts::SchemaTitle);
    m_title->setText(
        QStringLiteral("  ") +
        (m_zoom == zoom::kActual ? title : texts.text(texts::ZoomedTitle).arg(title).arg(m_zoom)));
    nameWindow(*this, texts, title);
    m_maximise->setToolTip(texts.text(texts::WindowMaximise));
    m_restore->setToolTip(texts.text(texts::WindowRestore));
    m_closeMark->setToolTip(texts.text(texts::WindowClose));
    m_copy->setCaption(texts.text(texts::SchemaCopy));
    m_copy->setToolTip(texts.text(texts::SchemaCopy));
    m_save->setCaption(texts.text(texts::SchemaSavePng));
    m_save->setToolTip(texts.text(texts::SchemaSavePng));
    m_close->setToolTip(texts.text(texts::WindowClose));
    const bool english = texts.isEnglish();
    m_close->setFaces(
        pictures::localized(QStringLiteral("butzamknij"), QStringLiteral("butclose"), english),
        pictures::localized(QStringLiteral("butzamknijakt"), QStringLiteral("butcloseakt"),
                            english),
        QPixmap());
}

QSize TFSchemat::openingSize(const QSize& page) {
    const auto fit = [](int side, int least, int most, int margin) {
        if (side < least) {
            return least;
        }
        return side > most ? most : side + margin;
    };
    return {fit(page.width(), MinimumSize.width(), OpeningMaximum.width(), PageMargin.width()),
            fit(page.height(), MinimumSize.height(), OpeningMaximum.height(), PageMargin.height())};
}

QSize TFSchemat::gripSize(const QSize& dragged, const QSize& largest) {
    const int widest = std::max(largest.width(), MinimumSize.width());
    const int highest = std::max(largest.height(), MinimumSize.height());
    return {std::clamp(dragged.width(), MinimumSize.width(), widest),
            std::clamp(dragged.height(), MinimumSize.height(), highest)};
}

void TFSchemat::prepare() {
    if (m_maximised) {
        setMaximisedView(false);
    }
    move(m_host.origin() + Offset);
    applyTexts();
    const Project& project = m_project;
    m_picture = SchemaPage::draw(project.board(project.activeBoard), m_texts,
                                 m_settings.values().schemaShowsVariables, font());
    showPage();
    // The page scrolls inside the window, so a window larger than the screen gives way.
    const QRect area = placement::availableArea(*this);
    resize(openingSize(m_page->size()).boundedTo(area.size()));
    placement::moveOnScreen(*this, pos(), *this);
    logDrawing();
    setMaximisedView(false);
}

void TFSchemat::showPage() {
    const QSize page = SchemaPage::pageSize(m_picture.area);
    const qreal zoom = m_zoom / 100.0;
    const QSize shown(int(std::ceil(page.width() * zoom)), int(std::ceil(page.height() * zoom)));
    m_largest = shown + PageMargin;
    const qreal ratio = devicePixelRatioF();
    m_shownRatio = ratio;
    const qreal scale = zoom * ratio;
    if (m_picture.page.isNull() || scale == 1.0) {
        // At 50 % on a screen of ratio 2 too: the 100 % page, shown at half its size.
        QImage image = m_picture.page;
        image.setDevicePixelRatio(ratio);
        m_page->setPixmap(QPixmap::fromImage(image));
    } else {
        QImage image = zoomedPage(page, scale);
        image.setDevicePixelRatio(ratio);
        m_page->setPixmap(QPixmap::fromImage(image));
    }
    m_page->resize(shown);
}

// The page drawn again from the shapes' sources at the device's pixels, never a stretched copy
// of the 100 % page.
QImage TFSchemat::zoomedPage(const QSize& size, qreal scale) const {
    QImage image(int(std::ceil(size.width() * scale)), int(std::ceil(size.height() * scale)),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(scale, scale);
    const Project& project = m_project;
    SchemaPage::paint(p, project.board(project.activeBoard), m_texts,
                      m_settings.values().schemaShowsVariables, font(), PictureSource::Drawings);
    return image;
}

void TFSchemat::zoomBy(int direction) {
    const int percent = zoom::step(m_zoom, direction);
    if (percent == m_zoom) {
        return;
    }
    // The page point in the middle of the box stays there.
    QScrollBar* across = m_box->horizontalScrollBar();
    QScrollBar* down = m_box->verticalScrollBar();
    const QPoint middle = m_box->viewport()->rect().center();
    const QPointF point = (QPointF(middle) + QPointF(across->value(), down->value())) / m_zoom;
    m_zoom = percent;
    showPage();
    applyTexts();
    across->setValue(int(std::lround(point.x() * m_zoom - middle.x())));
    down->setValue(int(std::lround(point.y() * m_zoom - middle.y())));
}

void TFSchemat::showSchema() {
    prepare();
    exec();
}

void TFSchemat::logDrawing() const {
    EventLog& log = m_log;
    const SchemaArea& area = m_picture.area;
    const QSize page = SchemaPage::pageSize(area);
    log.logAbove(2, QStringLiteral("Schemat: Size: [%1,%2] LeftTop: [%3,%4] If: [%5]")
                        .arg(area.width)
                        .arg(area.height)
                        .arg(area.left)
                        .arg(area.top)
                        .arg(area.conditions));
    log.logAbove(3, QStringLiteral("Ustaw schemat: [%1,%2] Max: [%3,%4]")
                        .arg(page.width())
                        .arg(page.height())
                        .arg(m_largest.width())
                        .arg(m_largest.height()));
    for (const SchemaElement& element : m_picture.elements) {
        log.logAbove(4, QStringLiteral("Write element: [%1,%2] Text: [%3,%4] ")
                                .arg(element.column)
                                .arg(element.row)
                                .arg(element.textSize.width())
                                .arg(element.textSize.height()) +
                            element.text);
    }
}

// The window fills the screen's available area by itself, the same with any window manager or
// none (a window state alone does nothing where no manager acts on it).
void TFSchemat::setMaximisedView(bool maximised) {
    if (maximised && !m_maximised) {
        m_normalGeometry = geometry();
        setGeometry(placement::availableArea(*this));
    } else if (!maximised && m_maximised && m_normalGeometry.isValid()) {
        setGeometry(m_normalGeometry);
    }
    m_maximised = maximised;
    m_maximise->setVisible(!maximised);
    m_title->setVisible(!maximised);
    m_grip->setVisible(!maximised);
    m_restore->setVisible(maximised);
    layoutControls();
}

void TFSchemat::closeSchema() {
    if (m_maximised) {
        setMaximisedView(false);
    }
    m_grip->cancel();
    accept();
}

void TFSchemat::resizeEvent(QResizeEvent*) {
    layoutControls();
}

void TFSchemat::layoutControls() {
    const int w = width();
    const int h = height();
    m_strip->span(w);
    const QSize box(std::max(w - BoxMargin.width(), 0), std::max(h - BoxMargin.height(), 0));
    m_box->setGeometry(BoxMargin.width() / 2, BoxTop, box.width(), box.height());
    const int buttonsWidth = m_copy->width() + m_save->width() + m_close->width() + 2 * ButtonGap;
    const int left = (w - buttonsWidth) / 2;
    const int top = BoxTop + box.height() + (BoxMargin.height() - BoxTop - 26) / 2;
    m_copy->move(left, top);
    m_save->move(m_copy->geometry().right() + 1 + ButtonGap, top);
    m_close->move(m_save->geometry().right() + 1 + ButtonGap, top);
    m_grip->setGeometry(w - GripSize - 3, h - GripSize - 3, GripSize, GripSize);
    update();
}

void TFSchemat::paintEvent(QPaintEvent*) {
    // The window moved to a screen of another pixel ratio: the page is made again for it.
    if (m_shownRatio != devicePixelRatioF()) {
        showPage();
    }
    QPainter p(this);
    dialogparts::paintLightTiles(p, rect());
    TitleStrip::paintPicture(p, QStringLiteral("listwa"), QRect(0, 0, width(), TitleStrip::Height));
    p.setPen(palette::violet);
    p.drawRect(m_box->geometry().adjusted(-1, -1, 0, 0));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TFSchemat::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        closeSchema();
        return;
    }
    // The main window's zoom keys, here for the page: the window is modal. Shift makes no
    // difference here ("+" needs it on most layouts).
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const std::optional<Command> command = commandForKey(event->key(), mods, KeySource::Main);
    if (command == Command::ZoomIn || command == Command::ZoomOut ||
        command == Command::ZoomReset) {
        zoomBy(command == Command::ZoomIn ? 1 : command == Command::ZoomOut ? -1 : 0);
        return;
    }
    QDialog::keyPressEvent(event);
}

// Ctrl and the wheel over the page zoom it; the wheel alone scrolls it.
bool TFSchemat::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_box->viewport() || event->type() != QEvent::Wheel) {
        return QDialog::eventFilter(watched, event);
    }
    auto* wheel = static_cast<QWheelEvent*>(event);
    if (!(wheel->modifiers() & Qt::ControlModifier)) {
        m_wheelRest = 0;
        return false;
    }
    constexpr int notch = 120;
    m_wheelRest += wheel->angleDelta().y();
    for (; m_wheelRest >= notch; m_wheelRest -= notch) {
        zoomBy(1);
    }
    for (; m_wheelRest <= -notch; m_wheelRest += notch) {
        zoomBy(-1);
    }
    return true;
}

void TFSchemat::copyPage() {
    if (!m_picture.page.isNull()) {
        QGuiApplication::clipboard()->setImage(m_picture.page);
    }
    m_log.logAbove(4, m_texts.text(texts::LogSchemaCopied));
}

bool TFSchemat::savePage(const QString& path) {
    QSaveFile file(path);
    // A half-written picture would look like a good one: it is committed only when whole.
    const bool saved = !m_picture.page.isNull() && file.open(QIODevice::WriteOnly) &&
                       m_picture.page.save(&file, "PNG") && file.commit();
    if (!saved) {
        file.cancelWriting();
        m_log.logAbove(1, m_texts.text(texts::SchemaNotSaved) + path);
        m_messages.showMessage(MessageSink::Close, MessageSink::Warning,
                               m_texts.text(texts::SchemaNotSaved) + path);
        return false;
    }
    m_log.logAbove(4, m_texts.text(texts::SchemaSaved) + path);
    return true;
}

QString TFSchemat::chooseSavePath() {
    if (askSavePath) {
        return askSavePath();
    }
    const QString folder = m_settings.values().projectsFolder;
    QString path = QFileDialog::getSaveFileName(this, m_texts.text(texts::SchemaSavePng), folder,
                                                m_texts.text(texts::SchemaPngFilter));
    if (!path.isEmpty() && !path.endsWith(QLatin1String(".png"), Qt::CaseInsensitive)) {
        path += QStringLiteral(".png");
    }
    return path;
}

void TFSchemat::saveFromButton() {
    const QString path = chooseSavePath();
    if (!path.isEmpty()) {
        savePage(path);
    }
}

}  // namespace trevalon
