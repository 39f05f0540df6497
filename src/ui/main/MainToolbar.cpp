#include "ui/main/MainToolbar.h"

#include <QLabel>
#include <QMouseEvent>

#include "config/TextTable.h"
#include "model/BlockCatalogue.h"
#include "ui/main/SpeedControl.h"
#include "ui/pictures/Pictures.h"
#include "ui/widgets/TJetButton.h"

namespace trevalon {
namespace {

// Where the toolbar sits in the main window. Everything stays clear of the places where the
// companions stand by default: the boards from (120, 102), the properties window at (15, 95),
// the report window at (480, 90). The tabs picture lies under the menu strip, the chosen
// group's buttons and the cancel button in a row to its right, and the two run buttons one
// above the other at the right edge, beside the report window.
constexpr int kTabsX = 8;
constexpr int kTabsY = 48;
constexpr int kBlockSize = 38;
constexpr int kBlockGap = 1;
constexpr int kPanelX = kTabsX + 399 + 8;
constexpr int kPanelY = kTabsY + (50 - kBlockSize) / 2;
constexpr int kCommandSize = 44;
constexpr int kRunRight = 8;  // from the window's right edge
constexpr int kRunY = 104;
constexpr int kSpeedHeight = 120;

struct ButtonName {
    int tag;
    const char* name;
};

// Button names per tab, as the window's resources call them.
const std::array<std::vector<ButtonName>, 4> kBlockButtons{{
    {{KindStart, "JStart1"},
     {KindEnd, "JStart2"},
     {KindBranchStart, "JStart3"},
     {KindBranchEnd, "JStart4"},
     {KindVariable, "JStart5"}},
    {{KindReadWrite, "JCzytaj1"},
     {KindCall, "Jczytaj2"},
     {KindReturn, "Jczytaj3"},
     {KindMessage, "Jczytaj4"},
     {KindQuestion, "JCzytaj5"},
     {KindRandom, "JCzytaj6"}},
    {{KindAssign, "JOper1"},
     {KindCompareVars, "JOper2"},
     {KindArrayWrite, "JOper3"},
     {KindArrayRead, "JOper4"},
     {KindCompareFormula, "JOper5"}},
    {{KindLineVertical, "JLoncz1"},
     {KindLineHorizontal, "JLoncz2"},
     {KindJoinRight, "JLoncz3"},
     {KindJoinLeft, "JLoncz4"},
     {KindCornerTopRight, "JLoncz5"},
     {KindCornerBottomRight, "JLoncz6"},
     {KindCornerLeftBottom, "JLoncz7"},
     {KindCornerTopLeft, "JLoncz8"}},
}};

constexpr std::array<const char*, 4> kPanelNames{"PStartowe", "PCzytajPisz", "POperacje",
                                                 "PLonczniki"};

// The tabs picture reports where it was pressed.
class TabsPicture : public QLabel {
public:
    explicit TabsPicture(QWidget* parent) : QLabel(parent) {}
    std::function<void(const QPoint&)> onPressed;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (onPressed) {
            onPressed(event->position().toPoint());
        }
    }
};

QString jetName(int tag, const char* suffix) {
    return QStringLiteral("jet%1%2").arg(tag).arg(QLatin1String(suffix));
}

}  // namespace

MainToolbar::MainToolbar(QWidget* window, const TextTable& texts) : m_texts(texts) {
    auto* tabs = new TabsPicture(window);
    tabs->setObjectName(QStringLiteral("ImZakladki"));
    tabs->setGeometry(kTabsX, kTabsY, 399, 50);
    tabs->onPressed = [this](const QPoint& at) {
        const int tab = tabAt(at.x(), at.y());
        if (tab != 0 && tab != m_tab && onTabPressed) {
            onTabPressed(tab);
        }
    };
    m_tabs = tabs;
    buildPanels(window);
    showTab(1);
}

