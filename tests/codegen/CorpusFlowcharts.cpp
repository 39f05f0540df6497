#include "CorpusFlowcharts.h"

#include "FlowBuilder.h"

using namespace trevalon;
using test::FlowBuilder;
using test::s;

namespace {

// A loop in a loop: i and j from 1 to 3, each product written. Both loops test at their end
// and go back along a column on the left.
void nestedLoops(Project& p) {
    FlowBuilder f(p);
    f.resize(1, 8, 13);
    f.put(1, 6, 1, KindStart);
    f.assign(1, 6, 2, s("i"), s("0"));
    f.put(1, 6, 3, KindJoinLeft);
    f.assign(1, 6, 4, s("i"), s("i + 1"));
    f.assign(1, 6, 5, s("j"), s("0"));
    f.put(1, 6, 6, KindJoinLeft);
    f.assign(1, 6, 7, s("j"), s("j + 1"));
    f.assign(1, 6, 8, s("k"), s("i * j"));
    f.write(1, 6, 9, s("k"), s("$i$ * $j$ ="));
    f.compare(1, 6, 10, s("j"), 2, s("3"));
    f.put(1, 5, 10, KindCornerTopRight);
    f.column(1, 5, 7, 9, KindLineVertical);
    f.put(1, 5, 6, KindCornerBottomRight);
    f.put(1, 7, 10, KindCornerLeftBottom);
    f.put(1, 7, 11, KindLineVertical);
    f.compare(1, 7, 12, s("i"), 2, s("3"));
    f.put(1, 6, 12, KindLineHorizontal);
    f.put(1, 5, 12, KindLineHorizontal);
    f.put(1, 4, 12, KindCornerTopRight);
    f.column(1, 4, 4, 11, KindLineVertical);
    f.put(1, 4, 3, KindCornerBottomRight);
    f.put(1, 5, 3, KindLineHorizontal);
    f.put(1, 8, 12, KindCornerLeftBottom);
    f.put(1, 8, 13, KindEnd);
    f.variable(1, 1, 1, s("i"), TypeInteger);
    f.variable(1, 1, 2, s("j"), TypeInteger);
    f.variable(1, 1, 3, s("k"), TypeInteger);
}

// A procedure whose body is a loop: the sum 1 + ... + n, then the mean of the numbers.
void procedureLoop(Project& p) {
    FlowBuilder f(p);
    f.put(1, 2, 1, KindStart);
    f.read(1, 2, 2, s("n"), s("Podaj n:"));
    f.named(1, 2, 3, KindCall, s("WywolajSume")).text2 = s("Suma");
    f.named(1, 2, 4, KindReturn, s("PowrotSumy")).text2 = s("WywolajSume");
    f.write(1, 2, 5, s("suma"), s("Suma liczb od 1 do $n$:"));
    f.assign(1, 2, 6, s("srednia"), s("suma / n"));
    f.write(1, 2, 7, s("srednia"), s("Średnia:"), 2);
    f.put(1, 2, 8, KindEnd);
    f.variable(1, 6, 1, s("n"), TypeInteger, s("0"), 1);
    f.variable(1, 6, 2, s("suma"), TypeInteger, s("0"), 1);
    f.variable(1, 6, 3, s("i"), TypeInteger, s("0"), 1);
    f.variable(1, 6, 4, s("srednia"), TypeReal, s("0"), 1);
    p.addBoard();
    p.board(2).kind = BoardProcedure;
    p.board(2).name = s("Suma");
    f.put(2, 2, 1, KindStart).text2 = s("WywolajSume");
    f.assign(2, 2, 2, s("suma"), s("0"));
    f.assign(2, 2, 3, s("i"), s("0"));
    f.put(2, 2, 4, KindJoinLeft);
    f.assign(2, 2, 5, s("i"), s("i + 1"));
    f.compare(2, 2, 6, s("i"), 4, s("n"));
    f.put(2, 1, 6, KindCornerTopRight);
    f.assign(2, 1, 5, s("suma"), s("suma + i"));
    f.put(2, 1, 4, KindCornerBottomRight);
    f.put(2, 3, 6, KindCornerLeftBottom);
    f.put(2, 3, 7, KindEnd).text2 = s("PowrotSumy");
    p.activeBoard = 1;
}

// Two comparisons whose both exits do something, on texts: equality, order, and a few of the
// text functions.
void textChoices(Project& p) {
    FlowBuilder f(p);
    f.resize(1, 8, 11);
    f.put(1, 3, 1, KindStart);
    f.read(1, 3, 2, s("slowo"), s("Podaj słowo:"));
    f.compare(1, 3, 3, s("slowo"), 0, s("\"tak\""));
    f.put(1, 2, 3, KindCornerBottomRight);
    f.message(1, 2, 4, s("Zgoda, $slowo$!"));
    f.put(1, 2, 5, KindJoinRight);
    f.put(1, 4, 3, KindCornerLeftBottom);
    f.assign(1, 4, 4, s("duze"), s("upper(slowo) || \"?\""));
    f.put(1, 4, 5, KindCornerTopLeft);
    f.put(1, 3, 5, KindLineHorizontal);
    f.assign(1, 2, 6, s("n"), s("length(slowo) * 10 + pos(\"a\", slowo)"));
    f.write(1, 2, 7, s("n"), s("Długość i pozycja a:"));
    f.compare(1, 2, 8, s("slowo"), 2, s("\"m\""));
    f.put(1, 1, 8, KindCornerBottomRight);
    f.message(1, 1, 9, s("Przed m: $slowo$&$duze$"));
    f.put(1, 1, 10, KindJoinRight);
    f.put(1, 1, 11, KindEnd);
    f.put(1, 3, 8, KindCornerLeftBottom);
    f.message(1, 3, 9, s("Po m: $7slowo$ $duze$ \"$n$\""));
    f.put(1, 3, 10, KindCornerTopLeft);
    f.put(1, 2, 10, KindLineHorizontal);
    f.variable(1, 7, 1, s("slowo"), TypeText, s("\"Brak\""));
    f.variable(1, 7, 2, s("duze"), TypeText, s("\"Brak\""));
    f.variable(1, 7, 3, s("n"), TypeInteger);
}

// Reals: a third written with 2 and 0 decimals and unrounded, a root, a power and a quotient.
void reals(Project& p) {
    FlowBuilder f(p);
    f.resize(1, 8, 11);
    f.put(1, 2, 1, KindStart);
    f.read(1, 2, 2, s("r"), s("Podaj r:"));
    f.assign(1, 2, 3, s("x"), s("r / 3"));
    f.write(1, 2, 4, s("x"), s("x ="), 2);
    f.write(1, 2, 5, s("x"), s("x ="), 0);
    f.message(1, 2, 6, s("x z 5 cyframi: $5x$, bez zaokrąglania: $x$"));
    f.assign(1, 2, 7, s("y"), s("sqrt(r) * 2 - r ^ 2 + 7 / 4"));
    f.write(1, 2, 8, s("y"), s("y ="), 3);
    f.assign(1, 2, 9, s("z"), s("x * 3 + y"));
    f.write(1, 2, 10, s("z"), s("z ="));
    f.put(1, 2, 11, KindEnd);
    f.variable(1, 6, 1, s("r"), TypeReal);
    f.variable(1, 6, 2, s("x"), TypeReal);
    f.variable(1, 6, 3, s("y"), TypeReal);
    f.variable(1, 6, 4, s("z"), TypeReal);
}

// A loop made of branch jumps on one board: the flow jumps into it and back to its start.
void branchLoop(Project& p) {
    FlowBuilder f(p);
    f.put(1, 2, 1, KindStart);
    f.assign(1, 2, 2, s("i"), s("0"));
    f.named(1, 2, 3, KindBranchEnd, s("DoPetli")).text2 = s("Petla");
    f.named(1, 4, 1, KindBranchStart, s("Petla")).text2 = s("DoPetli");
    f.assign(1, 4, 2, s("i"), s("i + 1"));
    f.write(1, 4, 3, s("i"), s("Obrót"));
    f.compare(1, 4, 4, s("i"), 2, s("3"));
    f.put(1, 3, 4, KindCornerBottomRight);
    f.named(1, 3, 5, KindBranchEnd, s("Wroc")).text2 = s("Petla");
    f.put(1, 5, 4, KindCornerLeftBottom);
    f.put(1, 5, 5, KindEnd);
    f.variable(1, 7, 1, s("i"), TypeInteger);
}

// A search that leaves its loop in two places, to two different blocks: no if/while writes
// it, so the translation falls back to the state machine.
void twoExits(Project& p) {
    FlowBuilder f(p);
    f.resize(1, 8, 11);
    f.put(1, 3, 1, KindStart);
    f.read(1, 3, 2, s("n"), s("Podaj n:"));
    f.assign(1, 3, 3, s("i"), s("0"));
    f.put(1, 3, 4, KindJoinLeft);
    f.assign(1, 3, 5, s("i"), s("i + 1"));
    f.compare(1, 3, 6, s("i"), 5, s("n"));
    f.put(1, 2, 6, KindCornerBottomRight);
    f.compare(1, 2, 7, s("i"), 2, s("5"));
    f.put(1, 1, 7, KindCornerTopRight);
    f.column(1, 1, 5, 6, KindLineVertical);
    f.put(1, 1, 4, KindCornerBottomRight);
    f.put(1, 2, 4, KindLineHorizontal);
    f.put(1, 3, 7, KindCornerLeftBottom);
    f.message(1, 3, 8, s("Nie znaleziono"));
    f.put(1, 3, 9, KindJoinRight);
    f.write(1, 3, 10, s("i"), s("i ="));
    f.put(1, 3, 11, KindEnd);
    f.put(1, 4, 6, KindCornerLeftBottom);
    f.message(1, 4, 7, s("Znaleziono $i$"));
    f.put(1, 4, 8, KindLineVertical);
    f.put(1, 4, 9, KindCornerTopLeft);
    f.variable(1, 7, 1, s("n"), TypeInteger);
    f.variable(1, 7, 2, s("i"), TypeInteger);
}

// A date read and taken apart, and a question that repeats the whole.
void datesAndQuestion(Project& p) {
    FlowBuilder f(p);
    f.resize(1, 8, 9);
    f.put(1, 2, 1, KindStart);
    f.put(1, 2, 2, KindJoinLeft);
    f.read(1, 2, 3, s("d"), s("Podaj datę:"));
    f.assign(1, 2, 4, s("n"), s("day(d) + month(d) * 100 + year(d) * 10000"));
    f.write(1, 2, 5, s("n"), s("Liczba daty $d$:"));
    Cell& ask = f.put(1, 2, 6, KindQuestion);
    ask.text2 = s("dalej");
    ask.text4 = s("Jeszcze raz?");
    f.compare(1, 2, 7, s("dalej"), 0, s("1"));
    f.put(1, 1, 7, KindCornerTopRight);
    f.column(1, 1, 3, 6, KindLineVertical);
    f.put(1, 1, 2, KindCornerBottomRight);
    f.put(1, 3, 7, KindCornerLeftBottom);
    f.put(1, 3, 8, KindEnd);
    f.variable(1, 6, 1, s("d"), TypeDate, s("\"2000/01/01\""));
    f.variable(1, 6, 2, s("n"), TypeInteger);
    f.variable(1, 6, 3, s("dalej"), TypeLogical);
}

// Random numbers into variables that start at 0: the check draws test values for those from
// the generator before the run, so the program must draw them too.
void randomSum(Project& p) {
    FlowBuilder f(p);
    f.put(1, 2, 1, KindStart);
    Cell& first = f.put(1, 2, 2, KindRandom);
    first.text2 = s("k");
    first.text4 = s("100");
    f.write(1, 2, 3, s("k"), s("Pierwsza:"));
    Cell& second = f.put(1, 2, 4, KindRandom);
    second.text2 = s("k");
    second.text4 = s("6");
    f.assign(1, 2, 5, s("suma"), s("suma + k * 2"));
    f.write(1, 2, 6, s("suma"), s("Suma:"));
    f.put(1, 2, 7, KindEnd);
    f.variable(1, 6, 1, s("k"), TypeInteger);
    f.variable(1, 6, 2, s("suma"), TypeInteger);
}

// An array read as typed, summed element by element until the read goes beyond its end (the
// element then reads as -1), the sum appended and the array written.
void arraySum(Project& p) {
    FlowBuilder f(p);
    f.resize(1, 8, 12);
    f.put(1, 2, 1, KindStart);
    f.read(1, 2, 2, s("t"), s("Podaj liczby:"));
    f.assign(1, 2, 3, s("suma"), s("0"));
    f.assign(1, 2, 4, s("i"), s("0"));
    f.put(1, 2, 5, KindJoinLeft);
    f.assign(1, 2, 6, s("i"), s("i + 1"));
    f.array(1, 2, 7, KindArrayRead, s("t"), s("i"), s("x"));
    f.compare(1, 2, 8, s("x"), 5, s("-1"));
    f.put(1, 1, 8, KindCornerTopRight);
    f.assign(1, 1, 7, s("suma"), s("suma + x"));
    f.put(1, 1, 6, KindLineVertical);
    f.put(1, 1, 5, KindCornerBottomRight);
    f.put(1, 3, 8, KindCornerLeftBottom);
    f.write(1, 3, 9, s("suma"), s("Suma:"));
    f.array(1, 3, 10, KindArrayWrite, s("t"), s("i"), s("suma"));
    f.write(1, 3, 11, s("t"), s("Tablica z sumą:"));
    f.put(1, 3, 12, KindEnd);
    f.variable(1, 6, 1, s("t"), TypeArray, s("\"*\""));
    f.variable(1, 6, 2, s("i"), TypeInteger);
    f.variable(1, 6, 3, s("x"), TypeInteger);
    f.variable(1, 6, 4, s("suma"), TypeInteger);
}

// The text, base and trigonometric functions beyond the everyday ones, each written out.
void moreFunctions(Project& p) {
    FlowBuilder f(p);
    f.resize(1, 8, 15);
    f.put(1, 2, 1, KindStart);
    f.read(1, 2, 2, s("w"), s("Słowo:"));
    f.read(1, 2, 3, s("n"), s("Liczba:"));
    f.read(1, 2, 4, s("x"), s("Kąt:"));
    f.assign(1, 2, 5, s("a"), s("replace(w, \"a\", \"[A]\")"));
    f.assign(1, 2, 6, s("b"), s("insert(w, \"-\", 2) || delete(w, 2, 1) || copyto(w, 2, 3)"));
    f.assign(1, 2, 7, s("c"), s("numbase(n, 2) || \"/\" || numbase(n, 16)"));
    f.assign(1, 2, 8, s("k"), s("basenum(\"ff\", 16) + n + length(_NOW) * 100"));
    f.assign(1, 2, 9, s("y"), s("arctg(x) + sh(x) - th(x) + arcctg(x) + ch(x)"));
    f.assign(1, 2, 10, s("z"), s("heaviside(x) + numeric(\"1 234,5\")"));
    f.assign(1, 2, 11, s("e"),
             s("replace(w, \"A\", \"o\", 0, 0) || trimright(w) || (w like \"a%\") || "
               "(w wildcard \"*[!x]\")"));
    f.assign(1, 2, 12, s("q"),
             s("arcsin(1 / (abs(x) + 2)) + arccos(x / (abs(x) + 1)) + ctg(1) + cth(2)"));
    f.message(1, 2, 13, s("$a$ $b$ $c$ $k$ $e$"));
    f.message(1, 2, 14, s("y=$4y$ z=$z$ q=$5q$"));
    f.put(1, 2, 15, KindEnd);
    f.variable(1, 6, 1, s("w"), TypeText, s("\"Brak\""));
    f.variable(1, 6, 2, s("n"), TypeInteger);
    f.variable(1, 6, 3, s("x"), TypeReal);
    f.variable(1, 6, 4, s("a"), TypeText, s("\"Brak\""));
    f.variable(1, 6, 5, s("b"), TypeText, s("\"Brak\""));
    f.variable(1, 6, 6, s("c"), TypeText, s("\"Brak\""));
    f.variable(1, 6, 7, s("k"), TypeInteger);
    f.variable(1, 6, 8, s("y"), TypeReal);
    f.variable(1, 6, 9, s("z"), TypeReal);
    f.variable(1, 6, 10, s("e"), TypeText, s("\"Brak\""));
    f.variable(1, 6, 11, s("q"), TypeReal);
}

// A procedure board named `name` on board `board`: its Start answers the call block `call`,
// a message writes `text`, its End returns to the return block `back`.
void messageProcedure(Project& p, int board, const QString& name, const QString& call,
                      const QString& back, const QString& text) {
    FlowBuilder f(p);
    p.addBoard();
    p.board(board).kind = BoardProcedure;
    p.board(board).name = name;
    f.put(board, 2, 1, KindStart).text2 = call;
    f.message(board, 2, 2, text);
    f.put(board, 2, 3, KindEnd).text2 = back;
    p.activeBoard = 1;
}

// What a pupil's file may carry into the generated code: texts, start values and a board name
// holding line breaks, NUL, bidirectional controls, separators, comment closers, quotes,
// backslashes and trigraphs, written out as they are (the file name is kHostileFile).
void hostileTexts(Project& p) {
    FlowBuilder f(p);
    f.resize(1, 8, 10);
    f.put(1, 2, 1, KindStart);
    f.message(1, 2, 2, s("?\?/\"; std::system(\"touch pwned\"); // */ \\ ?\?= ?\?' ?\?!"));
    f.write(1, 2, 3, s("t"), QString::fromUtf16(u"t \u202Eodwr\u00F3cony\u202C \u2066x\u2069:"));
    f.assign(1, 2, 4, s("u"), s("\"a\" || char(0) || \"1?\?/\" || t"));
    f.write(1, 2, 5, s("u"), s("u ="));
    f.assign(1, 2, 6, s("w"),
             QString::fromUtf16(u"\"\u2028\u2029\u0085\u00A0\uFEFF\t\x7f\x1b[31m\""));
    f.write(1, 2, 7, s("w"), s("w ="));
    const QString board =
        s("p\n#include <cstdlib>\nstatic int z = std::system(\"touch pwned\");\r");
    f.named(1, 2, 8, KindCall, s("Wywolaj")).text2 = board;
    f.named(1, 2, 9, KindReturn, s("Powrot")).text2 = s("Wywolaj");
    f.put(1, 2, 10, KindEnd);
    f.variable(1, 6, 1, s("t"), TypeText,
               QString::fromUtf16(u"\"\u202Eabc\u2069 \\ */ ?\?/ za\u017C\u00F3\u0142\u0107 "
                                  u"\U0001F600 \\u0041\""));
    f.variable(1, 6, 2, s("u"), TypeText, s("\"\""));
    f.variable(1, 6, 3, s("w"), TypeText, s("\"\""));
    messageProcedure(p, 2, board, s("Wywolaj"), s("Powrot"), s("w procedurze ?\?/"));
}

// Names that are keywords, built-ins, standard macros or names of the global namespace in
// Python or C++, for variables and procedures.
void reservedNames(Project& p) {
    static const char* const kNames[] = {
        "NULL",         "EOF",      "M_PI",     "SIZE_MAX",
        "EXIT_SUCCESS", "RAND_MAX", "INFINITY", "EDOM",
        "errno",        "assert",   "stdin",    "linux",
        "uint",         "signgam",  "environ",  "BUFSIZ",
        "CHAR_BIT",     "SIGINT",   "LC_ALL",   "FILE",
        "day_number",   "lines",    "range",    "isinstance",
        "repr",         "object",   "zip",      "ValueError",
        "sorted",       "a__b",     "main",     "seed_from_arguments"};
    FlowBuilder f(p);
    f.resize(1, 12, 15);
    f.put(1, 2, 1, KindStart);
    f.assign(1, 2, 2, s("EOF"), s("NULL + M_PI * 2 + range"));
    QString shown;
    for (const char* name : kNames) {
        shown += u'$' + s(name) + QStringLiteral("$ ");
    }
    f.message(1, 2, 3, shown);
    f.named(1, 2, 4, KindCall, s("Wywolaj1")).text2 = s("NULL");
    f.named(1, 2, 5, KindReturn, s("Powrot1")).text2 = s("Wywolaj1");
    f.named(1, 2, 6, KindCall, s("Wywolaj2")).text2 = s("isinstance");
    f.named(1, 2, 7, KindReturn, s("Powrot2")).text2 = s("Wywolaj2");
    f.put(1, 2, 8, KindEnd);
    int at = 0;
    for (const char* name : kNames) {
        f.variable(1, 5 + at / 15, 1 + at % 15, s(name), TypeInteger, QString::number(at + 1));
        ++at;
    }
    messageProcedure(p, 2, s("NULL"), s("Wywolaj1"), s("Powrot1"), s("$EOF$ $NULL$"));
    messageProcedure(p, 3, s("isinstance"), s("Wywolaj2"), s("Powrot2"), s("$range$"));
}

// Texts on which a run and the programs must agree: a text that begins and ends with a quote
// of its own, line breaks made of CR and LF in every order, a start value holding a line break
// and a typed text in quotes.
void textsAgree(Project& p) {
    FlowBuilder f(p);
    f.resize(1, 8, 13);
    f.put(1, 2, 1, KindStart);
    f.assign(1, 2, 2, s("s"), s("\"\"\"a\"\"\""));
    f.write(1, 2, 3, s("s"), s("s ="));
    f.assign(1, 2, 4, s("n"), s("length(s) * 100 + length(v)"));
    f.write(1, 2, 5, s("n"), s("długości:"));
    f.assign(1, 2, 6, s("c"),
             s("\"x\" || _LF || \"y\" || char(13) || \"z\" || char(10) || char(13)"));
    f.write(1, 2, 7, s("c"), s("c ="));
    f.message(1, 2, 8, s("przed\rpo\n\rkoniec $v$"));
    f.read(1, 2, 9, s("r"), s("Podaj tekst:"));
    f.write(1, 2, 10, s("r"), s("r ="));
    f.assign(1, 2, 11, s("n"), s("length(r)"));
    f.write(1, 2, 12, s("n"), s("długość r:"));
    f.put(1, 2, 13, KindEnd);
    f.variable(1, 6, 1, s("s"), TypeText, s("\"\""));
    f.variable(1, 6, 2, s("n"), TypeInteger);
    f.variable(1, 6, 3, s("c"), TypeText, s("\"\""));
    f.variable(1, 6, 4, s("v"), TypeText, s("\"a\nb\r\nc\""));
    f.variable(1, 6, 5, s("r"), TypeText, s("\"\""));
}

const char* const kNone[] = {""};
const char* const kNumbers[] = {"4", "0", "1"};
const char* const kWords[] = {"tak", "ala", "zebra", "Kot"};
const char* const kReals[] = {"2,5", "7", "0.1", "-3.75"};
const char* const kSearch[] = {"3", "9", "1"};
const char* const kArrays[] = {"1 2 3", "5*7*9", "4", "abc\n10,20"};
const char* const kFunctionInputs[] = {"Ala ma kota\n10\n0,5", "Abba\n-255\n-2", "x\n0\n0"};
const char* const kDates[] = {"2012/07/13\ntak\n2000/2/29\nn", "1999/12/31\n0"};
const char* const kQuotedInputs[] = {"\"q\"", "a\"b", "\"\""};

// Line breaks end the first comment early unless they are escaped; if they were not, the lines
// after them would run a command in Python and in C++ alike.
const char* const kHostileFile =
    "x\n#if 0\nimport os; os.system(\"touch pwned\"); '''\n#endif\n#include <cstdlib>\n"
    "static int z = std::system(\"touch pwned\");\n#if 0\n'''\n#endif .skb";

const CorpusFlowchart kCorpus[] = {
    {"nested-loops", nestedLoops, kNone, false},
    {"procedure-loop", procedureLoop, kNumbers, false},
    {"text-choices", textChoices, kWords, false},
    {"reals", reals, kReals, false},
    {"branch-loop", branchLoop, kNone, false},
    {"two-exits", twoExits, kSearch, true},
    {"dates-question", datesAndQuestion, kDates, false},
    {"random-sum", randomSum, kNone, false},
    {"array-sum", arraySum, kArrays, false},
    {"more-functions", moreFunctions, kFunctionInputs, false},
    {"hostile-texts", hostileTexts, kNone, false, kHostileFile, true},
    {"reserved-names", reservedNames, kNone, false},
    {"texts-agree", textsAgree, kQuotedInputs, false},
};

}  // namespace

std::span<const CorpusFlowchart> corpusFlowcharts() {
    return kCorpus;
}
