#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QToolButton;

namespace trevalon {

class ClickLabel;
class DragLabel;
class EventLog;
class SettingsStore;
class TJetButton;
class TextTable;

// The settings dialog ("Ustawienia"): the block-deletion warning, hints, variable blocks in
// the schema, the log-file flag, the event level 0..5 and the projects folder. Modal and
// borderless on its background picture; "Wprowadź" writes every setting at once, "Anuluj"
// and the close mark drop the changes.
class TFUstawienia : public QDialog {
public:
    static constexpr int Width = 443;
    static constexpr int Height = 500;
    // Where the dialog appears, from the main window's top-left corner.
    static constexpr QPoint Offset{150, 60};

    // `texts`, `log` and `settings` must outlive the dialog.
    TFUstawienia(const TextTable& texts, EventLog& log, SettingsStore& settings, QWidget* parent);

    // Fills the controls from the current settings and shows the dialog modally at
    // `mainCorner` + Offset. True when the settings were applied.
    bool showSettings(const QPoint& mainCorner);

    void applyTexts();

    // The folder browser: caption, preselected folder in, chosen folder out (empty when
    // cancelled). The system's browser unless replaced (tests do).
    std::function<QString(const QString& caption, const QString& folder)> pickFolder;
    // Called after the settings were written (the main window shows "Zapisano." and applies
    // the hints); set before the dialog is first shown.
    std::function<void()> onApplied;

    int level() const { return m_level; }
    QLineEdit* folderEdit() const { return m_folder; }
    QLineEdit* levelEdit() const { return m_levelEdit; }
    QToolButton* levelUp() const { return m_up; }
    QToolButton* levelDown() const { return m_down; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void buildControls();
    QCheckBox* checkBox(const char* name, int top);
    void setLevel(int level);
    void fill();
    void chooseFolder();
    void apply();

    const TextTable& m_texts;
    EventLog& m_log;
    SettingsStore& m_settings;
    DragLabel* m_title = nullptr;
    ClickLabel* m_closeMark = nullptr;
    QCheckBox* m_warn = nullptr;
    QCheckBox* m_hints = nullptr;
    QCheckBox* m_schemaVariables = nullptr;
    QCheckBox* m_logFiles = nullptr;
    QCheckBox* m_stepBlocks = nullptr;
    QLineEdit* m_levelEdit = nullptr;
    QWidget* m_arrows = nullptr;
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
    QLabel* m_levelCaption = nullptr;
    QLabel* m_folderCaption = nullptr;
    QLineEdit* m_folder = nullptr;
    TJetButton* m_folderButton = nullptr;
    QSpinBox* m_autosave = nullptr;
    QLabel* m_autosaveCaption = nullptr;
    QSpinBox* m_traceRows = nullptr;
    QLabel* m_traceRowsCaption = nullptr;
    TJetButton* m_enter = nullptr;
    TJetButton* m_cancel = nullptr;
    int m_level = 0;
};

}  // namespace trevalon
