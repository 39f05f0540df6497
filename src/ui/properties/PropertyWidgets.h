#pragma once

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QWidget>
#include <functional>

#include "edit/BlockProperties.h"

namespace trevalon {

// The properties window's picture of rows: shows the cached drawing and reports presses and
// double clicks in picture coordinates. It takes the focus when clicked, so that a click on it
// ends the text editor's edit the way a click anywhere else in the window does.
class PropertyPicture : public QWidget {
public:
    explicit PropertyPicture(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }

    std::function<void(const QPoint&)> onPressed;
    std::function<void(const QPoint&)> onDoubleClicked;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
};

// The one-line text editor `ETekst`: takes only the characters its field accepts (also when
// text is pasted) and reports the end of an edit.
class PropertyEdit : public QLineEdit {
public:
    explicit PropertyEdit(QWidget* parent = nullptr);

    void setFilter(KeyFilter filter) { m_filter = filter; }
    KeyFilter filter() const { return m_filter; }

    // A key of the program's key table (F-keys, Ctrl and Alt commands); true when it was one.
    std::function<bool(QKeyEvent*)> onCommandKey;
    // The focus went to another control of the same window, or Enter was pressed.
    std::function<void()> onFinished;
    // A double click; true when it opened something (else it selects a word as usual).
    std::function<bool()> onDoubleClicked;
    // Escape: the edit is dropped and the stored value stays.
    std::function<void()> onCancelled;
    // A typed character the field refuses, with the reason; and the next key it takes.
    std::function<void(const Status&)> onRefused;
    std::function<void()> onAccepted;

    // Puts `text` in at the cursor as if it had been typed, character by character.
    void typeText(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    KeyFilter m_filter = KeyFilter::Anything;
};

// The drop-down list `CLista`: its list opens below the field (above it when the screen has
// no room below), never with the current item over the field, so that the list does not jump
// under the mouse and a release does not pick a neighbour.
class PropertyList : public QComboBox {
public:
    explicit PropertyList(QWidget* parent = nullptr) : QComboBox(parent) {}

    void showPopup() override;
};

}  // namespace trevalon
