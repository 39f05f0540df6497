#include "ui/properties/PropertyWidgets.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "ui/widgets/Palette.h"

namespace trevalon {

PropertyPicture::PropertyPicture(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PropertyPicture::setPicture(const QImage& picture) {
    m_picture = picture;
    update();
}

void PropertyPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette::violet);
    p.drawImage(0, 0, m_picture);
}

void PropertyPicture::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && onPressed) {
        onPressed(event->position().toPoint());
    }
}

void PropertyPicture::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && onDoubleClicked) {
        onDoubleClicked(event->position().toPoint());
    }
}

PropertyEdit::PropertyEdit(QWidget* parent) : QLineEdit(parent) {
    // Pasting and dropping would bypass the field's filter; pasting with the keys goes
    // through it below.
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
}

void PropertyEdit::typeText(const QString& text) {
    for (const QChar typed : text) {
        if (typed == u'\b' || typed == u'\t') {
            continue;
        }
        // What is selected is replaced, so the field's rule sees the text without it.
        QString current = this->text();
        if (hasSelectedText()) {
            current.remove(selectionStart(), selectedText().size());
        }
        const BlockProperties::KeyVerdict verdict =
            BlockProperties::judgeKey(m_filter, typed, current);
        if (verdict.taken) {
            if (!verdict.taken->isNull()) {
                insert(QString(*verdict.taken));
            }
            if (onAccepted) {
                onAccepted();
            }
        } else if (onRefused) {
            onRefused(verdict.refusal);
        }
    }
}

void PropertyEdit::keyPressEvent(QKeyEvent* event) {
    if (onCommandKey && onCommandKey(event)) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (onCancelled) {
            onCancelled();
        }
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (onFinished) {
            onFinished();
        }
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        typeText(QGuiApplication::clipboard()->text());
        return;
    }
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.front().isPrint();
    if (!printable || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        // Editing and moving keys (backspace, arrows, Delete, Ctrl+A...) work everywhere.
        QLineEdit::keyPressEvent(event);
        if (onAccepted && event->isAccepted()) {
            onAccepted();
        }
        return;
    }
    typeText(typed);
    event->accept();
}

void PropertyEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Another window taking the focus (a board, a message) does not end the edit: the board
    // windows refuse clicks until the edit is finished in this window.
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && isVisible() &&
        onFinished) {
        onFinished();
    }
}

void PropertyEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    if (onDoubleClicked && onDoubleClicked()) {
        return;
    }
    QLineEdit::mouseDoubleClickEvent(event);
}

void PropertyList::showPopup() {
    QComboBox::showPopup();
    QWidget* popup = view()->window();
    if (popup == window()) {
        return;  // no popup window was made
    }
    const QRect field(mapToGlobal(QPoint(0, 0)), size());
    const QRect area = screen()->availableGeometry();
    QPoint at(field.left(), field.bottom() + 1);
    if (at.y() + popup->height() > area.bottom() && field.top() - popup->height() >= area.top()) {
        at.setY(field.top() - popup->height());
    }
    at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - popup->width())));
    popup->move(at);
}

}  // namespace trevalon
