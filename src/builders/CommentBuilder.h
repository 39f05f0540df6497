#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "builders/VisibleVariables.h"
#include "model/BlockCatalogue.h"

namespace trevalon {

class TextTable;

// What the comment builder window offers: the variables a comment may insert, the precision
// that goes with each, the reference text an insertion puts in and the preview with sample
// values. The window only draws this and forwards the user's picks.
class CommentBuilder {
public:
    // Entries of the precision list: the precision codes 0..7, the last one "not applicable".
    static constexpr int PrecisionCount = BlockCatalogue::PrecisionNotApplicable + 1;
    static constexpr int PrecisionDefaultReal = 1;

    // The variables a comment on the board may use, in the variable list's order.
    explicit CommentBuilder(std::vector<VisibleVariable> variables);

    const std::vector<VisibleVariable>& variables() const { return m_variables; }

    // The variable list: the names, or "Brak" alone when there is no variable.
    QStringList variableItems(const TextTable& texts) const;
    // The precision list: the words of precision codes 0..7 ("0 cyfr" .. "nie dotyczy").
    static QStringList precisionItems(const TextTable& texts);

    struct Precision {
        bool enabled = false;
        int index = BlockCatalogue::PrecisionNotApplicable;
        friend bool operator==(const Precision&, const Precision&) = default;
    };
    // How the precision list is set when `variable` (a position in the list) is chosen: only
    // a real variable is rounded, one decimal unless the user picks otherwise.
    Precision precisionFor(int variable) const;

    // `$` + the precision digit + the name + `$`; empty when no variable is chosen.
    QString reference(int variable, int precision) const;
    static QString lineBreak() { return QStringLiteral("&"); }

    // The text that describes the chosen variable's type (texts::TypeHintInteger ...); 0 when
    // none.
    int typeHintText(int variable) const;

    // The comment rendered with the sample values of the variables' types: line breaks as
    // line feed and carriage return, names not in the table as nothing.
    QString preview(const QString& text) const;

private:
    const VisibleVariable* at(int variable) const;

    std::vector<VisibleVariable> m_variables;
};

}  // namespace trevalon
