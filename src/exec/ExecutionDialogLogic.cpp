#include "exec/ExecutionDialogLogic.h"

#include <QRegularExpression>

#include "config/MessageSink.h"
#include "config/TextIds.h"
#include "exec/ExecutionIo.h"
#include "exec/VariableLookup.h"
#include "exec/Workspace.h"
#include "model/BlockCatalogue.h"

namespace trevalon {
namespace {

bool isAsciiDigit(QChar key) {
    return key >= u'0' && key <= u'9';
}

bool isEditingKey(QChar key) {
    return key == ExecutionDialogLogic::Backspace || key == ExecutionDialogLogic::Tab;
}

bool isWholeNumber(const QString& text, int* value) {
    bool ok = false;
    *value = text.toInt(&ok);
    return ok;
}

int daysInMonth(int year, int month) {
    switch (month) {
        case 4:
        case 6:
        case 9:
        case 11:
            return 30;
        case 2: {
            const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
            return leap ? 29 : 28;
        }
        default:
            return 31;
    }
}

QString quoted(const QString& text) {
    // A quote inside a text literal is written twice, so whatever the pupil types is kept.
    return u'"' + QString(text).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

}  // namespace

ExecutionDialogLogic::ExecutionDialogLogic(Workspace& workspace, DialogMode mode, QString title,
                                           QString text, int blockKind, QString variable)
    : m_workspace(workspace),
      m_mode(mode),
      m_title(std::move(title)),
      m_text(std::move(text)),
      m_blockKind(blockKind),
      m_variable(std::move(variable)),
      m_targetType(variableTypeOf(workspace.project(), m_variable)) {}

bool ExecutionDialogLogic::readsDate() const {
    return m_mode == DialogMode::Read && m_targetType == TypeDate;
}

std::optional<QChar> ExecutionDialogLogic::filterKey(int type, const QString& current, QChar key) {
    if (isEditingKey(key)) {
        return key;
    }
    switch (type) {
        case TypeInteger:
            return (key == u'-' || isAsciiDigit(key)) ? std::optional<QChar>(key) : std::nullopt;
        case TypeReal:
        case TypeArray:
            if (key == u',') {
                return QChar(u'.');
            }
            if (key == u'-' || key == u'.' || isAsciiDigit(key) ||
                (type == TypeArray && (key == u' ' || key == u'*'))) {
                return key;
            }
            return std::nullopt;
        case TypeChar:
            return current.isEmpty() ? std::optional<QChar>(key) : std::nullopt;
        default:
            return key;
    }
}

std::optional<QChar> ExecutionDialogLogic::filterDateKey(QChar key) {
    if (isEditingKey(key) || key == u'-' || isAsciiDigit(key)) {
        return key;
    }
    return std::nullopt;
}

int ExecutionDialogLogic::maxLength(int type, int previous) {
    switch (type) {
        case TypeInteger:
        case TypeReal:
            return MaxNumberLength;
        case TypeChar:
            return 1;
        case TypeText:
            return 0;
        default:
            return previous;
    }
}

int ExecutionDialogLogic::dateProblem(const QString& year, const QString& month,
                                      const QString& day) {
    int y = 0;
    int m = 0;
    int d = 0;
    if (!isWholeNumber(year, &y) || !isWholeNumber(month, &m) || !isWholeNumber(day, &d)) {
        return texts::EnterValidDate;
    }
    if (y < 1901 || y > 2399) {
        return texts::EnterYearInRange;
    }
    if (m < 1 || m > 12) {
        return texts::EnterMonthInRange;
    }
    if (d < 1 || d > daysInMonth(y, m)) {
        return texts::EnterDayOfMonth;
    }
    return 0;
}

QString ExecutionDialogLogic::assignmentText(int type, const QString& variable,
                                             const QString& input) {
    switch (type) {
        case TypeChar:
        case TypeText:
        case TypeDate:
            return variable + QStringLiteral(":=") + quoted(input);
        case TypeArray: {
            // The input field cannot take quotes, so the elements typed between asterisks or
            // blanks are put into the array form here.
            static const QRegularExpression separators(QStringLiteral("[* ]+"));
            const QStringList parts = input.split(separators, Qt::SkipEmptyParts);
            QString value = QStringLiteral("\"*");
            for (const QString& part : parts) {
                value += part + u'*';
            }
            return variable + QStringLiteral(":=") + value + u'"';
        }
        default:
            return variable + QStringLiteral(":=") + input;
    }
}

std::optional<QString> ExecutionDialogLogic::filterLine(int type, const QString& line,
                                                        QString* reason) {
    QString accepted;
    for (QChar key : line) {
        const std::optional<QChar> put = filterKey(type, accepted, key);
        if (!put || isEditingKey(*put)) {
            if (reason != nullptr) {
                *reason = type == TypeChar
                              ? QStringLiteral("exactly one character is expected")
                              : QStringLiteral("the character '%1' is not accepted here").arg(key);
            }
            return std::nullopt;
        }
        accepted += *put;
    }
    const int limit = maxLength(type, 0);
    if (limit > 0 && accepted.size() > limit) {
        if (reason != nullptr) {
            *reason = QStringLiteral("at most %1 characters are accepted here").arg(limit);
        }
        return std::nullopt;
    }
    return accepted;
}

EntryResult ExecutionDialogLogic::enterValue(const QString& input) {
    if (m_mode != DialogMode::Read || m_blockKind != KindReadWrite || readsDate()) {
        return EntryResult::Refused;
    }
    static const QRegularExpression realNumber(QStringLiteral("^-?([0-9]+\\.?[0-9]*|\\.[0-9]+)$"));
    if (input.isEmpty() && m_targetType >= TypeInteger && m_targetType <= TypeArray) {
        return refuse(QStringLiteral("a value is required"));
    }
    if (m_targetType == TypeReal && !realNumber.match(input).hasMatch()) {
        return refuse(QStringLiteral("a number with a decimal point is expected"));
    }
    // A value the Calculator cannot store would silently leave the variable as it was.
    if (!assign(assignmentText(m_targetType, m_variable, input))) {
        return refuse(m_workspace.variables().lastError());
    }
    return EntryResult::Accepted;
}

EntryResult ExecutionDialogLogic::refuse(const QString& reason) {
    m_refusal = reason;
    m_workspace.messages().beep();
    return EntryResult::Refused;
}

EntryResult ExecutionDialogLogic::enterDate(const QString& year, const QString& month,
                                            const QString& day) {
    if (!readsDate() || m_blockKind != KindReadWrite) {
        return EntryResult::Refused;
    }
    if (const int problem = dateProblem(year, month, day); problem != 0) {
        m_workspace.messages().showMessage(MessageSink::Close, MessageSink::Warning,
                                           m_workspace.texts().text(problem));
        return EntryResult::Rejected;
    }
    const QString date = year + u'/' + month + u'/' + day;
    if (!assign(assignmentText(TypeDate, m_variable, date))) {
        return refuse(m_workspace.variables().lastError());
    }
    return EntryResult::Accepted;
}

void ExecutionDialogLogic::answer(bool yes) {
    if (m_mode == DialogMode::Question && m_blockKind == KindQuestion) {
        assign(m_variable + (yes ? QStringLiteral(":=1") : QStringLiteral(":=0")));
    }
    m_answered = true;
}

bool ExecutionDialogLogic::assign(const QString& assignment) {
    const Evaluation result = m_workspace.variables().evaluate(assignment);
    if (!result.ok) {
        return false;
    }
    m_answered = true;
    m_workspace.variables().refreshVariablesList();
    m_workspace.executionIo().showVariables();
    return true;
}

}  // namespace trevalon