int MainToolbar::tabAt(int x, int y) {
    if (y < 3 || y > 19) {
        return 0;
    }
    static constexpr std::array<std::pair<int, int>, 4> ranges{
        {{6, 89}, {106, 189}, {206, 289}, {306, 389}}};
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        if (x >= ranges[i].first && x <= ranges[i].second) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

TJetButton* MainToolbar::makeButton(QWidget* parent, int tag, const char* name, int size) {
    auto* button = new TJetButton(tag, parent);
    button->setObjectName(QLatin1String(name));
    button->resize(size, size);
    button->setFaces(pictures::pixmap(jetName(tag, "")), pictures::pixmap(jetName(tag, "over")),
                     pictures::pixmap(jetName(tag, "wyb")));
    button->onClicked = [this](int t) {
        if (onButton) {
            onButton(t);
        }
    };
    button->onHovered = [this](int t) {
        if (onStatus) {
            onStatus(statusText(t));
        }
    };
    m_buttons.push_back(button);
    return button;
}

void MainToolbar::buildPanels(QWidget* window) {
    for (std::size_t t = 0; t < kBlockButtons.size(); ++t) {
        auto* panel = new QWidget(window);
        panel->setObjectName(QLatin1String(kPanelNames[t]));
        const int count = static_cast<int>(kBlockButtons[t].size());
        panel->setGeometry(kPanelX, kPanelY, count * (kBlockSize + kBlockGap), kBlockSize);
        int x = 0;
        for (const ButtonName& b : kBlockButtons[t]) {
            makeButton(panel, b.tag, b.name, kBlockSize)->move(x, 0);
            x += kBlockSize + kBlockGap;
        }
        m_panels[t] = panel;
    }
    const auto commandPanel = [&](const char* panelName, int tag, const char* name, QPoint at,
                                  int size) {
        auto* panel = new QWidget(window);
        panel->setObjectName(QLatin1String(panelName));
        panel->setGeometry(QRect(at, QSize(size, size)));
        makeButton(panel, tag, name, size);
        return panel;
    };
    // The cancel button follows the longest group, so that it never moves.
    const int cancelX = kPanelX + 8 * (kBlockSize + kBlockGap) + 4;
    m_cancelPanel =
        commandPanel("PKrzyzyk", TagCancel, "JCancel", QPoint(cancelX, kPanelY), kBlockSize);
    m_stepPanel =
        commandPanel("PKrokPoKroku", TagNextStep, "JNastepnyKrok", QPoint(0, kRunY), kCommandSize);
    m_runPanel = commandPanel("POdRazu", TagRun, "JStartProgramu",
                              QPoint(0, kRunY + kCommandSize + 6), kCommandSize);
    m_speed = new SpeedControl(m_texts, window);
    m_speed->setGeometry(0, kRunY + 2 * (kCommandSize + 6), kCommandSize, kSpeedHeight);
    placeRunButtons(window->width());
}

void MainToolbar::placeRunButtons(int windowWidth) {
    const int x = windowWidth - kRunRight - kCommandSize;
    m_stepPanel->move(x, m_stepPanel->y());
    m_runPanel->move(x, m_runPanel->y());
    m_speed->move(x, m_speed->y());
    // A window narrower than its toolbar (a small or strongly scaled screen) keeps every button:
    // the cancel button moves above the run buttons, and a group too long for the room left
    // takes two rows.
    const int cancelX = kPanelX + 8 * (kBlockSize + kBlockGap) + 4;
    const bool narrow = cancelX + kBlockSize > windowWidth;
    m_cancelPanel->move(narrow ? x + (kCommandSize - kBlockSize) / 2 : cancelX, kPanelY);
    const int room = (narrow ? x - 4 : cancelX - 4) - kPanelX;
    for (QWidget* panel : m_panels) {
        const QList<QWidget*> buttons = panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        const int count = static_cast<int>(buttons.size());
        const int perRow = std::clamp(room / (kBlockSize + kBlockGap), 1, std::max(count, 1));
        const int rows = (count + perRow - 1) / perRow;
        const int columns = rows > 1 ? (count + rows - 1) / rows : count;
        panel->resize(columns * (kBlockSize + kBlockGap), rows * (kBlockSize + kBlockGap));
        for (int i = 0; i < count; ++i) {
            buttons[i]->move((i % columns) * (kBlockSize + kBlockGap),
                             (i / columns) * (kBlockSize + kBlockGap));
        }
    }
}

std::vector<QRect> MainToolbar::buttonAreas() const {
    return {panel(m_tab)->geometry(), m_cancelPanel->geometry(),
            m_stepPanel->geometry() | m_runPanel->geometry() | m_speed->geometry()};
}

void MainToolbar::showTab(int tab) {
    m_tab = std::clamp(tab, 1, 4);
    for (int t = 1; t <= 4; ++t) {
        panel(t)->setVisible(t == m_tab);
    }
    const QString names[] = {QStringLiteral("menustart"), QStringLiteral("menuczytpisz"),
                             QStringLiteral("menuoperacje"), QStringLiteral("menulonczniki")};
    const QString name = names[m_tab - 1];
    const bool polish = m_texts.language() == QLatin1String("pl");
    m_tabs->setPixmap(pictures::pixmap(polish ? name : name + QLatin1String("ang")));
}

void MainToolbar::applyTexts(bool showHints) {
    showTab(m_tab);
    m_speed->applyTexts();
    for (TJetButton* button : m_buttons) {
        // A screen reader names the button whatever the hints setting says.
        button->setAccessibleName(statusText(button->tag()));
        button->setToolTip(showHints ? statusText(button->tag()) : QString());
    }
}

QString MainToolbar::statusText(int tag) const {
    if (const KindInfo* kind = BlockCatalogue::find(tag)) {
        return m_texts.text(kind->hintText);
    }
    switch (tag) {
        case TagCancel:
            return m_texts.text(texts::HintCancelChoice);
        case TagNextStep:
            return m_texts.text(texts::HintStep);
        case TagRun:
            return m_texts.text(texts::HintRun);
        default:
            return {};
    }
}

void MainToolbar::setChosen(int tag) {
    m_chosen = tag;
    for (TJetButton* button : m_buttons) {
        button->setChosen(button->tag() == tag && BlockCatalogue::isKind(tag));
    }
}

void MainToolbar::setRunButtons(bool stepVisible, bool runVisible) {
    m_stepPanel->setVisible(stepVisible);
    m_runPanel->setVisible(runVisible);
    m_speed->setVisible(stepVisible || runVisible);
}

bool MainToolbar::stepButtonVisible() const {
    return !m_stepPanel->isHidden();
}

bool MainToolbar::runButtonVisible() const {
    return !m_runPanel->isHidden();
}

TJetButton* MainToolbar::button(int tag) const {
    for (TJetButton* b : m_buttons) {
        if (b->tag() == tag) {
            return b;
        }
    }
    return nullptr;
}

}  // namespace trevalon
