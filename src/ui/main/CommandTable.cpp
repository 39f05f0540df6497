#include "ui/main/CommandTable.h"

#include <QKeySequence>

#include "config/TextIds.h"
#include "config/TextTable.h"
#include "ui/main/MainCommands.h"
#include "ui/main/MainToolbar.h"

namespace trevalon {

// The rows stand in the order of the menus' items; the keys the menus show are the first ones.
// Comments say why a rule is what it is.
std::span<const CommandRow> commandTable() {
    using M = MainCommands;
    static constexpr CommandRow kRows[] = {
        // The File menu (the recent projects' submenu follows Open).
        {.command = Command::NewProject,
         .id = "NewProject",
         .menu = MenuPlace::File,
         .item = "MNewProjekt",
         .text = texts::MenuNewProject,
         .keys = {{{"Ctrl+N"}}},
         .allowed = &M::idle,
         .run = &M::newProject},
        {.command = Command::NewBoard,
         .id = "NewBoard",
         .menu = MenuPlace::File,
         .item = "MNowaPlansza",
         .text = texts::MenuNewBoard,
         .allowed = &M::canAddBoard,
         .run = &M::newBoard},
        {.command = Command::OpenProject,
         .id = "OpenProject",
         .menu = MenuPlace::File,
         .item = "MOtworzProjekt",
         .text = texts::MenuOpenProject,
         .keys = {{{"Ctrl+O"}}},
         .allowed = &M::idle,
         .run = &M::openProject},
        // Saving and checking change what a run relies on (marks, test values in the
        // Calculator), so they wait until the run is over whatever started them.
        {.command = Command::SaveProject,
         .id = "SaveProject",
         .menu = MenuPlace::File,
         .item = "MZapiszProjekt",
         .text = texts::MenuSaveProject,
         .keys = {{{"Ctrl+S"}}},
         .allowed = &M::openIdle,
         .menuEnabled = &M::unsavedChanges,
         .run = &M::save},
        {.command = Command::SaveAs,
         .id = "SaveAs",
         .menu = MenuPlace::File,
         .item = "MZapiszJako",
         .text = texts::MenuSaveAs,
         .allowed = &M::openIdle,
         .run = &M::saveAs},
        // A document shows the project as it stands, not a run's passing state.
        {.command = Command::Print,
         .id = "Print",
         .menu = MenuPlace::File,
         .item = "MDrukuj",
         .text = texts::MenuPrint,
         .separatorBefore = true,
         .keys = {{{"Ctrl+P"}}},
         .allowed = &M::openIdle,
         .run = &M::print},
        {.command = Command::ExportPdf,
         .id = "ExportPdf",
         .menu = MenuPlace::File,
         .item = "MEksportPdf",
         .text = texts::MenuExportPdf,
         .allowed = &M::openIdle,
         .run = &M::exportPdf},
        {.command = Command::ExportSvg,
         .id = "ExportSvg",
         .menu = MenuPlace::File,
         .item = "MEksportSvg",
         .text = texts::MenuExportSvg,
         .allowed = &M::openIdle,
         .run = &M::exportSvg},
        // Like every other edit, undo waits until the run is over.
        {.command = Command::Undo,
         .id = "Undo",
         .menu = MenuPlace::File,
         .item = "MCofnij",
         .text = texts::UndoCommand,
         .separatorBefore = true,
         .keys = {{{"Ctrl+Z"}}},
         .allowed = &M::canUndo,
         .run = &M::undo},
        {.command = Command::Redo,
         .id = "Redo",
         .menu = MenuPlace::File,
         .item = "MPonow",
         .text = texts::RedoCommand,
         .keys = {{{"Ctrl+Y"}, {"Ctrl+Shift+Z"}}},
         .allowed = &M::canRedo,
         .run = &M::redo},
        // In the properties window the same keys cut, copy and paste the text being edited.
        {.command = Command::CutBlocks,
         .id = "CutBlocks",
         .menu = MenuPlace::File,
         .item = "MWytnij",
         .text = texts::MenuCutBlocks,
         .keys = {{{"Ctrl+X", OnBoards}}},
         .allowed = &M::openIdle,
         .menuEnabled = &M::blocksChosen,
         .run = &M::cutBlocks},
        {.command = Command::CopyBlocks,
         .id = "CopyBlocks",
         .menu = MenuPlace::File,
         .item = "MKopiuj",
         .text = texts::MenuCopyBlocks,
         .keys = {{{"Ctrl+C", OnBoards}}},
         .allowed = &M::openIdle,
         .menuEnabled = &M::blocksChosen,
         .run = &M::copyBlocks},
        {.command = Command::PasteBlocks,
         .id = "PasteBlocks",
         .menu = MenuPlace::File,
         .item = "MWklej",
         .text = texts::MenuPasteBlocks,
         .keys = {{{"Ctrl+V", OnBoards}}},
         .allowed = &M::canPaste,
         .run = &M::pasteBlocks},
        // The key closes the program at any time (it asks about a run); the item waits.
        {.command = Command::Close,
         .id = "Close",
         .menu = MenuPlace::File,
         .item = "MZamknij",
         .text = texts::Close,
         .separatorBefore = true,
         .keys = {{{"Alt+F4"}}},
         .allowed = &M::always,
         .menuEnabled = &M::idle,
         .run = &M::closeWindow},

        // The Show menu.
        {.command = Command::ToggleProperties,
         .id = "ToggleProperties",
         .menu = MenuPlace::Show,
         .item = "MOknoWlasnosci",
         .text = texts::MenuToggleProperties,
         .keys = {{{"F11", InProperties, true}}},
         .allowed = &M::open,
         .run = &M::toggleProperties},
        {.command = Command::ToggleVariables,
         .id = "ToggleVariables",
         .menu = MenuPlace::Show,
         .item = "MOknoZmiennych",
         .text = texts::MenuToggleVariables,
         .keys = {{{"F10", Everywhere, true}}},
         .allowed = &M::variablesReady,
         .run = &M::toggleVariables},
        {.command = Command::ShowBoards,
         .id = "ShowBoards",
         .menu = MenuPlace::Show,
         .item = "MPokazPlansze",
         .text = texts::ShowBoards,
         .keys = {{{"Ctrl+B"}}},
         .allowed = &M::open,
         .run = &M::showBoards},
        {.command = Command::HideAuxiliary,
         .id = "HideAuxiliary",
         .menu = MenuPlace::Show,
         .item = "MUkryjPomocnicze",
         .text = texts::MenuHideAuxiliary,
         .allowed = &M::open,
         .run = &M::hideAuxiliary},
        // The trace and the code follow a run: they open while it goes on.
        {.command = Command::ShowTrace,
         .id = "ShowTrace",
         .menu = MenuPlace::Show,
         .item = "MPokazSlad",
         .text = texts::MenuShowTrace,
         .allowed = &M::open,
         .run = &M::showTrace},
        {.command = Command::ShowCode,
         .id = "ShowCode",
         .menu = MenuPlace::Show,
         .item = "MPokazKod",
         .text = texts::MenuShowCode,
         .keys = {{{"Ctrl+K"}}},
         .allowed = &M::open,
         .run = &M::showCode},
        // Zooming changes only how a board is shown, during a run as well. Where "+" needs
        // Shift (most layouts), Ctrl+= and Ctrl+Shift+"=" give it.
        {.command = Command::ZoomIn,
         .id = "ZoomIn",
         .menu = MenuPlace::Show,
         .item = "MPowieksz",
         .text = texts::MenuZoomIn,
         .separatorBefore = true,
         .keys = {{{"Ctrl++"},
                   {"Ctrl+=", Everywhere, false, false},
                   {"Ctrl+Shift++", Everywhere, false, false}}},
         .allowed = &M::open,
         .run = &M::zoomIn},
        {.command = Command::ZoomOut,
         .id = "ZoomOut",
         .menu = MenuPlace::Show,
         .item = "MPomniejsz",
         .text = texts::MenuZoomOut,
         .keys = {{{"Ctrl+-"}}},
         .allowed = &M::open,
         .run = &M::zoomOut},
        {.command = Command::ZoomReset,
         .id = "ZoomReset",
         .menu = MenuPlace::Show,
         .item = "MRozmiarRzeczywisty",
         .text = texts::MenuZoomReset,
         .keys = {{{"Ctrl+0"}}},
         .allowed = &M::open,
         .run = &M::zoomReset},
        {.command = Command::CopyPicture,
         .id = "CopyPicture",
         .menu = MenuPlace::Show,
         .item = "MKopiujOkno",
         .text = texts::MenuCopyPicture,
         .separatorBefore = true,
         .allowed = &M::open,
         .run = &M::copyPicture},
        {.command = Command::ShowSchema,
         .id = "ShowSchema",
         .menu = MenuPlace::Show,
         .item = "MPokazSchemat",
         .text = texts::MenuShowSchema,
         .allowed = &M::schemaHasBlocks,
         .run = &M::showSchema},

        // The Run menu.
        {.command = Command::CheckBoard,
         .id = "CheckBoard",
         .menu = MenuPlace::Run,
         .item = "MSprawdzPlansze",
         .text = texts::MenuCheckBoard,
         .keys = {{{"Alt+F8"}}},
         .allowed = &M::openIdle,
         .run = &M::checkBoard},
        {.command = Command::CheckProject,
         .id = "CheckProject",
         .menu = MenuPlace::Run,
         .item = "MSprawdzProjekt",
         .text = texts::MenuCheckProject,
         .keys = {{{"Alt+F9"}}},
         .allowed = &M::openIdle,
         .run = &M::checkProject},
        {.command = Command::CheckWithTests,
         .id = "CheckWithTests",
         .menu = MenuPlace::Run,
         .item = "MSprawdzTestami",
         .text = texts::MenuCheckWithTests,
         .allowed = &M::openIdle,
         .run = &M::checkWithTests},
        {.command = Command::Run,
         .id = "Run",
         .menu = MenuPlace::Run,
         .item = "MUruchom",
         .text = texts::MenuRun,
         .separatorBefore = true,
         .keys = {{{"F9", Everywhere, true}}},
         .toolbar = MainToolbar::TagRun,
         .allowed = &M::openIdle,
         .run = &M::run},
        // One toolbar button starts stepping and then takes the next step: it runs whichever
        // of the two is allowed, and they never are at once.
        {.command = Command::StepByStep,
         .id = "StepByStep",
         .menu = MenuPlace::Run,
         .item = "MKrokPoKroku",
         .text = texts::MenuStepByStep,
         .keys = {{{"F12", Everywhere, true}}},
         .toolbar = MainToolbar::TagNextStep,
         .allowed = &M::openIdle,
         .run = &M::startStepping},
        {.command = Command::NextStep,
         .id = "NextStep",
         .menu = MenuPlace::Run,
         .item = "MNastepnyKrok",
         .text = texts::MenuNextStep,
         .keys = {{{"F7", Everywhere, true}}},
         .toolbar = MainToolbar::TagNextStep,
         .allowed = &M::canTakeNextStep,
         .run = &M::nextStep},
        // The keys that came with pause and breakpoints take no modifier at all.
        {.command = Command::PauseRun,
         .id = "PauseRun",
         .menu = MenuPlace::Run,
         .item = "MWstrzymaj",
         .text = texts::MenuPauseRun,
         .keys = {{{"F6"}}},
         .allowed = &M::canPause,
         .run = &M::pauseRun},
        {.command = Command::StepBack,
         .id = "StepBack",
         .menu = MenuPlace::Run,
         .item = "MKrokWstecz",
         .text = texts::MenuStepBack,
         .keys = {{{"Shift+F7"}}},
         .allowed = &M::canStepBack,
         .run = &M::stepBack},
        {.command = Command::StepForward,
         .id = "StepForward",
         .menu = MenuPlace::Run,
         .item = "MKrokNaprzod",
         .text = texts::MenuStepForward,
         .keys = {{{"Shift+F8"}}},
         .allowed = &M::canStepForward,
         .run = &M::stepForward},
        {.command = Command::Abort,
         .id = "Abort",
         .menu = MenuPlace::Run,
         .item = "MPrzerwij",
         .text = texts::MenuAbort,
         .keys = {{{"Ctrl+F"}}},
         .allowed = &M::running,
         .run = &M::abort},
        // A breakpoint is no edit of the project: it may be set while a run goes on.
        {.command = Command::ToggleBreakpoint,
         .id = "ToggleBreakpoint",
         .menu = MenuPlace::Run,
         .item = "MPunktZatrzymania",
         .text = texts::MenuToggleBreakpoint,
         .separatorBefore = true,
         .keys = {{{"F8"}}},
         .allowed = &M::open,
         .run = &M::toggleBreakpoint},

        // The Help menu (the language submenu follows About).
        {.command = Command::Help,
         .id = "Help",
         .menu = MenuPlace::Help,
         .item = "MPomoc",
         .text = texts::MenuHelp,
         .keys = {{{"F1", Everywhere, true}}},
         .allowed = &M::always,
         .run = &M::openHelp},
        {.command = Command::About,
         .id = "About",
         .menu = MenuPlace::Help,
         .item = "MOProgramie",
         .text = texts::MenuAbout,
         .allowed = &M::idle,
         .run = &M::about},
        {.command = Command::Polish,
         .id = "Polish",
         .menu = MenuPlace::Language,
         .item = "MPolski",
         .fixedText = "Polski",
         .allowed = &M::notPolish,
         .run = &M::polish},
        {.command = Command::English,
         .id = "English",
         .menu = MenuPlace::Language,
         .item = "MAngielski",
         .fixedText = "English",
         .allowed = &M::notEnglish,
         .run = &M::english},
        {.command = Command::EventLog,
         .id = "EventLog",
         .menu = MenuPlace::Help,
         .item = "MZdarzenia",
         .text = texts::EventLogTitle,
         .separatorBefore = true,
         .allowed = &M::always,
         .run = &M::eventLog},
        {.command = Command::Settings,
         .id = "Settings",
         .menu = MenuPlace::Help,
         .item = "MUstawienia",
         .text = texts::SettingsTitle,
         .allowed = &M::always,
         .run = &M::settings},

        // The window menu behind the title strip's mark.
        {.command = Command::Restore,
         .id = "Restore",
         .menu = MenuPlace::Window,
         .item = "MPrzywroc",
         .text = texts::WindowRestore,
         .allowed = &M::maximised,
         .run = &M::toggleMaximised},
        {.command = Command::Minimise,
         .id = "Minimise",
         .menu = MenuPlace::Window,
         .item = "MMinimalizuj",
         .text = texts::WindowMinimise,
         .allowed = &M::always,
         .run = &M::minimise},
        {.command = Command::Maximise,
         .id = "Maximise",
         .menu = MenuPlace::Window,
         .item = "MMaksymalizuj",
         .text = texts::WindowMaximise,
         .allowed = &M::always,
         .menuEnabled = &M::notMaximised,
         .run = &M::toggleMaximised},
        {.command = Command::CloseProgram,
         .id = "CloseProgram",
         .menu = MenuPlace::Window,
         .item = "MZamknijProgram",
         .text = texts::WindowClose,
         .separatorBefore = true,
         .allowed = &M::always,
         .run = &M::closeWindow},

        // Keys without a menu item.
        {.command = Command::DeleteBlock,
         .id = "DeleteBlock",
         .text = texts::BoardMenuDeleteBlock,
         .keys = {{{"Delete", OnBoards, true}}},
         .allowed = &M::openIdle,
         .run = &M::deleteBlock},
        // Outside the properties window F11 shows it rather than toggling it.
        {.command = Command::ShowProperties,
         .id = "ShowProperties",
         .text = texts::KeyShowProperties,
         .keys = {{{"F11", InMain | InBoard | InReport, true}}},
         .allowed = &M::open,
         .run = &M::showProperties},
    };
    return kRows;
}

std::span<const MenuKey> menuKeys() {
    // The Polish titles' letters, whatever the interface's language.
    static constexpr MenuKey kKeys[] = {
        {MenuPlace::File, texts::MenuTitleFile, "Alt+P"},
        {MenuPlace::Show, texts::MenuTitleShow, "Alt+O"},
        {MenuPlace::Run, texts::MenuTitleRun, "Alt+W"},
        {MenuPlace::Help, texts::MenuTitleHelp, "Alt+M"},
    };
    return kKeys;
}

const CommandRow& commandRow(Command command) {
    for (const CommandRow& row : commandTable()) {
        if (row.command == command) {
            return row;
        }
    }
    // Every command has a row (a test walks the enum); the first row keeps a slip harmless.
    return commandTable().front();
}

namespace {

QKeyCombination combination(const char* sequence) {
    const QKeySequence keys = QKeySequence::fromString(QLatin1String(sequence));
    return keys.isEmpty() ? QKeyCombination() : keys[0];
}

bool same(const char* sequence, int key, Qt::KeyboardModifiers modifiers) {
    const QKeyCombination bound = combination(sequence);
    return bound.key() == key && bound.keyboardModifiers() == modifiers;
}

unsigned bit(KeySource source) {
    return 1u << static_cast<unsigned>(source);
}

// Ctrl, Alt and Ctrl+Alt alone have keys of their own; any other modifiers leave the function
// keys that accept them as they are.
bool loose(Qt::KeyboardModifiers modifiers) {
    return modifiers != Qt::ControlModifier && modifiers != Qt::AltModifier &&
           modifiers != (Qt::ControlModifier | Qt::AltModifier);
}

// Splits "Ctrl++" into Ctrl and +.
QStringList keyParts(const QString& sequence) {
    if (sequence.endsWith(QLatin1String("++"))) {
        QStringList parts = sequence.chopped(2).split(QLatin1Char('+'));
        parts << QStringLiteral("+");
        return parts;
    }
    return sequence.split(QLatin1Char('+'));
}

QString kbd(const QStringList& parts) {
    QStringList marked;
    for (const QString& part : parts) {
        marked << QStringLiteral("<kbd>") + part + QStringLiteral("</kbd>");
    }
    return marked.join(QLatin1Char('+'));
}

// Several keys sharing their modifiers: the first whole, the others by their last key only
// ("Alt+P / O / W / M").
QString sharedModifiers(const QStringList& sequences, const QString& separator) {
    QStringList shown;
    for (const QString& sequence : sequences) {
        const QStringList parts = keyParts(sequence);
        shown << (shown.isEmpty() ? kbd(parts) : kbd({parts.last()}));
    }
    return shown.join(separator);
}

QStringList menuSequences() {
    QStringList sequences;
    for (const MenuKey& menu : menuKeys()) {
        sequences << QLatin1String(menu.sequence);
    }
    return sequences;
}

const CommandRow* rowById(const QString& id) {
    for (const CommandRow& row : commandTable()) {
        if (id == QLatin1String(row.id)) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace

QString keyText(Command command) {
    const QStringList keys = listedKeys(command);
    return keys.isEmpty() ? QString() : keys.first();
}

QStringList listedKeys(Command command) {
    QStringList keys;
    for (const CommandKey& key : commandRow(command).keys) {
        if (key.sequence && key.listed) {
            keys << QLatin1String(key.sequence);
        }
    }
    return keys;
}

std::optional<Command> commandForKey(int key, Qt::KeyboardModifiers modifiers, KeySource source) {
    // A key with exactly its modifiers first: Shift+F7 steps back rather than forward.
    for (const bool exact : {true, false}) {
        if (!exact && !loose(modifiers)) {
            break;
        }
        for (const CommandRow& row : commandTable()) {
            for (const CommandKey& bound : row.keys) {
                if (!bound.sequence || (bound.windows & bit(source)) == 0) {
                    continue;
                }
                if (exact ? same(bound.sequence, key, modifiers)
                          : bound.anyModifiers && same(bound.sequence, key, Qt::NoModifier)) {
                    return row.command;
                }
            }
        }
    }
    return std::nullopt;
}

std::optional<MenuPlace> menuForKey(int key, Qt::KeyboardModifiers modifiers) {
    for (const MenuKey& menu : menuKeys()) {
        if (same(menu.sequence, key, modifiers)) {
            return menu.menu;
        }
    }
    return std::nullopt;
}

std::optional<int> logLevelForKey(int key, Qt::KeyboardModifiers modifiers, KeySource source) {
    const QKeyCombination first = combination(kLogLevelKeys.first);
    const QKeyCombination last = combination(kLogLevelKeys.second);
    if (source != KeySource::Main || modifiers != first.keyboardModifiers() || key < first.key() ||
        key > last.key()) {
        return std::nullopt;
    }
    return key - first.key();
}

QString readmeKeyList(const TextTable& english) {
    QStringList lines{QStringLiteral("| Keys | Command |"), QStringLiteral("| --- | --- |")};
    for (const CommandRow& row : commandTable()) {
        const QStringList keys = listedKeys(row.command);
        if (!keys.isEmpty()) {
            lines << QStringLiteral("| %1 | %2 |")
                         .arg(keys.join(QStringLiteral(", ")), english.text(row.text));
        }
    }
    for (const MenuKey& menu : menuKeys()) {
        const QString title = english.text(menu.title).remove(QLatin1Char('&'));
        lines << QStringLiteral("| %1 | %2 |")
                     .arg(QLatin1String(menu.sequence),
                          english.text(texts::KeyOpensMenu).arg(title));
    }
    lines << QStringLiteral("| %1 … %2 | %3 |")
                 .arg(QLatin1String(kLogLevelKeys.first), QLatin1String(kLogLevelKeys.second),
                      english.text(texts::KeyLogLevel));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString helpKeys(const QStringList& commands) {
    QStringList shown;
    for (const QString& id : commands) {
        if (id == QLatin1String("menus")) {
            shown << sharedModifiers(menuSequences(), QStringLiteral(" / "));
        } else if (id == QLatin1String("log-level")) {
            shown << sharedModifiers(
                {QLatin1String(kLogLevelKeys.first), QLatin1String(kLogLevelKeys.second)},
                QStringLiteral(" … "));
        } else if (const CommandRow* row = rowById(id)) {
            QStringList keys;
            for (const QString& key : listedKeys(row->command)) {
                keys << kbd(keyParts(key));
            }
            shown << keys.join(QStringLiteral(", "));
        } else {
            shown << QStringLiteral("?") + id;
        }
    }
    return shown.join(QStringLiteral(" / "));
}

}  // namespace trevalon
