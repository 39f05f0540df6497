#include "ui/properties/PropertyWidgets.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>

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
        const std::optional<QChar> accepted =
            BlockProperties::acceptKey(m_filter, typed, this->text());
        if (accepted && !accepted->isNull()) {
            insert(QString(*accepted));
        }
    }
}

void PropertyEdit::keyPressEvent(QKeyEvent* event) {
    if (onCommandKey && onCommandKey(event)) {
        event->accept();
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

}  // namespace trevalon
