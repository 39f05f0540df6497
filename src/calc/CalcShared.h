#pragma once

#include <QCollator>
#include <QHash>
#include <QString>
#include <memory>

#include "calc/ExprNode.h"
#include "calc/RunBudget.h"
#include "calc/TCalcul.h"

namespace trevalon {

// What a Calculator shares with the nested Calculators it makes: settings, the parse cache, the
// depth of the evaluation in progress and the run's budget.
struct CalcShared {
    // Distinct formulas kept parsed; a program's blocks carry far fewer.
    static constexpr int kCacheLimit = 1024;
    // Deepest recursion of evaluations (tree levels plus nested Calculators) allowed at once.
    static constexpr int kMaxEvaluationDepth = 1200;

    QString language = QStringLiteral("pl");
    TCalcul::Clock clock;
    QHash<QString, std::shared_ptr<const ParsedFormula>> cache;
    int depth = 0;
    std::unique_ptr<QCollator> collator;
    RunBudget budget;

    QDateTime now() const { return clock ? clock() : QDateTime::currentDateTime(); }

    QCollator& textCollator() {
        if (!collator) {
            collator = std::make_unique<QCollator>(QLocale::system());
            collator->setCaseSensitivity(Qt::CaseSensitive);
        }
        return *collator;
    }
};

}  // namespace trevalon
