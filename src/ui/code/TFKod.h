#pragma once

#include <QSize>
#include <QTimer>
#include <functional>
#include <optional>
#include <vector>

#include "codegen/CodeTarget.h"
#include "codegen/GeneratedCode.h"
#include "ui/widgets/CompanionPanel.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;

namespace trevalon {

class CodeHighlighter;
class SettingsStore;
class TJetButton;
class WindowHost;
class Workspace;

// The code window ("Kod"): the active project translated into Python, C++ or pseudo-code (in
// the interface's language), read-only and coloured, with the lines of one block marked: the
// block a run stands on during a step or watched run, else the selected block. The pupil
// copies the code or saves it into a file. The chosen language is kept in the settings.
//
// The window translates lazily: `projectChanged` only notes that the text may be old, and the
// translation happens once the events of the moment are over, and only while the window is
// shown (a hidden window translates when it is shown again). `markedBlock` is asked after
// every translation and every `marksChanged`.
//
// `workspace`, `settings` and `host` must outlive the window; `parent` is the main window.
class TFKod : public CompanionPanel {
public:
    static constexpr QSize DefaultSize{520, 440};
    static constexpr QSize MinimumSize{320, 200};

    TFKod(Workspace& workspace, SettingsStore& settings, WindowHost& host, QWidget* parent);

    // The project may have changed (an edit, an undo, another project, another language).
    void projectChanged();
    // Only the selection or the run's block may have moved.
    void marksChanged();
    // The block whose lines are marked, and whether a run stands on it (its lines then take
    // the run's tint) or the pupil selected it.
    struct Mark {
        CellRef cell;
        bool running = false;
        friend bool operator==(const Mark&, const Mark&) = default;
    };
    // Answers the block to mark; none when it answers nothing or is not set.
    std::function<std::optional<Mark>()> markedBlock;
    // Whether a project is open; without one the window shows an invitation instead of code.
    std::function<bool()> projectOpen;

    void applyTexts();
    codegen::Target language() const { return m_target; }
    void setLanguage(codegen::Target target);

    // Puts the whole code on the clipboard.
    void copyCode();
    // Asks for a file (its suffix by the language) and writes the code into it; an existing
    // file is replaced only once the new one is written whole. A failure is told through the
    // workspace's messages.
    void saveCode();
    // Answers the file to save into instead of the file dialog (tests); empty cancels.
    std::function<QString()> askSavePath;

    // The translation shown, and the numbers (from 0) of the lines marked in it.
    const codegen::GeneratedCode& code() const { return m_code; }
    const std::vector<int>& markedLines() const { return m_marked; }
    // Translates now when the text is old (tests, and the window's own timer).
    void refreshNow();

    QPlainTextEdit* view() const { return m_view; }
    QComboBox* languageList() const { return m_language; }
    QLabel* statusLine() const { return m_status; }

protected:
    void showEvent(QShowEvent* event) override;
    void layoutContent(const QSize& size) override;

private:
    void buildControls();
    void schedule();
    void translate();
    void showMarks();
    void scrollToMark();
    QStringList pseudoKeywords() const;

    Workspace& m_ws;
    SettingsStore& m_settings;
    codegen::Target m_target = codegen::Target::Python;
    codegen::GeneratedCode m_code;
    QString m_shownText;  // what the view holds, to leave it (and its scrolling) alone
    QString m_shownFor;   // the project and language it was made for
    std::vector<int> m_marked;
    std::optional<Mark> m_mark;
    bool m_stale = true;
    QTimer m_timer;
    QComboBox* m_language = nullptr;
    QPlainTextEdit* m_view = nullptr;
    CodeHighlighter* m_highlighter = nullptr;
    QLabel* m_status = nullptr;
    TJetButton* m_copy = nullptr;
    TJetButton* m_save = nullptr;
};

}  // namespace trevalon
