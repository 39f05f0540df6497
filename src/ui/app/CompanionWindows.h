#pragma once

#include <functional>

#include "ui/app/LaterWindows.h"

namespace trevalon {

class TFBudujKomentarz;
class TFGlowny;
class TFUstawienia;
class TFZdarzenia;

// The windows the main window opens by command beyond its own companions: the event-log
// viewer and the settings dialog here, the schema overview and the expression builder through
// the hooks their owners set. Each is optional; a missing one opens nothing.
class CompanionWindows : public LaterWindows {
public:
    // `main` must outlive this object.
    explicit CompanionWindows(TFGlowny& main);

    void attachEventLog(TFZdarzenia* viewer) { m_eventLog = viewer; }
    void attachSettings(TFUstawienia* dialog) { m_settings = dialog; }
    void attachCommentBuilder(TFBudujKomentarz* builder) { m_commentBuilder = builder; }

    // The schema overview's command, its language switch, and what a newly opened project
    // means to the expression builder.
    std::function<void()> onShowSchema;
    std::function<void()> onApplyTexts;
    std::function<void()> onProjectOpened;

    void showSchema() override;
    void showEventLog() override;
    void showSettings() override;
    void projectOpened() override;
    void applyTexts() override;

private:
    TFGlowny& m_main;
    TFZdarzenia* m_eventLog = nullptr;
    TFUstawienia* m_settings = nullptr;
    TFBudujKomentarz* m_commentBuilder = nullptr;
};

}  // namespace trevalon
