#pragma once

#include <QDialog>
#include <array>

#include "config/MessageSink.h"

class QLabel;

namespace trevalon {

class ClickLabel;
class DragLabel;
class TextTable;
class TabKeyHook;

// The one message dialog of the application: an icon, a text and either Close alone or Yes,
// No and Cancel, all drawn from pictures in the interface language. Every message and question
// of the program goes through it. Modal, on top, centred on the screen.
class TFWarning : public QDialog, public MessageSink {
public:
    // Focusable buttons, in the order the arrow keys walk them.
    enum Button { ButtonYes = 1, ButtonNo = 2, ButtonCancel = 3, ButtonClose = 4 };

    explicit TFWarning(const TextTable& texts, QWidget* parent = nullptr);
    ~TFWarning() override;

    int showMessage(int buttons, int icon, const QString& text) override;
    void beep() override;

    // The answer of the last showing: 0 Close, 1 Yes, 2 No, 3 Cancel.
    int answer() const { return m_result; }
    int focusedButton() const { return m_focused; }
    // The icon of the last showing: 1 information, 2 question, 3 warning.
    int iconShown() const { return m_iconShown; }
    QString messageText() const;

    // Called by the Tab hook: Tab walks the buttons like Right arrow.
    void focusRight();
    void focusLeft();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void buildControls();
    void finish(int result);
    void setFocusedButton(int button);
    void showButtonPictures();
    ClickLabel* button(int which) const {
        return m_buttonLabels[static_cast<std::size_t>(which - 1)];
    }
    int letterResult(int key) const;

    const TextTable& m_texts;
    TabKeyHook* m_tabHook = nullptr;
    int m_result = ResultNo;
    int m_buttons = Close;
    int m_focused = ButtonClose;
    int m_iconShown = Information;
    bool m_english = false;
    QLabel* m_background = nullptr;
    QLabel* m_icon = nullptr;
    QLabel* m_text = nullptr;
    DragLabel* m_strip = nullptr;
    ClickLabel* m_closeMark = nullptr;
    std::array<ClickLabel*, 4> m_buttonLabels{};
};

}  // namespace trevalon
