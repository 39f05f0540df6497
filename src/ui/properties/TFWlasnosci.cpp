#include "ui/properties/TFWlasnosci.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QTimer>

#include "config/TextIds.h"
#include "config/TextTable.h"
#include "edit/Editor.h"
#include "edit/EditorView.h"
#include "edit/PropertiesKind.h"
#include "ui/app/WindowPlacement.h"
#include "ui/main/WindowHost.h"
#include "ui/pictures/Pictures.h"
#include "ui/properties/PropertyWidgets.h"
#include "ui/widgets/DragLabel.h"
#include "ui/widgets/Palette.h"

namespace trevalon {
namespace {

// Rows of the block with the most properties, with the window's title strip.
constexpr int LongestKindRows = 8;

constexpr int EditorLeft = 98;
constexpr int EditorWidth = 143;

QString rowPicture(const PropertyRow& row, bool english) {
    if (row.field == PropertyField::Strip) {
        return english ? QStringLiteral("wlasnosciprzyciskang")
                       : QStringLiteral("wlasnosciprzycisk");
    }
    switch (row.editor) {
        case RowEditor::Text:
            return QStringLiteral("wlasnosciaktywne");
        case RowEditor::List:
            return QStringLiteral("wlasnosciaktywnelista");
        case RowEditor::ReadOnly:
            break;
    }
    return QStringLiteral("wlasnoscinonaktywne");
}

// Labels and values keep to their columns: a text too wide for its column is drawn narrower
// rather than over its neighbour.
void drawFitted(QPainter& p, const QRect& box, const QString& text) {
    const int width = p.fontMetrics().horizontalAdvance(text);
    if (width <= box.width()) {
        p.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
        return;
    }
    p.save();
    p.translate(box.topLeft());
    p.scale(double(box.width()) / width, 1.0);
    p.drawText(QRect(0, 0, width, box.height()), Qt::AlignLeft | Qt::AlignTop, text);
    p.restore();
}

QFont rowFont() {
    QFont font;
    font.setPixelSize(11);
    return font;
}

}  // namespace

TFWlasnosci::TFWlasnosci(Project& project, const TextTable& texts, WindowHost& host,
                         EditorView& view, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint),
      m_texts(texts),
      m_host(host),
      m_view(view),
      m_props(project, texts) {
    setObjectName(QStringLiteral("TFWlasnosci"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::StrongFocus);
    buildControls();
    m_props.show(PropertiesBoard, 0, 0);
    redrawRows();
}

void TFWlasnosci::buildControls() {
    m_strip = TitleStrip::companion(
        *this, QStringLiteral("Zmknij to okno"), [this] { toggleCollapsed(); },
        [this] { hideProperties(); });
    m_strip->title()->onReleased = [this] { m_offset = pos() - m_host.origin(); };

    m_picture = new PropertyPicture(this);
    m_picture->setObjectName(QStringLiteral("ImWlasnosci"));
    m_picture->onPressed = [this](const QPoint& at) { pressed(at); };
    m_picture->onDoubleClicked = [this](const QPoint& at) { doubleClicked(at.y() / RowPitch + 1); };

    m_edit = new PropertyEdit(m_picture);
    m_edit->setObjectName(QStringLiteral("ETekst"));
    m_edit->setFrame(false);
    m_edit->hide();
    m_edit->onCommandKey = [this](QKeyEvent* event) { return commandKey(event); };
    m_edit->onFinished = [this] { closeText(); };
    m_edit->onDoubleClicked = [this] { return doubleClicked(m_currentRow); };
    m_edit->onCancelled = [this] { cancelText(); };
    m_edit->onRefused = [this](const Status& reason) { showHint(reason); };
    m_edit->onAccepted = [this] { clearHint(); };

    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("LPowod"));
    m_hint->setWordWrap(true);
    m_hint->setMargin(4);
    m_hint->setFont(rowFont());
    m_hint->setAutoFillBackground(true);
    QPalette hintColours = m_hint->palette();
    hintColours.setColor(QPalette::Window, palette::lavenderPale);
    hintColours.setColor(QPalette::WindowText, palette::ink);
    m_hint->setPalette(hintColours);
    m_hint->hide();

    m_list = new PropertyList(m_picture);
    m_list->setObjectName(QStringLiteral("CLista"));
    m_list->hide();
    m_list->installEventFilter(this);
    connect(m_list, &QComboBox::activated, this, [this](int index) { listChosen(index); });
}

QComboBox* TFWlasnosci::list() const {
    return m_list;
}

void TFWlasnosci::resizeEvent(QResizeEvent*) {
    m_strip->span(width());
    m_picture->setGeometry(0, TitleHeight, Width, m_picture->picture().height());
}

bool TFWlasnosci::running() const {
    return m_host.editor().running();
}

QImage TFWlasnosci::render(const BlockProperties& properties, bool english) {
    const int rows = properties.rowCount();
    QImage image(Width, RowPitch * rows + 3, QImage::Format_RGB32);
    QPainter p(&image);
    const QImage tile = pictures::image(QStringLiteral("tloglowne"));
    if (tile.isNull()) {
        image.fill(palette::lavenderPale);
    } else {
        p.drawTiledPixmap(image.rect(), QPixmap::fromImage(tile));
    }
    p.setFont(rowFont());
    p.setPen(palette::ink);
    for (int r = 1; r <= rows; ++r) {
        const QImage face = pictures::image(rowPicture(properties.rowAt(r), english));
        if (face.isNull()) {
            p.fillRect(QRect(2, rowTop(r), 240, RowPitch), palette::rowFill);
        } else {
            p.drawImage(2, rowTop(r), face);
        }
        const int textTop = RowPitch * r - 16;
        drawFitted(p, QRect(5, textTop, 90, 16), properties.label(r));
        drawFitted(p, QRect(102, textTop, 136, 16),
                   BlockProperties::shortened(properties.value(r)));
    }
    p.setPen(palette::violet);
    p.drawRect(0, 0, image.width() - 1, image.height() - 1);
    return image;
}

void TFWlasnosci::redrawRows() {
    m_picture->setPicture(render(m_props, m_texts.isEnglish()));
    pictureHeightChanged();
}

void TFWlasnosci::pictureHeightChanged() {
    int full = RowPitch * (m_props.rowCount() + 1);
    m_picture->setGeometry(0, TitleHeight, Width, m_picture->picture().height());
    const bool hinted = !m_collapsed && !m_hint->text().isEmpty();
    if (hinted) {
        const int top = TitleHeight + m_picture->picture().height();
        m_hint->setGeometry(0, top, Width, m_hint->heightForWidth(Width));
        full = std::max(full, m_hint->geometry().bottom() + 1);
    }
    m_hint->setVisible(hinted);
    resize(Width, m_collapsed ? TitleHeight : full);
}

void TFWlasnosci::showHint(const Status& reason) {
    if (reason.ok()) {
        return;
    }
    m_hint->setText(reason.message(m_texts));
    pictureHeightChanged();
}

void TFWlasnosci::clearHint() {
    if (m_hint->text().isEmpty()) {
        return;
    }
    m_hint->clear();
    pictureHeightChanged();
}

void TFWlasnosci::showKind(int kind) {
    finishEditing();
    const Editor& editor = m_host.editor();
    m_props.show(kind, editor.currentColumn(), editor.currentRow());
    m_currentRow = 0;
    m_collapsed = false;
    m_strip->title()->setText(QStringLiteral("  ") + m_texts.text(texts::PropertiesTitle));
    redrawRows();
    if (!isVisible()) {
        // Where it was last, or where the last project's layout put it.
        move(m_host.origin() + m_offset);
        show();
    }
    raise();
}

void TFWlasnosci::refreshProperties() {
    m_strip->title()->setText(QStringLiteral("  ") + m_texts.text(texts::PropertiesTitle));
    if (!isVisible()) {
        return;
    }
    finishEditing();
    m_props.rebuild();
    redrawRows();
}

bool TFWlasnosci::isEditing() const {
    return m_edit->isVisible() || m_list->isVisible();
}

void TFWlasnosci::toggleProperties() {
    if (isVisible()) {
        hideProperties();
    } else {
        showKind(m_host.editor().propertiesKind());
    }
}

void TFWlasnosci::hideProperties() {
    finishEditing();
    hide();
}

void TFWlasnosci::followMainWindow() {
    if (isVisible()) {
        move(m_host.origin() + m_offset);
    }
}

// The window manager's close (Alt+F4, say) does what the window's own close mark does.
void TFWlasnosci::closeEvent(QCloseEvent* event) {
    hideProperties();
    event->accept();
}

void TFWlasnosci::placeBeside(const QRect& boards, int gap, const std::vector<QRect>& avoid) {
    // Laid out at the full height of the longest kind of block, so that choosing another block
    // later does not grow the window over a board.
    const QSize room(width(), std::max(height(), RowPitch * LongestKindRows));
    const QRect area = placement::availableArea(*parentWidget());
    m_offset = placement::beside(room, boards, area, gap, avoid) - m_host.origin();
    move(m_host.origin() + m_offset);
}

void TFWlasnosci::toggleCollapsed() {
    if (!m_collapsed) {
        finishEditing();
    }
    m_collapsed = !m_collapsed;
    pictureHeightChanged();
}

void TFWlasnosci::finishEditing() {
    if (m_edit->isVisible()) {
        closeText();
    }
    if (m_list->isVisible()) {
        // What the list shows is the choice, as when it is chosen with the keys and Enter.
        m_list->hidePopup();
        listChosen(m_list->currentIndex());
    }
}

void TFWlasnosci::cancelList() {
    m_list->hidePopup();
    m_list->hide();
    m_picture->setFocus(Qt::OtherFocusReason);
}

void TFWlasnosci::pressed(const QPoint& at) {
    finishEditing();
    if (running()) {
        return;
    }
    const int r = at.y() / RowPitch + 1;
    switch (m_props.rowAt(r).editor) {
        case RowEditor::Text:
            openText(r);
            break;
        case RowEditor::List:
            openList(r);
            break;
        case RowEditor::ReadOnly:
            break;
    }
}

void TFWlasnosci::openText(int r) {
    clearHint();
    const PropertyRow& row = m_props.rowAt(r);
    m_currentRow = r;
    const QString text = m_props.editText(r);
    // A longer text (from a file or a builder) is kept whole rather than cut by the limit.
    m_edit->setMaxLength(std::max(row.limit, static_cast<int>(text.size())));
    m_edit->setFilter(row.filter);
    m_edit->setText(text);
    // Typing replaces the whole value; a click in the open editor puts the caret where it is.
    m_edit->selectAll();
    m_edit->setGeometry(EditorLeft, RowPitch * (r - 1) + 2, EditorWidth, RowPitch - 2);
    m_edit->show();
    m_edit->setFocus(Qt::MouseFocusReason);
}

void TFWlasnosci::openList(int r) {
    clearHint();
    m_currentRow = r;
    m_list->clear();
    m_list->addItems(m_props.listItems(r));
    m_listStart = m_props.listChoice(r);
    m_list->setCurrentIndex(m_listStart);
    m_list->setGeometry(EditorLeft, RowPitch * (r - 1) + 1, EditorWidth, RowPitch);
    m_list->show();
    m_list->setFocus(Qt::MouseFocusReason);
    // The list is a drop-down: it opens at once, so that one click chooses.
    QTimer::singleShot(0, m_list, [this] {
        if (m_list->isVisible()) {
            m_list->showPopup();
        }
    });
}

void TFWlasnosci::closeText() {
    if (m_closing || !m_edit->isVisible()) {
        return;
    }
    m_closing = true;
    const QString text = m_edit->text();
    m_edit->hide();
    m_picture->setFocus(Qt::OtherFocusReason);
    // A refusal keeps the stored value, which the row shows again, and says why under it.
    // A refused key's hint ends with its edit; a refused value's reason stays until the next
    // edit, also when the edit ended with a click on a board that selects another block.
    const BlockProperties::Effects effects = m_props.storeText(m_currentRow, text);
    applyEffects(effects);
    m_hint->clear();
    redrawRows();
    showHint(effects.refusal);
    m_closing = false;
}

void TFWlasnosci::cancelText() {
    if (m_closing || !m_edit->isVisible()) {
        return;
    }
    m_closing = true;
    m_edit->hide();
    m_picture->setFocus(Qt::OtherFocusReason);
    clearHint();
    m_closing = false;
}

void TFWlasnosci::listChosen(int index) {
    if (!m_list->isVisible()) {
        return;
    }
    m_list->hide();
    m_picture->setFocus(Qt::OtherFocusReason);
    if (index != m_listStart) {
        applyEffects(m_props.storeChoice(m_currentRow, index));
    }
    redrawRows();
}

void TFWlasnosci::applyEffects(const BlockProperties::Effects& effects) {
    if (!effects.stored) {
        return;
    }
    if (effects.boardResized) {
        m_view.showBoardWindow(m_props.board());
    }
    // Also after a resize: a changed board is what makes the edit a step of the history.
    m_view.boardChanged(m_props.board());
    if (effects.boardRenamed) {
        m_view.titlesChanged();
    }
}

// A double click on a formula or text row opens its builder; the builder's text is stored
// like a typed one.
bool TFWlasnosci::doubleClicked(int r) {
    if (running()) {
        return false;
    }
    const PropertyRow& row = m_props.rowAt(r);
    if (row.builder == RowBuilder::None) {
        return false;
    }
    finishEditing();
    m_currentRow = r;
    std::optional<QString> result;
    if (row.builder == RowBuilder::Expression && openExpressionBuilder) {
        result = openExpressionBuilder({m_props.builderText(r), m_props.formulaTarget(),
                                        m_props.board(), m_props.column(), m_props.row()});
    } else if (row.builder == RowBuilder::Comment && openCommentBuilder) {
        result = openCommentBuilder(m_props.builderText(r), m_props.board());
    }
    if (result) {
        applyEffects(m_props.storeText(r, *result));
        redrawRows();
    }
    return true;
}

bool TFWlasnosci::commandKey(QKeyEvent* event) {
    return m_host.handleKey(event, KeySource::Properties);
}

// The list hands the program's command keys on; Escape closes it without a choice and Enter
// takes what it shows (typed letters choose by the items' first letters, Alt+Down opens it).
bool TFWlasnosci::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            cancelList();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            listChosen(m_list->currentIndex());
            return true;
        }
        if (commandKey(key)) {
            return true;
        }
        // Typed letters search the open list and Enter takes the item found; the closed list
        // would take the first item found at once, before the second letter is typed.
        const QString typed = key->text();
        if (!typed.isEmpty() && typed.front().isPrint() &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            if (!m_list->view()->isVisible()) {
                m_list->showPopup();
            }
            m_list->view()->keyboardSearch(typed);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TFWlasnosci::keyPressEvent(QKeyEvent* event) {
    if (commandKey(event)) {
        event->accept();
    } else {
        QWidget::keyPressEvent(event);
    }
}

}  // namespace trevalon
