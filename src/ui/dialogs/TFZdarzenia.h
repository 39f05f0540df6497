#pragma once

#include <QDialog>
#include <memory>

class QComboBox;
class QLabel;
class QPlainTextEdit;

namespace trevalon {

class ClickLabel;
class DragLabel;
class EventLogFiles;
class MessageSink;
class TJetButton;
class TextTable;

// The event-log viewer ("Dziennik zdarzeń"): the list of log files with the newest chosen,
// the chosen file's text, and the clearing of all the other files. Modal and borderless on its
// background picture. The files themselves are EventLogFiles' business.
class TFZdarzenia : public QDialog {
public:
    static constexpr int Width = 560;
    static constexpr int Height = 440;
    // Where the viewer appears, from the main window's top-left corner.
    static constexpr QPoint Offset{150, 60};

    // `texts`, `messages` and `parent` (the main window) must outlive the window.
    TFZdarzenia(const TextTable& texts, MessageSink& messages, QWidget* parent);
    ~TFZdarzenia() override;

    // Lists the log files of `folder`, shows the newest and opens the viewer modally at
    // `mainCorner` + Offset. False, after telling the user, when there is no log file or the
    // newest cannot be read; the viewer then stays shut.
    bool showLog(const QString& folder, const QPoint& mainCorner);

    void applyTexts();

    QComboBox* fileList() const { return m_files; }
    QPlainTextEdit* textView() const { return m_text; }
    const EventLogFiles* files() const { return m_logFiles.get(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void buildControls();
    void fillList();
    void fileChosen(int index);
    void clearOthers();

    const TextTable& m_texts;
    MessageSink& m_messages;
    std::unique_ptr<EventLogFiles> m_logFiles;
    DragLabel* m_title = nullptr;
    ClickLabel* m_closeMark = nullptr;
    QLabel* m_historyCaption = nullptr;
    QComboBox* m_files = nullptr;
    TJetButton* m_filesArrow = nullptr;
    QPlainTextEdit* m_text = nullptr;
    TJetButton* m_clear = nullptr;
    TJetButton* m_close = nullptr;
};

}  // namespace trevalon
