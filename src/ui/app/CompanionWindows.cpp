#include "ui/app/CompanionWindows.h"

#include "config/SettingsStore.h"
#include "ui/builders/TFBudujKomentarz.h"
#include "ui/builders/TFBudujWyrazenie.h"
#include "ui/dialogs/TFUstawienia.h"
#include "ui/dialogs/TFZdarzenia.h"
#include "ui/main/WindowHost.h"
#include "ui/schema/TFSchemat.h"

namespace trevalon {

CompanionWindows::CompanionWindows(SettingsStore& settings, WindowHost& host,
                                   const Windows& windows)
    : m_settingsStore(settings), m_host(host), m_windows(windows) {}

void CompanionWindows::showSchema() {
    m_windows.schema.showSchema();
}

void CompanionWindows::showEventLog() {
    m_windows.eventLog.showLog(m_settingsStore.logFolder(), m_host.origin());
}

void CompanionWindows::showSettings() {
    m_windows.settings.showSettings(m_host.origin());
}

void CompanionWindows::applyTexts() {
    m_windows.commentBuilder.applyTexts();
    m_windows.eventLog.applyTexts();
    m_windows.settings.applyTexts();
    m_windows.expressionBuilder.applyTexts();
    m_windows.schema.applyTexts();
}

}  // namespace trevalon
