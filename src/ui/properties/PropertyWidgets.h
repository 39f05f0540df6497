#pragma once

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

    // Puts `text` in at the cursor as if it had been typed, character by character.
    void typeText(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    KeyFilter m_filter = KeyFilter::Anything;
};

}  // namespace trevalon
