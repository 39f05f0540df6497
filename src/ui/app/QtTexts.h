#pragma once

#include <QString>
#include <memory>

class QTranslator;

namespace trevalon {

// Qt's own texts (the file dialogs' labels and buttons, the standard edit menus) in the
// interface's language, from the translations Qt ships with (Debian's qt6-translations-l10n).
// Without them installed the dialogs stay in Qt's English and nothing else changes.
class QtTexts {
public:
    QtTexts();
    ~QtTexts();
    QtTexts(const QtTexts&) = delete;
    QtTexts& operator=(const QtTexts&) = delete;

    // "pl" loads Qt's Polish; any other language goes back to Qt's built-in English.
    void follow(const QString& language);
    bool polish() const { return m_translator != nullptr; }

private:
    std::unique_ptr<QTranslator> m_translator;
};

}  // namespace trevalon
