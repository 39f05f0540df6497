#include "ui/app/QtTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace trevalon {

QtTexts::QtTexts() = default;

QtTexts::~QtTexts() {
    if (m_translator) {
        QCoreApplication::removeTranslator(m_translator.get());
    }
}

void QtTexts::follow(const QString& language) {
    const bool wantPolish = language == QLatin1String("pl");
    if (wantPolish == polish()) {
        return;
    }
    if (!wantPolish) {
        QCoreApplication::removeTranslator(m_translator.get());
        m_translator.reset();
        return;
    }
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator.get())) {
        m_translator = std::move(translator);
    }
}

}  // namespace trevalon
