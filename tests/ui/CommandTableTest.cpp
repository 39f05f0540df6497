// The command table: one row per command, keys that mean one thing in each window, the rules
// the key handling has always had, and the key lists of the README and the help pages, which
// must change with the table.
#include <gtest/gtest.h>

#include <QFile>
#include <QKeySequence>
#include <QRegularExpression>
#include <QSet>
#include <map>
#include <optional>

#include "config/TextTable.h"
#include "ui/main/CommandTable.h"

using namespace trevalon;

namespace {

constexpr KeySource kSources[] = {KeySource::Main, KeySource::Board, KeySource::Properties,
                                  KeySource::Report};

QString readSource(const char* path) {
    QFile file(QStringLiteral(TREVALON_SOURCE_DIR "/") + QLatin1String(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return QString::fromUtf8(file.readAll());
}

// Every listed key of the table, with the menus' keys and the event-log levels' first and last.
QSet<QString> listedEverywhere() {
    QSet<QString> keys;
    for (const CommandRow& row : commandTable()) {
        for (const QString& key : listedKeys(row.command)) {
            keys.insert(key);
        }
    }
    for (const MenuKey& menu : menuKeys()) {
        keys.insert(QLatin1String(menu.sequence));
    }
    keys.insert(QLatin1String(kLogLevelKeys.first));
    keys.insert(QLatin1String(kLogLevelKeys.second));
    return keys;
}

}  // namespace

TEST(CommandTable, HasOneRowForEveryCommandWithWhatItsPlacesNeed) {
    std::map<int, int> rows;
    QSet<QString> ids;
    QSet<QString> items;
    for (const CommandRow& row : commandTable()) {
        ++rows[static_cast<int>(row.command)];
        EXPECT_FALSE(ids.contains(QLatin1String(row.id))) << row.id;
        ids.insert(QLatin1String(row.id));
        EXPECT_TRUE(row.allowed && row.run) << row.id;
        EXPECT_TRUE(row.text != 0 || row.fixedText) << row.id;
        if (row.menu == MenuPlace::None) {
            EXPECT_EQ(row.item, nullptr) << row.id;
            EXPECT_FALSE(listedKeys(row.command).isEmpty()) << row.id << " is reached by nothing";
        } else {
            ASSERT_NE(row.item, nullptr) << row.id;
            EXPECT_FALSE(items.contains(QLatin1String(row.item))) << row.item;
            items.insert(QLatin1String(row.item));
        }
        for (const CommandKey& key : row.keys) {
            if (key.sequence) {
                EXPECT_FALSE(QKeySequence::fromString(QLatin1String(key.sequence)).isEmpty())
                    << key.sequence;
            }
        }
    }
    for (int command = 0; command <= static_cast<int>(Command::ShowProperties); ++command) {
        EXPECT_EQ(rows[command], 1) << "command " << command;
    }
    EXPECT_EQ(rows.size(), std::size_t(static_cast<int>(Command::ShowProperties) + 1));
}

// A key bound twice in one window would start whichever row comes first.
TEST(CommandTable, NoKeyStartsTwoThingsInOneWindow) {
    for (const KeySource source : kSources) {
        std::map<std::pair<int, int>, QString> taken;
        const auto take = [&](const char* sequence, const QString& what) {
            const QKeyCombination key = QKeySequence::fromString(QLatin1String(sequence))[0];
            const auto at = std::make_pair(int(key.key()), int(key.keyboardModifiers()));
            EXPECT_FALSE(taken.count(at))
                << sequence << ": " << what.toStdString() << " and " << taken[at].toStdString();
            taken[at] = what;
        };
        for (const CommandRow& row : commandTable()) {
            for (const CommandKey& key : row.keys) {
                if (key.sequence && (key.windows & (1u << static_cast<unsigned>(source)))) {
                    take(key.sequence, QLatin1String(row.id));
                }
            }
        }
        for (const MenuKey& menu : menuKeys()) {
            take(menu.sequence, QStringLiteral("a menu"));
        }
    }
}

// The keys as the hand-written key handling bound them: function keys with Shift, Meta or
// several modifiers held still work, Ctrl, Alt and Ctrl+Alt have keys of their own, and the
// clipboard and Delete keys edit text outside the boards.
TEST(CommandTable, KeysStartWhatTheyAlwaysStarted) {
    const auto ctrl = Qt::ControlModifier;
    const auto alt = Qt::AltModifier;
    const auto shift = Qt::ShiftModifier;
    const auto meta = Qt::MetaModifier;
    const auto none = Qt::NoModifier;
    struct Case {
        int key;
        Qt::KeyboardModifiers mods;
        KeySource source;
        std::optional<Command> expected;
    };
    const Case cases[] = {
        {Qt::Key_F9, none, KeySource::Main, Command::Run},
        {Qt::Key_F9, shift, KeySource::Report, Command::Run},
        {Qt::Key_F9, meta | ctrl, KeySource::Board, Command::Run},
        {Qt::Key_F9, ctrl, KeySource::Main, std::nullopt},
        {Qt::Key_F9, ctrl | alt, KeySource::Main, std::nullopt},
        {Qt::Key_F9, alt, KeySource::Properties, Command::CheckProject},
        {Qt::Key_F7, shift, KeySource::Main, Command::StepBack},
        {Qt::Key_F7, ctrl | shift, KeySource::Main, Command::NextStep},
        {Qt::Key_F8, shift, KeySource::Board, Command::StepForward},
        {Qt::Key_F8, alt | shift, KeySource::Main, std::nullopt},
        {Qt::Key_F6, shift, KeySource::Main, std::nullopt},
        {Qt::Key_F6, none, KeySource::Properties, Command::PauseRun},
        {Qt::Key_F11, none, KeySource::Properties, Command::ToggleProperties},
        {Qt::Key_F11, shift, KeySource::Board, Command::ShowProperties},
        {Qt::Key_X, ctrl, KeySource::Board, Command::CutBlocks},
        {Qt::Key_X, ctrl, KeySource::Properties, std::nullopt},
        {Qt::Key_V, ctrl, KeySource::Report, std::nullopt},
        {Qt::Key_Delete, none, KeySource::Properties, std::nullopt},
        {Qt::Key_Delete, shift, KeySource::Main, Command::DeleteBlock},
        {Qt::Key_Z, ctrl | shift, KeySource::Board, Command::Redo},
        {Qt::Key_N, ctrl | shift, KeySource::Main, std::nullopt},
        {Qt::Key_Equal, ctrl, KeySource::Board, Command::ZoomIn},
        {Qt::Key_Plus, ctrl | shift, KeySource::Main, Command::ZoomIn},
        {Qt::Key_F, ctrl, KeySource::Properties, Command::Abort},
        {Qt::Key_F4, alt, KeySource::Board, Command::Close},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(commandForKey(c.key, c.mods, c.source), c.expected)
            << QKeySequence(QKeyCombination(c.mods, Qt::Key(c.key))).toString().toStdString()
            << " in window " << static_cast<int>(c.source);
    }
    EXPECT_EQ(menuForKey(Qt::Key_O, alt), MenuPlace::Show);
    EXPECT_EQ(menuForKey(Qt::Key_M, alt), MenuPlace::Help);
    EXPECT_EQ(menuForKey(Qt::Key_O, ctrl | alt), std::nullopt);
    EXPECT_EQ(logLevelForKey(Qt::Key_3, ctrl | alt, KeySource::Main), 3);
    EXPECT_EQ(logLevelForKey(Qt::Key_3, ctrl | alt, KeySource::Board), std::nullopt);
    EXPECT_EQ(logLevelForKey(Qt::Key_5, ctrl | alt, KeySource::Main), std::nullopt);
}

// The README's list is the table's rendering between its two marks: a key changed on one side
// only fails here, and the message holds the list to paste.
TEST(KeyLists, TheReadmeListsTheKeysOfTheTable) {
    const QString readme = readSource("README.md");
    const QString begin = QStringLiteral("<!-- keys: made from src/ui/main/CommandTable.cpp -->\n");
    const QString end = QStringLiteral("<!-- end of keys -->");
    const qsizetype from = readme.indexOf(begin);
    const qsizetype to = readme.indexOf(end);
    ASSERT_TRUE(from >= 0 && to > from) << "the README's key list has lost its marks";
    TextTable english;
    english.setLanguage(QStringLiteral("ang"));
    const QString expected = readmeKeyList(english);
    EXPECT_EQ(readme.mid(from + begin.size(), to - from - begin.size()), expected)
        << "the README's key list should read:\n"
        << expected.toStdString();
}

// Each key cell of the help's key table names its commands; it must show exactly their keys,
// and together the cells must show every key the table lists.
TEST(KeyLists, TheHelpPagesShowTheKeysOfTheTable) {
    static const QRegularExpression cell(
        QStringLiteral("<span data-keys=\"([^\"]*)\">(.*?)</span>"),
        QRegularExpression::DotMatchesEverythingOption);
    for (const char* page : {"Pomoc/index.htm", "Pomoc/en/index.htm"}) {
        const QString html = readSource(page);
        QSet<QString> shown;
        for (auto match = cell.globalMatch(html); match.hasNext();) {
            const QRegularExpressionMatch found = match.next();
            const QStringList ids = found.captured(1).split(QLatin1Char(' '));
            EXPECT_EQ(found.captured(2), helpKeys(ids))
                << page << ": " << found.captured(1).toStdString();
            for (const QString& id : ids) {
                if (id == QLatin1String("menus")) {
                    for (const MenuKey& menu : menuKeys()) {
                        shown.insert(QLatin1String(menu.sequence));
                    }
                } else if (id == QLatin1String("log-level")) {
                    shown.insert(QLatin1String(kLogLevelKeys.first));
                    shown.insert(QLatin1String(kLogLevelKeys.second));
                }
                for (const CommandRow& row : commandTable()) {
                    if (id == QLatin1String(row.id)) {
                        for (const QString& key : listedKeys(row.command)) {
                            shown.insert(key);
                        }
                    }
                }
            }
        }
        for (const QString& key : listedEverywhere()) {
            EXPECT_TRUE(shown.contains(key)) << page << " does not show " << key.toStdString();
        }
    }
}
