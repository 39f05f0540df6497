#include "config/Status.h"

#include "config/TextTable.h"

#include <vector>

namespace trevalon {
namespace {

const QStringList kNoArguments;
const QString kNoDetail;

// Arguments the text has no place for follow it, so that nothing a caller passed is lost.
QString fill(const QString& text, const QStringList& arguments) {
    std::vector<bool> used;
    QString result = TextTable::fill(text, arguments, &used);
    for (qsizetype n = 0; n < arguments.size(); ++n) {
        if (!used[static_cast<std::size_t>(n)]) {
            result += u' ' + arguments.at(n);
        }
    }
    return result;
}

}  // namespace

Status Status::error(int text, QStringList arguments, Severity severity) {
    Status status;
    status.m_failure =
        std::make_shared<const Failure>(Failure{text, std::move(arguments), severity, {}});
    return status;
}

const QStringList& Status::arguments() const {
    return m_failure ? m_failure->arguments : kNoArguments;
}

const QString& Status::detail() const {
    return m_failure ? m_failure->detail : kNoDetail;
}

Status& Status::withDetail(QString detail) {
    if (m_failure) {
        Failure copy = *m_failure;
        copy.detail = std::move(detail);
        m_failure = std::make_shared<const Failure>(std::move(copy));
    }
    return *this;
}

QString Status::message(const TextTable& texts) const {
    return m_failure ? fill(texts.text(m_failure->text), m_failure->arguments) : QString();
}

QString Status::message(const QString& language) const {
    return m_failure ? fill(TextTable::text(m_failure->text, language), m_failure->arguments)
                     : QString();
}

}  // namespace trevalon
