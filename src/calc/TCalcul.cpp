#include "calc/TCalcul.h"

namespace trevalon {

struct CalcShared {
    QString language = QStringLiteral("pl");
    TCalcul::Clock clock;
};

TCalcul::TCalcul()
    : m_ownShared(std::make_unique<CalcShared>()),
      m_shared(m_ownShared.get()),
      m_store(&m_ownStore) {}
TCalcul::TCalcul(TCalcul& parent) : m_shared(parent.m_shared), m_store(parent.m_store) {}
TCalcul::~TCalcul() = default;
TCalcul& TCalcul::child() {
    if (!m_child) {
        m_child.reset(new TCalcul(*this));
    }
    return *m_child;
}
const QString& TCalcul::language() const {
    return m_shared->language;
}
void TCalcul::setLanguage(const QString& language) {
    m_shared->language = language;
}
void TCalcul::setClock(Clock clock) {
    m_shared->clock = std::move(clock);
}
bool TCalcul::Evaluate(QString&) {
    clearError();
    raiseError(3);
    return false;
}
QString TCalcul::evaluate(const QString& formula) {
    setFormula(formula);
    QString result;
    Evaluate(result);
    return result;
}
void TCalcul::LoadVariables(const QString&) {}
QString TCalcul::ListVariables() const {
    return {};
}
QString TCalcul::ErrorMessage(int number) const {
    return ErrorMessage(number, language());
}
QString TCalcul::ErrorMessage(int, const QString&) {
    return {};
}
long double TCalcul::ToNumber(const QString&) {
    return 0;
}
qint32 TCalcul::ToInteger(const QString&) {
    return 0;
}
QString TCalcul::FormatNumber(long double) {
    return {};
}
int TCalcul::Classify(const QString&) {
    return KindText;
}
bool TCalcul::kindFitsType(int variableType, int resultKind) {
    return variableType == resultKind;
}
QString TCalcul::PrepareArguments(const QString& formula, QChar) {
    return formula;
}
void TCalcul::raiseError(int number, const QString& detail) {
    if (!m_errorFlag) {
        m_errorFlag = true;
        m_errorText = ErrorMessage(number) + detail;
    }
}
void TCalcul::clearError() {
    m_errorFlag = false;
    m_errorText.clear();
}

}  // namespace trevalon
