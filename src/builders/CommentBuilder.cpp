#include "builders/CommentBuilder.h"

#include "builders/CommentFormat.h"
#include "config/TextTable.h"
#include "model/BlockCatalogue.h"
#include "model/Cell.h"

namespace trevalon {
namespace {

// The preview's values: one sample per type, found by name as the Calculator finds names.
class SampleValues : public CommentValueSource {
public:
    explicit SampleValues(const std::vector<VisibleVariable>& variables) : m_variables(variables) {}

    int variableType(const QString& name) const override {
        return variableTypeIn(m_variables, name);
    }
    QString variableValue(const QString& name) const override {
        const int type = variableType(name);
        return type < 0 ? QString() : CommentFormat::sampleValue(type);
    }

private:
    const std::vector<VisibleVariable>& m_variables;
};

}  // namespace

CommentBuilder::CommentBuilder(std::vector<VisibleVariable> variables)
    : m_variables(std::move(variables)) {}

const VisibleVariable* CommentBuilder::at(int variable) const {
    if (variable < 0 || variable >= static_cast<int>(m_variables.size())) {
        return nullptr;
    }
    return &m_variables[static_cast<std::size_t>(variable)];
}

QStringList CommentBuilder::variableItems(const TextTable& texts) const {
    return variableListItems(m_variables, texts);
}

QStringList CommentBuilder::precisionItems(const TextTable& texts) {
    QStringList items;
    for (int digit = 0; digit < PrecisionCount; ++digit) {
        items << texts.text(BlockCatalogue::precisionText(digit));
    }
    return items;
}

CommentBuilder::Precision CommentBuilder::precisionFor(int variable) const {
    const VisibleVariable* v = at(variable);
    if (v && v->type == TypeReal) {
        return {true, PrecisionDefaultReal};
    }
    return {false, BlockCatalogue::PrecisionNotApplicable};
}

QString CommentBuilder::reference(int variable, int precision) const {
    const VisibleVariable* v = at(variable);
    if (!v) {
        return {};
    }
    if (precision < 0 || precision >= PrecisionCount) {
        precision = BlockCatalogue::PrecisionNotApplicable;
    }
    return QLatin1Char('$') + QString::number(precision) + v->name + QLatin1Char('$');
}

int CommentBuilder::typeHintText(int variable) const {
    const VisibleVariable* v = at(variable);
    if (!v || v->type < TypeInteger || v->type > TypeDate) {
        return 0;
    }
    return texts::TypeHintInteger + v->type - 1;
}

QString CommentBuilder::preview(const QString& text) const {
    return CommentFormat::render(text, SampleValues(m_variables));
}

}  // namespace trevalon
