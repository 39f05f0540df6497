// `trevalon-cli check` on one faulty board per reason (tests/data/check, written by
// make_examples from tests/common/FaultyBoards.h): the reason with its place, in both
// languages, and the same as structured data with --json.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

struct Reason {
    const char* file;
    const char* code;
    int board;
    int column;
    int row;
    const char* polish;
    const char* english;
};

const Reason kReasons[] = {
    {"board-empty", "board-empty", 1, 0, 0, "Plansza 1: Plansza jest pusta.",
     "Board 1: The board is empty."},
    {"no-start", "no-start", 1, 0, 0, "Plansza 1: Na planszy nie ma bloku Start.",
     "Board 1: The board has no Start block."},
    {"no-end", "no-end", 1, 0, 0, "Plansza 1: Na planszy nie ma bloku Koniec.",
     "Board 1: The board has no End block."},
    {"fragment-start-end", "fragment-start-end", 2, 0, 0,
     "Plansza 2: Plansza fragmentu nie może mieć bloków Start ani Koniec.",
     "Board 2: A fragment board may have no Start or End block."},
    {"fragment-branches", "fragment-branches", 2, 0, 0,
     "Plansza 2: Plansza fragmentu potrzebuje bloku początku i bloku końca gałęzi.",
     "Board 2: A fragment board needs a branch start block and a branch end block."},
    {"field-not-set", "field-not-set", 1, 2, 2,
     "Plansza 1, kolumna 2, wiersz 2: Blok Komunikat2: pole „Komunikat” nie jest ustawione.",
     "Board 1, column 2, row 2: Block Komunikat2: the field “Statement” is not set."},
    {"name-not-found", "name-not-found", 1, 2, 2,
     "Plansza 1, kolumna 2, wiersz 2: Blok Czytaj2: w polu „Zmienna” stoi „wynik”, a w "
     "projekcie nie ma klocka o tej nazwie.",
     "Board 1, column 2, row 2: Block Czytaj2: the field “Variable” holds “wynik”, but no block "
     "of the project has that name."},
    {"no-procedure-board", "no-procedure-board", 1, 2, 2,
     "Plansza 1, kolumna 2, wiersz 2: Blok Procedura2: projekt nie ma planszy procedury.",
     "Board 1, column 2, row 2: Block Procedura2: the project has no procedure board."},
    {"types-disagree", "types-disagree", 1, 2, 2,
     "Plansza 1, kolumna 2, wiersz 2: Blok PorownajZZ2: zmiennych a i s nie można porównać, bo "
     "ich typy się nie zgadzają.",
     "Board 1, column 2, row 2: Block PorownajZZ2: the variables a and s cannot be compared, "
     "because their types do not agree."},
    {"result-does-not-fit", "result-does-not-fit", 1, 2, 2,
     "Plansza 1, kolumna 2, wiersz 2: Blok Przypisanie2: wynik formuły \"abc\" nie pasuje do "
     "typu zmiennej n.",
     "Board 1, column 2, row 2: Block Przypisanie2: the result of the formula \"abc\" does not "
     "fit the type of the variable n."},
    {"formula-fails", "formula-fails", 1, 2, 2,
     "Plansza 1, kolumna 2, wiersz 2: Blok Przypisanie2: formuły n + nie da się obliczyć dla "
     "wartości testowych n = 3. brak argumentu",
     "Board 1, column 2, row 2: Block Przypisanie2: the formula n + cannot be computed with the "
     "test values n = 3. ? operand"},
    {"nothing-above", "nothing-above", 1, 4, 3,
     "Plansza 1, kolumna 4, wiersz 3: Blok Poloncz4: nic nie prowadzi do niego od góry.",
     "Board 1, column 4, row 3: Block Poloncz4: nothing leads into it from above."},
    {"nothing-below", "nothing-below", 1, 4, 1,
     "Plansza 1, kolumna 4, wiersz 1: Blok Start: pod nim nie ma bloku, do którego mógłby "
     "przejść przepływ.",
     "Board 1, column 4, row 1: Block Start: there is no block below it for the flow to go to."},
    {"nothing-left", "nothing-left", 1, 5, 2,
     "Plansza 1, kolumna 5, wiersz 2: Blok Poloncz5: po jego lewej stronie nie stoi pasujący "
     "łącznik ani blok.",
     "Board 1, column 5, row 2: Block Poloncz5: nothing fitting stands to its left."},
    {"nothing-right", "nothing-right", 1, 5, 2,
     "Plansza 1, kolumna 5, wiersz 2: Blok Poloncz5: po jego prawej stronie nie stoi pasujący "
     "łącznik ani blok.",
     "Board 1, column 5, row 2: Block Poloncz5: nothing fitting stands to its right."},
    {"call-return-apart", "call-return-apart", 1, 2, 2,
     "Plansza 1, kolumna 2, wiersz 2: Blok Procedura2: wywołanie i powrót muszą stać jeden "
     "bezpośrednio nad drugim.",
     "Board 1, column 2, row 2: Block Procedura2: a call and its return must stand one directly "
     "above the other."},
};

