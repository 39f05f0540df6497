// Reads any bytes as a project file; a project that is accepted is checked and run for a
// bounded number of steps, answering every read with a value and every question in turn. A
// trace table small enough to drop rows records the run; when the run reaches its End, the
// values after the table's last row are the Calculator's, and every row can be told in words.
#include <memory>

#include <cstdlib>

#include "FuzzInput.h"
#include "Recorders.h"
#include "calc/TCalcul.h"
#include "calc/TText.h"
#include "config/TpkXML.h"
#include "exec/CheckCommands.h"
#include "exec/ExecutionDialogLogic.h"
#include "exec/ExecutionIo.h"
#include "exec/Executor.h"
#include "exec/TraceTable.h"
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
    if (!ProjectFile::readDocument(workspace->project(), document, log, workspace->texts()).ok()) {
        return 0;
    }
    ScriptedIo io;
    workspace->setExecutionIo(&io);
    checkProject(*workspace);
    TraceTable table(workspace->project(), workspace->texts(), workspace->variables(),
                     Settings::MinTraceRows);
    table.setConnectors(true);
    workspace->executor().setStepObserver(&table);
    workspace->executor().setStepLimit(2000);
    workspace->executor().run();
    workspace->executor().setStepObserver(nullptr);
    workspace->setExecutionIo(nullptr);
    for (int row = 0; row < table.rowCount(); ++row) {
        table.action(row);
    }
    table.csv();
    if (workspace->executor().lastEnd() == RunEnd::Finished) {
        const QStringList values = table.valuesAt(table.rowCount() - 1);
        const QStringList& names = table.variableNames();
        for (qsizetype i = 0; i < names.size(); ++i) {
            if (values[i] != workspace->variables().calculator().variables().get(names[i])) {
                std::abort();
            }
        }
    }
    return 0;
}
