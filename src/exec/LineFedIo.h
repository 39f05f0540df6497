#pragma once

#include <QString>
#include <optional>

#include "exec/ExecutionIo.h"

namespace trevalon {

class MessageSink;
class TextTable;
enum class DialogMode;

// The execution dialog fed by lines of text, as `trevalon-cli run` and the grading of test
// cases drive it: every dialog's text is handed to printed(), a read block takes the next line
// that passes the dialog's key filter and value checks, a question the next line that answers
// it (1, t, tak, y, yes or 0, n, nie, no, any case). A refused line is explained and the next
// one is taken; when the lines end, the dialog ends with DialogClose::InputEnded. A date is
// typed YYYY/MM/DD; a line of another form shows texts::EnterValidDate through `messages`.
// `messages` and `texts` must outlive this object.
class LineFedIo : public ExecutionIo {
public:
    LineFedIo(MessageSink& messages, const TextTable& texts)
        : m_messages(messages), m_texts(texts) {}

    DialogClose showDialog(ExecutionDialogLogic& dialog) override;

    // A dialog text with its line breaks (LF CR, CR LF or either alone) as single LFs.
    static QString terminalLines(const QString& text);
    // The answer a line gives to a question, or nothing for a line that answers nothing.
    static std::optional<bool> parseAnswer(const QString& line);

protected:
    // The next line without its line end; false when there are no more.
    virtual bool nextLine(QString& line) = 0;
    // The dialog's text, its line breaks made LFs, before any line is read for it.
    virtual void printed(const QString& text, DialogMode mode) = 0;
    // A line refused for a value, with the reason.
    virtual void refused(const QString& reason) = 0;
    // A line that answers no question.
    virtual void refusedAnswer() = 0;

private:
    DialogClose askQuestion(ExecutionDialogLogic& dialog);
    DialogClose readValue(ExecutionDialogLogic& dialog);
    DialogClose readDate(ExecutionDialogLogic& dialog);

    MessageSink& m_messages;
    const TextTable& m_texts;
};

}  // namespace trevalon