QString check(const QStringList& options, const char* file) {
    QProcess process;
    process.start(QStringLiteral(TREVALON_CLI),
                  QStringList{QStringLiteral("check")}
                      << options
                      << QStringLiteral(TREVALON_SOURCE_DIR "/tests/data/check/%1.skb").arg(file));
    process.waitForFinished(60000);
    EXPECT_EQ(process.exitCode(), 1) << file;
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The lines under the reasons' heading, without their indent.
QStringList reasonLines(const QString& out, const QString& heading) {
    const QStringList lines = out.split(u'\n', Qt::SkipEmptyParts);
    const qsizetype at = lines.indexOf(heading);
    QStringList reasons;
    for (qsizetype i = at < 0 ? lines.size() : at + 1; i < lines.size(); ++i) {
        reasons << lines[i].trimmed();
    }
    return reasons;
}

}  // namespace

TEST(CheckReasonsCommand, EachFaultyBoardIsExplainedInBothLanguages) {
    for (const Reason& r : kReasons) {
        const QStringList polish = reasonLines(check({}, r.file), QStringLiteral("Przyczyny:"));
        ASSERT_FALSE(polish.isEmpty()) << r.file;
        EXPECT_EQ(polish.first(), QString::fromUtf8(r.polish)) << r.file;
        const QStringList english =
            reasonLines(check({QStringLiteral("--lang"), QStringLiteral("ang")}, r.file),
                        QStringLiteral("Reasons:"));
        ASSERT_FALSE(english.isEmpty()) << r.file;
        EXPECT_EQ(english.first(), QString::fromUtf8(r.english)) << r.file;
    }
}

TEST(CheckReasonsCommand, JsonCarriesEachReasonWithItsPlace) {
    for (const Reason& r : kReasons) {
        const QJsonObject root =
            QJsonDocument::fromJson(check({QStringLiteral("--json")}, r.file).toUtf8()).object();
        const QJsonArray reasons = root.value(QStringLiteral("reasons")).toArray();
        ASSERT_FALSE(reasons.isEmpty()) << r.file;
        const QJsonObject first = reasons.first().toObject();
        EXPECT_EQ(first.value(QStringLiteral("reason")).toString(), QLatin1String(r.code))
            << r.file;
        EXPECT_EQ(first.value(QStringLiteral("board")).toInt(), r.board) << r.file;
        EXPECT_EQ(first.value(QStringLiteral("column")).toInt(), r.column) << r.file;
        EXPECT_EQ(first.value(QStringLiteral("row")).toInt(), r.row) << r.file;
        // The sentence without its place, which the structure carries.
        EXPECT_TRUE(
            QString::fromUtf8(r.polish).endsWith(first.value(QStringLiteral("text")).toString()))
            << r.file;
    }
}
