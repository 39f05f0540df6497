#include "exec/LineFedIo.h"

#include <QRegularExpression>
#include <QStringList>

#include "config/MessageSink.h"
#include "config/TextTable.h"
#include "exec/ExecutionDialogLogic.h"

namespace trevalon {

QString LineFedIo::terminalLines(const QString& text) {
    QString lines = text;
    lines.replace(QLatin1StringView("\n\r"), QLatin1StringView("\n"));
    lines.replace(QLatin1StringView("\r\n"), QLatin1StringView("\n"));
    lines.replace(u'\r', u'\n');
    return lines;
}

std::optional<bool> LineFedIo::parseAnswer(const QString& line) {
    const QString word = line.trimmed().toLower();
    static const QStringList yes = {QStringLiteral("1"), QStringLiteral("t"), QStringLiteral("tak"),
                                    QStringLiteral("y"), QStringLiteral("yes")};
    static const QStringList no = {QStringLiteral("0"), QStringLiteral("n"), QStringLiteral("nie"),
                                   QStringLiteral("no")};
    if (yes.contains(word)) {
        return true;
    }
    if (no.contains(word)) {
        return false;
    }
    return std::nullopt;
}

DialogClose LineFedIo::showDialog(ExecutionDialogLogic& dialog) {
    printed(terminalLines(dialog.text()), dialog.mode());
    switch (dialog.mode()) {
        case DialogMode::Show:
            return DialogClose::Closed;
        case DialogMode::Question:
            return askQuestion(dialog);
        case DialogMode::Read:
            return dialog.readsDate() ? readDate(dialog) : readValue(dialog);
    }
    return DialogClose::Closed;
}

DialogClose LineFedIo::askQuestion(ExecutionDialogLogic& dialog) {
    QString line;
    while (nextLine(line)) {
        if (const std::optional<bool> yes = parseAnswer(line)) {
            dialog.answer(*yes);
            return DialogClose::Closed;
        }
        refusedAnswer();
    }
    return DialogClose::InputEnded;
}

DialogClose LineFedIo::readValue(ExecutionDialogLogic& dialog) {
    QString line;
    while (nextLine(line)) {
        QString reason;
        const std::optional<QString> value =
            ExecutionDialogLogic::filterLine(dialog.targetType(), line, &reason);
        if (!value) {
            refused(reason);
            continue;
        }
        if (dialog.enterValue(*value) == EntryResult::Accepted) {
            return DialogClose::Closed;
        }
        refused(dialog.refusal());
    }
    return DialogClose::InputEnded;
}

DialogClose LineFedIo::readDate(ExecutionDialogLogic& dialog) {
    // Made per call, so that nothing compiled on first use is shared between threads.
    const QRegularExpression form(QStringLiteral("^([0-9-]{1,4})/([0-9-]{1,2})/([0-9-]{1,2})$"));
    QString line;
    while (nextLine(line)) {
        const QRegularExpressionMatch match = form.match(line.trimmed());
        if (!match.hasMatch()) {
            // What the three fields could not hold is no date at all.
            m_messages.showMessage(MessageSink::Close, MessageSink::Warning,
                                   m_texts.text(texts::EnterValidDate));
            continue;
        }
        const EntryResult entered =
            dialog.enterDate(match.captured(1), match.captured(2), match.captured(3));
        if (entered == EntryResult::Accepted) {
            return DialogClose::Closed;
        }
        if (entered == EntryResult::Refused) {
            refused(dialog.refusal());
        }
    }
    return DialogClose::InputEnded;
}

}  // namespace trevalon
