#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "config/TextIds.h"

namespace trevalon {

// The numbered interface texts in Polish ("pl") and English ("ang"). Every visible text and
// every log line of the program is fetched from here by its name in `texts` (config/TextIds.h,
// generated from texts.tsv), e.g. `text(texts::ProjectFileDamaged)`.
class TextTable {
public:
    TextTable();

    // The text of `number` in the current language; empty for an unknown number or when the
    // language is neither "pl" nor "ang" (compared exactly).
    QString text(int number) const;

    // Text of `number` in a given language, whatever the current one is.
    static QString text(int number, const QString& language);

    const QString& language() const { return m_language; }
    void setLanguage(const QString& language);

    bool isEnglish() const { return m_language == QLatin1String("ang"); }

    // Puts arguments[k - 1] in place of every %k of `pattern` in one pass, so that an argument
    // holding "%2" (a pupil's formula, a file name) stays as it is, which QString::arg, called
    // once per argument, would fill in. With `used`, marks the arguments that found a place.
    static QString fill(const QString& pattern, const QStringList& arguments,
                        std::vector<bool>* used = nullptr);

    // How many numbered texts the table holds.
    static int count();

private:
    QString m_language;
};

}  // namespace trevalon
