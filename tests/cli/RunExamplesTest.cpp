#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

// Every example flowchart run through `trevalon-cli run` with given input; the whole transcript
// (standard output, standard error) and the exit code are compared.

namespace {

struct Transcript {
    int code = -1;
    QString out;
    QString err;
};

Transcript runExample(const char* example, const QStringList& options, const QByteArray& input) {
    QProcess process;
    QStringList args{QStringLiteral("run")};
    args << options << QStringLiteral(TREVALON_SOURCE_DIR "/examples/") + QLatin1String(example);
    process.start(QStringLiteral(TREVALON_CLI), args);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

struct ExampleRun {
    const char* example;
    const char* lang;
    const char* input;
    const char* out;
    const char* err;
    int code;
};

}  // namespace

class ExampleTranscripts : public ::testing::TestWithParam<ExampleRun> {};

TEST_P(ExampleTranscripts, MatchWholeOutputAndExitCode) {
    const ExampleRun& c = GetParam();
    const Transcript t =
        runExample(c.example, {QStringLiteral("--lang"), QLatin1String(c.lang)}, c.input);
    EXPECT_EQ(t.out, QString::fromUtf8(c.out)) << c.example;
    EXPECT_EQ(t.err, QString::fromUtf8(c.err)) << c.example;
    EXPECT_EQ(t.code, c.code) << c.example;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ExampleTranscripts,
    ::testing::Values(
        ExampleRun{"factorial.skb", "pl", "5\n", "Podaj liczbę n:\nSilnia liczby 5 wynosi 120\n",
                   "", 0},
        ExampleRun{"factorial.skb", "pl", "0\r\n", "Podaj liczbę n:\nSilnia liczby 0 wynosi 1\n",
                   "", 0},
        ExampleRun{"gcd.skb", "pl", "48\n18\n",
                   "Podaj pierwszą liczbę:\nPodaj drugą liczbę:\nNajwiększy wspólny dzielnik: 6\n",
                   "", 0},
        ExampleRun{"larger.skb", "pl", "3\n7\n",
                   "Podaj a:\nPodaj b:\nWiększa (lub równa) jest liczba 7\n", "", 0},
        ExampleRun{"larger.skb", "pl", "12\nx\n-4\n",
                   "Podaj a:\nPodaj b:\nWiększa jest liczba 12\n",
                   "Value refused: the character 'x' is not accepted here\n", 0},
        ExampleRun{"array.skb", "pl", "",
                   "Tablica kwadratów: \"*1*4*9*16*25*\"\nElement nr 3: 9\n"
                   "Element nr 9 (poza tablicą): -1\n",
                   "", 0},
        ExampleRun{"procedure.skb", "pl", "6\n", "Podaj x:\nKwadrat liczby 6 to 36\n", "", 0},
        ExampleRun{"branch.skb", "pl", "", "Po powrocie z fragmentu a = 70\n", "", 0},
        ExampleRun{"question.skb", "pl", "może\nTAK\n",
                   "Czy lubisz algorytmy?\nŚwietnie, ja też!\n",
                   "Answer refused: type 1, t, tak, y or yes for yes; 0, n, nie or no for no\n", 0},
        ExampleRun{"question.skb", "ang", "n\n",
                   "Czy lubisz algorytmy?\nSzkoda.\nMoże polubisz je później.\n", "", 0},
        ExampleRun{"circle.skb", "pl", "\n2,5\n",
                   "Podaj promień koła:\nPole koła: 19,63\nZ dokładnością do 4 cyfr: 19,635\n"
                   // Every intermediate value is a text of at most 12 decimals:
                   // Pi * 2.5 is 7.853981633974, times 2.5 is 19.634954084935.
                   "Bez zaokrąglania: 19,634954084935\n",
                   "Value refused: a value is required\n", 0},
        ExampleRun{"weekday.skb", "pl", "2013/02/29\n2012/07/13\n",
                   "Podaj datę:\nData: 2012/07/13\nDzień tygodnia: piątek\n",
                   "Podaj poprawną datę - sprawdź ile dni ma wybrany miesiąc.\n", 0},
        ExampleRun{"weekday.skb", "ang", "13.07.2012\n2012/7/13\n",
                   "Podaj datę:\nData: 2012/7/13\nDzień tygodnia: friday\n",
                   "Please enter a valid date.\n", 0},
        ExampleRun{"factorial.skb", "pl", "", "Podaj liczbę n:\n",
                   "trevalon-cli run: standard input ended while a block was waiting for it\n",
                   4}));

TEST(ExampleTranscripts, ADieIsRepeatableWithASeed) {
    const QStringList options{QStringLiteral("--seed"), QStringLiteral("2024")};
    const Transcript first = runExample("dice.skb", options, QByteArray());
    EXPECT_EQ(first.out, QStringLiteral("Wyrzucono: 5\n"));
    EXPECT_EQ(first.err, QString());
    EXPECT_EQ(first.code, 0);
    const Transcript again = runExample("dice.skb", options, QByteArray());
    EXPECT_EQ(again.out, first.out);
}

// The trace table of a run, written headless: one row per block, connectors left out, the
// values after each row, those the row changed marked with "*".
TEST(ExampleTranscripts, TheTraceTableOfFactorialIsWrittenWhole) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("t.csv"));
    const Transcript t =
        runExample("factorial.skb", {QStringLiteral("--trace-table"), path}, "5\n");
    EXPECT_EQ(t.out, QStringLiteral("Podaj liczbę n:\nSilnia liczby 5 wynosi 120\n"));
    EXPECT_EQ(t.err, QString());
    EXPECT_EQ(t.code, 0);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()),
              QString::fromUtf8("Krok,Plansza,Klocek,Działanie,n,f,i\r\n"
                                "1,1,Start,start,0,1,0\r\n"
                                "2,1,Czytaj2,czytaj n = 5,*5,1,0\r\n"
                                "3,1,Przypisanie3,f := 1,5,1,0\r\n"
                                "4,1,Przypisanie4,i := 0,5,1,0\r\n"
                                "6,1,Przypisanie6,i := 1,5,1,*1\r\n"
                                "7,1,PorownajZW7,warunek i<=n: TAK,5,1,1\r\n"
                                "9,1,Przypisanie9,f := 1,5,1,1\r\n"
                                "12,1,Przypisanie6,i := 2,5,1,*2\r\n"
                                "13,1,PorownajZW7,warunek i<=n: TAK,5,1,2\r\n"
                                "15,1,Przypisanie9,f := 2,5,*2,2\r\n"
                                "18,1,Przypisanie6,i := 3,5,2,*3\r\n"
                                "19,1,PorownajZW7,warunek i<=n: TAK,5,2,3\r\n"
                                "21,1,Przypisanie9,f := 6,5,*6,3\r\n"
                                "24,1,Przypisanie6,i := 4,5,6,*4\r\n"
                                "25,1,PorownajZW7,warunek i<=n: TAK,5,6,4\r\n"
                                "27,1,Przypisanie9,f := 24,5,*24,4\r\n"
                                "30,1,Przypisanie6,i := 5,5,24,*5\r\n"
                                "31,1,PorownajZW7,warunek i<=n: TAK,5,24,5\r\n"
                                "33,1,Przypisanie9,f := 120,5,*120,5\r\n"
                                "36,1,Przypisanie6,i := 6,5,120,*6\r\n"
                                "37,1,PorownajZW7,warunek i<=n: NIE,5,120,6\r\n"
                                "39,1,Czytaj12,pisz f = 120,5,120,6\r\n"
                                "40,1,End,koniec,5,120,6\r\n"));
}

