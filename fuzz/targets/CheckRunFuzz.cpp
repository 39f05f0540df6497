// Reads any bytes as a project file; a project that is accepted is checked and run for a
// bounded number of steps, answering every read with a value and every question in turn.
#include <memory>

#include "FuzzInput.h"
#include "Recorders.h"
#include "config/TpkXML.h"
#include "exec/BoardCheck.h"
#include "exec/ExecutionDialogLogic.h"
#include "exec/ExecutionIo.h"
#include "exec/Executor.h"
#include "exec/Workspace.h"
#include "storage/ProjectFile.h"

using namespace trevalon;

namespace {

class ScriptedIo : public ExecutionIo {
public:
    DialogClose showDialog(ExecutionDialogLogic& dialog) override {
        ++m_shown;
        switch (dialog.mode()) {
            case DialogMode::Show:
                return DialogClose::Closed;
            case DialogMode::Question:
                dialog.answer(m_shown % 2 == 0);
                return DialogClose::Closed;
            case DialogMode::Read:
                break;
        }
        if (dialog.readsDate()) {
            return dialog.enterDate(QStringLiteral("2024"), QStringLiteral("2"),
                                    QStringLiteral("29")) == EntryResult::Accepted
                       ? DialogClose::Closed
                       : DialogClose::InputEnded;
        }
        const QString value = QString::number(m_shown % 7);
        return dialog.enterValue(value) == EntryResult::Accepted ? DialogClose::Closed
                                                                 : DialogClose::InputEnded;
    }

private:
    int m_shown = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    test::RecordingSink sink;
    test::RecordingLog log(0);
    auto workspace = std::make_unique<Workspace>(log, sink);
    workspace->seedRandom(size);
    TpkXML document;
    document.loadFromBuffer(fuzz::bytes(data, size));
    if (!ProjectFile::readDocument(workspace->project(), document, sink, log, workspace->texts())) {
        return 0;
    }
    ScriptedIo io;
    workspace->setExecutionIo(&io);
    BoardCheck(*workspace).checkProject();
    workspace->executor().setStepLimit(2000);
    workspace->executor().run();
    workspace->setExecutionIo(nullptr);
    return 0;
}
