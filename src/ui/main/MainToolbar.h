#pragma once

#include <QRect>
#include <QString>
#include <array>
#include <functional>
#include <vector>

#include "ui/pictures/PictureCatalogue.h"

class QLabel;
class QWidget;

namespace trevalon {

class SpeedControl;
class TJetButton;
class TextTable;

// The main window's toolbar: the group tabs picture (`ImZakladki`), the four panels of block
// buttons of which one is shown, the cancel button and the two run buttons.
class MainToolbar {
public:
    static constexpr int TagCancel = PictureCatalogue::JetCancel;
    static constexpr int TagNextStep = PictureCatalogue::JetNextStep;
    static constexpr int TagRun = PictureCatalogue::JetRun;

    MainToolbar(QWidget* window, const TextTable& texts);

    // The tab under a press at `pos` of the tabs picture (1..4), or 0 outside the tabs.
    static int tabAt(int x, int y);

    int tab() const { return m_tab; }
    // Shows tab `tab`'s picture and panel (no placing-mode change; the caller does that).
    void showTab(int tab);
    // Pictures and hints in the current language; hints only when the setting allows them.
    void applyTexts(bool showHints);
    // The chosen block button shows as chosen; 0 for none.
    void setChosen(int tag);
    void setRunButtons(bool stepVisible, bool runVisible);
    // The run buttons keep to the window's right edge.
    void placeRunButtons(int windowWidth);
    // Where the shown group's buttons, the cancel button and the run buttons are, in the
    // window's coordinates: companions opened beside the boards keep clear of them.
    std::vector<QRect> buttonAreas() const;
    bool stepButtonVisible() const;
    bool runButtonVisible() const;

    // The run's speed, under the run buttons.
    SpeedControl* speed() const { return m_speed; }
    TJetButton* button(int tag) const;
    QLabel* tabsPicture() const { return m_tabs; }
    QWidget* panel(int tab) const { return m_panels[static_cast<std::size_t>(tab - 1)]; }

    // The text the status line shows over a button.
    QString statusText(int tag) const;

    std::function<void(int tab)> onTabPressed;
    std::function<void(int tag)> onButton;
    std::function<void(const QString&)> onStatus;

private:
    void buildPanels(QWidget* window);
    TJetButton* makeButton(QWidget* parent, int tag, const char* name, int size);

    const TextTable& m_texts;
    QLabel* m_tabs = nullptr;
    std::array<QWidget*, 4> m_panels{};
    QWidget* m_cancelPanel = nullptr;
    QWidget* m_stepPanel = nullptr;
    QWidget* m_runPanel = nullptr;
    SpeedControl* m_speed = nullptr;
    std::vector<TJetButton*> m_buttons;
    int m_tab = 1;
    int m_chosen = 0;
};

}  // namespace trevalon
