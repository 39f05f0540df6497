#pragma once

#include <QString>

namespace trevalon {

class Status;
class TextTable;

// Where the core shows a message or asks a question. The desktop program answers with its
// message dialog, the command-line tool with standard error, tests with a recorder.
class MessageSink {
public:
    enum Buttons { Close = 1, YesNoCancel = 3 };
    enum Icon { Information = 1, Question = 2, Warning = 3 };
    enum Result { ResultClose = 0, ResultYes = 1, ResultNo = 2, ResultCancel = 3 };

    virtual ~MessageSink() = default;

    // Shows `text` (line breaks as "\n" or "\r") and answers the button chosen.
    virtual int showMessage(int buttons, int icon, const QString& text) = 0;

    // Sounds the system beep; silent where there is nothing to sound.
    virtual void beep() {}

    // Shows a failed status as the program shows a refusal: its message in the table's current
    // language, a Close button and the icon of its severity. Nothing for an OK status.
    void showStatus(const Status& status, const TextTable& texts);
};

}  // namespace trevalon
