#pragma once

#include <QDialog>

namespace trevalon {

class ClickLabel;
class TextTable;

// The about window: the program's picture and one close button.
class TFWinietka : public QDialog {
public:
    // `parent` is the main window, over whose middle the window opens; `texts` and `parent`
    // must outlive the window.
    TFWinietka(const TextTable& texts, QWidget* parent);

    void showModal();
    ClickLabel* closeButton() const { return m_close; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const TextTable& m_texts;
    ClickLabel* m_close = nullptr;
};

}  // namespace trevalon
