#include "ui/widgets/TJetButton.h"

#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

#include "ui/widgets/Palette.h"

namespace trevalon {
namespace {

// What a screen reader meets: a push button with the name the toolbar gives it, pressed (or
// checked while it is the block chosen for placing), and pressable without the mouse.
class JetButtonAccessible : public QAccessibleWidget {
public:
    explicit JetButtonAccessible(TJetButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = jet()->chosen();
        return s;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction() && jet()->isEnabled() && !jet()->chosen() && jet()->onClicked) {
            jet()->onClicked(jet()->tag());
        }
    }

private:
    TJetButton* jet() const { return static_cast<TJetButton*>(widget()); }
};

// The button has no meta-object of its own, so Qt asks about it as a "QWidget".
QAccessibleInterface* jetButtonAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("QWidget")) {
        if (auto* button = dynamic_cast<TJetButton*>(object)) {
            return new JetButtonAccessible(button);
        }
    }
    return nullptr;
}

}  // namespace

TJetButton::TJetButton(int tag, QWidget* parent) : QWidget(parent), m_tag(tag) {
    setCursor(Qt::PointingHandCursor);
    // Qt keeps one list of factories for the process; the first button adds ours to it.
    static const bool installed = [] {
        QAccessible::installFactory(jetButtonAccessible);
        return true;
    }();
    (void)installed;
}

void TJetButton::setFaces(const QPixmap& up, const QPixmap& over, const QPixmap& chosen) {
    m_up = up;
    m_over = over;
    m_chosenFace = chosen;
    update();
}

void TJetButton::setCaption(const QString& caption) {
    m_caption = caption;
    update();
}

void TJetButton::setChosen(bool chosen) {
    m_chosen = chosen;
    update();
}

void TJetButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPixmap& face = m_chosen ? m_chosenFace : (m_hovered && isEnabled() ? m_over : m_up);
    if (!face.isNull()) {
        p.drawPixmap(rect(), face);
    } else {
        p.fillRect(rect(), palette::lavenderPale);
        p.setPen(palette::violet);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (!isEnabled() && !m_chosen) {
        p.fillRect(rect(), QColor(255, 255, 255, 140));
    }
    if (!m_caption.isEmpty()) {
        p.setPen(palette::dialogInk);
        p.drawText(rect(), Qt::AlignCenter, m_caption);
    }
}

void TJetButton::enterEvent(QEnterEvent*) {
    m_hovered = true;
    update();
    if (onHovered) {
        onHovered(m_tag);
    }
}

void TJetButton::leaveEvent(QEvent*) {
    m_hovered = false;
    update();
}

void TJetButton::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
}

void TJetButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (wasPressed && !m_chosen && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint()) && onClicked) {
        onClicked(m_tag);
    }
}

}  // namespace trevalon