// Fields with commas and quotes are quoted; a table that cannot be written ends with 73 and
// the system's reason, after the run itself went as usual.
TEST(ExampleTranscripts, TraceTableQuotingAndAFileThatCannotBeWritten) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto table = [&dir](const char* example, const QByteArray& input) {
        const QString path = dir.filePath(QLatin1String(example) + QStringLiteral(".csv"));
        const Transcript run = runExample(
            example, {QStringLiteral("--trace-table"), path, QStringLiteral("--trace-connectors")},
            input);
        EXPECT_EQ(run.code, 0) << example;
        QFile file(path);
        return file.open(QIODevice::ReadOnly)
                   ? QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"))
                   : QStringList();
    };
    const QStringList question = table("question.skb", "tak\n");
    ASSERT_EQ(question.size(), 9);  // the header, seven steps and the empty text after the end
    EXPECT_EQ(question[2],
              QString::fromUtf8("2,1,Pytanie2,pytanie „Czy lubisz algorytmy?”: TAK,*1"));
    EXPECT_EQ(question[4], QString::fromUtf8("4,1,Poloncz4,łącznik,1"));
    EXPECT_EQ(question[5], QString::fromUtf8("5,1,Komunikat5,\"komunikat: Świetnie, ja też!\",1"));
    const QStringList array = table("array.skb", "");
    ASSERT_GT(array.size(), 10);
    EXPECT_EQ(array[9], QStringLiteral("9,1,DoTablicy9,t[1] := 1,\"*\"\"*1*\"\"\",1,1,0"));

    const QString missing = dir.filePath(QStringLiteral("no/such/folder/t.csv"));
    const Transcript failed =
        runExample("factorial.skb", {QStringLiteral("--trace-table"), missing}, "5\n");
    EXPECT_EQ(failed.out, QStringLiteral("Podaj liczbę n:\nSilnia liczby 5 wynosi 120\n"));
    EXPECT_TRUE(failed.err.startsWith(QStringLiteral("trevalon-cli run: cannot write ") + missing +
                                      QStringLiteral(": ")))
        << failed.err.toStdString();
    EXPECT_EQ(failed.code, 73);
}
