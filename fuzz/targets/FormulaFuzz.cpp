// Feeds arbitrary bytes to the Calculator as a variables list and formulas. Every input must
// end in a result or an error message, consistently reported.
#include <QString>

#include <cstdint>
#include <cstdlib>

#include "calc/TCalcul.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString input =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // Up to the first form feed: a variables list; then formulas, one per line.
    const qsizetype split = input.indexOf(QChar(u'\f'));
    static trevalon::TCalcul calculator;
    calculator.setLanguage(size % 2 ? QStringLiteral("pl") : QStringLiteral("ang"));
    calculator.LoadVariables(split < 0 ? QStringLiteral("X=1\r\nS=\"abc\"") : input.left(split));
    const QString formulas = split < 0 ? input : input.mid(split + 1);
    for (const QString& formula : formulas.split(QChar(u'\n'))) {
        calculator.setFormula(formula);
        QString result;
        const bool ok = calculator.Evaluate(result);
        // Success, no error flag and no message go together.
        if (ok == calculator.errorFlag() || ok != calculator.errorText().isEmpty()) {
            std::abort();
        }
        calculator.ListVariables();
    }
    return 0;
}
