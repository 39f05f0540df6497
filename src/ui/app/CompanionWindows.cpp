#include "ui/app/CompanionWindows.h"

#include "config/SettingsStore.h"
#include "ui/builders/TFBudujKomentarz.h"
#include "ui/dialogs/TFUstawienia.h"
#include "ui/dialogs/TFZdarzenia.h"
#include "ui/main/TFGlowny.h"

namespace trevalon {

CompanionWindows::CompanionWindows(TFGlowny& main) : m_main(main) {}

void CompanionWindows::showSchema() {
    if (onShowSchema) {
        onShowSchema();
    }
}

void CompanionWindows::showEventLog() {
    if (m_eventLog) {
        m_eventLog->showLog(m_main.settings().logFolder(), m_main.origin());
    }
}

void CompanionWindows::showSettings() {
    if (m_settings) {
        m_settings->showSettings(m_main.origin());
    }
}

void CompanionWindows::projectOpened() {
    if (onProjectOpened) {
        onProjectOpened();
    }
}

void CompanionWindows::applyTexts() {
    if (m_commentBuilder) {
        m_commentBuilder->applyTexts();
    }
    if (m_eventLog) {
        m_eventLog->applyTexts();
    }
    if (m_settings) {
        m_settings->applyTexts();
    }
    if (onApplyTexts) {
        onApplyTexts();
    }
}

}  // namespace trevalon
