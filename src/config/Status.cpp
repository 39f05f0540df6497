#include "config/Status.h"

#include "config/TextTable.h"

#include <vector>

namespace trevalon {
namespace {

const QStringList kNoArguments;
const QString kNoDetail;

// Fills %1, %2, ... in one pass, so that an argument holding "%2" stays as it is; arguments
// the text has no place for are appended.
QString fill(const QString& text, const QStringList& arguments) {
    QString result;
    result.reserve(text.size());
    std::vector<bool> used(static_cast<std::size_t>(arguments.size()), false);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'%' && i + 1 < text.size() && text.at(i + 1).isDigit()) {
            const int n = text.at(i + 1).digitValue();
            if (n >= 1 && n <= arguments.size()) {
                result += arguments.at(n - 1);
                used[static_cast<std::size_t>(n - 1)] = true;
                ++i;
                continue;
            }
        }
        result += c;
    }
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
