#pragma once

#include <QDialog>
#include <QTimer>

#include "exec/ExecutionIo.h"

class QLabel;
class QLineEdit;

namespace trevalon {

class ClickLabel;
class DragLabel;
class ExecutionDialogLogic;
class TextTable;

// The execution dialog: during a run every read, write, message and question block shows its
// text here and takes a value, shows a result or asks yes or no. It only draws and forwards
// keys; what a key or a value means is decided by the dialog's logic.
class TFWykonanie : public QDialog {
public:
    // The focus is put on the input this long after the dialog appears.
    static constexpr int FocusDelayMillis = 20;

    // `parent` is the main window, over whose middle the dialog opens; `texts` and `parent`
    // must outlive the dialog.
    TFWykonanie(const TextTable& texts, QWidget* parent);

    // Shows the dialog modally for one block and answers how it was closed. The dialog acts
    // on keys and buttons only while it shows, with `logic` attached.
    DialogClose showFor(ExecutionDialogLogic& logic);
    // The run was aborted from elsewhere.
    void closeFromRun();

    QLineEdit* valueInput() const { return m_value; }
    QLineEdit* yearInput() const { return m_year; }
    QLineEdit* monthInput() const { return m_month; }
    QLineEdit* dayInput() const { return m_day; }
    ClickLabel* yesButton() const { return m_yes; }
    ClickLabel* noButton() const { return m_no; }
    ClickLabel* closeButton() const { return m_close; }
    ClickLabel* enterButton() const { return m_enter; }
    QString titleText() const;
    QString bodyText() const;
    QString backgroundName() const { return m_backgroundName; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildControls();
    ClickLabel* makeButton(const char* name);
    void layoutForMode();
    void focusInput();
    void enterValue();
    void answer(bool yes);
    void finish(DialogClose how);
    bool filterInputKey(QLineEdit* input, QKeyEvent* key);
    void pasteFiltered(QLineEdit* input);
    void applyButtonPictures();

    const TextTable& m_texts;
    ExecutionDialogLogic* m_logic = nullptr;
    DialogClose m_how = DialogClose::Closed;
    QTimer m_focusTimer;
    int m_lengthLimit = 0;
    QString m_backgroundName;
    DragLabel* m_title = nullptr;
    QLabel* m_text = nullptr;
    QLineEdit* m_value = nullptr;
    QLineEdit* m_year = nullptr;
    QLineEdit* m_month = nullptr;
    QLineEdit* m_day = nullptr;
    ClickLabel* m_yes = nullptr;
    ClickLabel* m_no = nullptr;
    ClickLabel* m_close = nullptr;
    ClickLabel* m_enter = nullptr;
};

}  // namespace trevalon
