#include <gtest/gtest.h>

#include "config/TextTable.h"
#include "model/BlockCatalogue.h"
#include "model/Project.h"

using namespace trevalon;

namespace {

struct DescriptionCase {
    int kind;
    const char16_t* name;
    const char16_t* text2;  // nullptr keeps the placement default
    const char16_t* text3;
    const char16_t* text4;
    int mode;  // -1 keeps the placement default
    const char16_t* polish;
    const char16_t* english;
};

const DescriptionCase kCases[] = {
    {KindStart, u"Start", nullptr, nullptr, nullptr, -1, u"Klocek startowy o nazwie \"Start\"",
     u"Component starting with the name \"Start\""},
    {KindEnd, u"End", nullptr, nullptr, nullptr, -1, u"Klocek kończący o nazwie \"End\"",
     u"Component ending with the name \"End\""},
    {KindBranchStart, u"G1", nullptr, nullptr, nullptr, -1,
     u"Klocek rozpoczynający gałąź o nazwie \"G1\" - Nie dowiązany",
     u"Start of branch about called \"G1\" - Bound to \"Brak klocka\""},
    {KindBranchEnd, u"E1", u"G1", nullptr, nullptr, -1,
     u"Klocek kończący gałąź o nazwie \"E1\" - Dowiązany do \"G1\"",
     u"Component ending a branch named \"E1\" - Bound to \"G1\""},
    {KindReadWrite, u"C", nullptr, nullptr, nullptr, -1,
     u"Klocek wejścia/wyjścia o nazwie \"C\" - nie powiązany jeszcze ze zmienną",
     u"Component I/O with the name \" C\" - is not yet associated with the variable "},
    {KindReadWrite, u"C", u"n", nullptr, nullptr, 0,
     u"Klocek wejścia/wyjścia o nazwie \"C\" - Wczytuje wartość zmiennej \"n\"",
     u"Component I/O with the name \" C\" - Reads the value of the variable \"n\""},
    {KindReadWrite, u"C", u"n", nullptr, nullptr, 1,
     u"Klocek wejścia/wyjścia o nazwie \"C\" - Wypisuje wartość zmiennej \"n\"",
     u"Component I/O with the name \" C\" - Write the value of variable \" n\""},
    {KindCall, u"P", u"Silnia", nullptr, nullptr, -1,
     u"Klocek wejścia do procedury o nazwie \"P\" - Dowiązany do planszy \"Silnia\"",
     u"Component the entrance to the procedure named \"P\" - Linked to the board \" Silnia\""},
    {KindReturn, u"R", nullptr, nullptr, nullptr, -1,
     u"Klocek wyjścia z procedury o nazwie \"R\" - Nie dowiązany",
     u"Component of exit from a procedure named \"R\" - not connected"},
    {KindMessage, u"K", nullptr, nullptr, u"Cześć & \"x\"", -1,
     u"Klocek komunikatu o nazwie \"K\" - Treść komunikatu: \"Cześć & \"x\"\"",
     u"Component of communication \"K\" - Text of the message: \"Cześć & \"x\"\""},
    {KindQuestion, u"Q", nullptr, nullptr, nullptr, -1,
     u"Klocek pytania o nazwie \"Q\" - nie powiązany jeszcze ze zmienną",
     u"Component of question \"Q\" - is not yet associated with the variable "},
    {KindRandom, u"L", u"los", nullptr, nullptr, -1,
     u"Klocek losowania liczby o nazwie \"L\" - Dowiązany do zmiennej \"los\"",
     u"Component of lottery draw of number \"L\" - Linked to the variable \"los\""},
    {KindAssign, u"A", nullptr, nullptr, nullptr, -1,
     u"Klocek operacji przypisania o nazwie \"A\" - nie powiązany jeszcze ze zmienną",
     u"Component of attribution about name \"A\" - is not yet associated with the variable "},
    {KindAssign, u"A", u"s", nullptr, nullptr, -1,
     u"Klocek operacji przypisania o nazwie \"A\" - Zmiennej o nazwie \"s\" przypisuje wartość "
     u"wyrażenia  - jeszcze nie określonego",
     u"Component of attribution about name \"A\" - Of variable called \"s\" assigns the "
     u"expression  - are not specified"},
    {KindAssign, u"A", u"s", nullptr, u"s*i", -1,
     u"Klocek operacji przypisania o nazwie \"A\" - Zmiennej o nazwie \"s\" przypisuje wartość "
     u"wyrażenia s*i\"",
     u"Component of attribution about name \"A\" - Of variable called \"s\" assigns the "
     u"expression s*i\""},
    {KindCompareVars, u"P", u"a", nullptr, nullptr, -1,
     u"Klocek operacji porównania o nazwie \"P\" - Porównuje zmienną \"a\" oraz zmienną jeszcze "
     u"nie określoną",
     u"Component of comparison operation \"P\" - Compares the variable \"a\" and the variable "
     u"not set"},
    {KindCompareVars, u"P", u"a", u"b", nullptr, -1,
     u"Klocek operacji porównania o nazwie \"P\" - Porównuje zmienną \"a\" oraz zmienną \"b\"",
     u"Component of comparison operation \"P\" - Compares the variable \"a\" and the variable "
     u"\"b\""},
    {KindCompareVars, u"P", nullptr, nullptr, nullptr, -1,
     u"Klocek operacji porównania o nazwie \"P\" - Porównywane zmienne jeszcze nie zdefiniowano",
     u"Component of comparison operation \"P\" - Comparable variables not yet defined"},
    {KindCompareFormula, u"W", nullptr, nullptr, nullptr, -1,
     u"Klocek operacji porównania o nazwie \"W\" - Porównywane dane jeszcze nie zdefiniowano",
     u"Component of comparison operation \"W\" - Comparable data not yet defined"},
    {KindCompareFormula, u"W", u"i", nullptr, u"n+1", -1,
     u"Klocek operacji porównania o nazwie \"W\" - Porównuje zmienną \"i\" oraz wyrażenie \"n+1\"",
     u"Component of comparison operation \"W\" - Compares the variable \"i\" and the expression "
     u"\"n+1\""},
    {KindArrayWrite, u"T", nullptr, nullptr, nullptr, -1,
     u"Klocek operacji zapisu do tablicy o nazwie \"T\" - Tablica: \"T\" - Index: \"Brak\" - "
     u"Wartość: \"\"*\"\"",
     u"Component a write into a table \"T\" - Table: \"T\" - Index: \"Brak\" - Value: \"\"*\"\""},
    {KindArrayRead, u"Z", u"tab", u"i", u"x", -1,
     u"Klocek operacji odczytu z tablicy o nazwie \"Z\" - Tablica: \"tab\" - Index: \"i\" - "
     u"Wartość: \"x\"",
     u"Component read operations with the array called \"Z\" - Table: \"tab\" - Index: \"i\" - "
     u"Value: \"x\""},
    {KindCornerLeftBottom, u"Poloncz9", nullptr, nullptr, nullptr, -1,
     u"Łącznik o nazwie \"Poloncz9\"", u"Connector about named \"Poloncz9\""},
};

QString describeCase(const DescriptionCase& dc, const QString& language) {
    Project p;
    p.placeBlock(1, 1, 1, dc.kind / 10, dc.kind % 10);
    Cell& c = p.cell(1, 1, 1);
    c.name = QString::fromUtf16(dc.name);
    if (dc.kind == KindArrayWrite) {
        c.text2 = c.name;
    }
    if (dc.text2) {
        c.text2 = QString::fromUtf16(dc.text2);
    }
    if (dc.text3) {
        c.text3 = QString::fromUtf16(dc.text3);
    }
    if (dc.text4) {
        c.text4 = QString::fromUtf16(dc.text4);
    }
    if (dc.mode >= 0) {
        c.mode = dc.mode;
    }
    TextTable texts;
    texts.setLanguage(language);
    return p.describeCell(1, 1, 1, texts);
}

}  // namespace

TEST(BlockDescription, EveryKindInBothLanguagesForSetAndUnsetFields) {
    for (const DescriptionCase& dc : kCases) {
        EXPECT_EQ(describeCase(dc, QStringLiteral("pl")), QString::fromUtf16(dc.polish))
            << "kind " << dc.kind;
        EXPECT_EQ(describeCase(dc, QStringLiteral("ang")), QString::fromUtf16(dc.english))
            << "kind " << dc.kind;
    }
}

TEST(BlockDescription, StartAndEndOnAProcedureBoardNameTheProcedure) {
    Project p;
    p.placeBlock(1, 1, 1, 1, 1);
    p.placeBlock(1, 1, 2, 1, 2);
    p.board(1).kind = BoardProcedure;
    TextTable texts;
    EXPECT_EQ(p.describeBlock(1, 1, 1, texts),
              QStringLiteral("Klocek startowy o nazwie \"Start\" - To jest początek procedury o "
                             "nazwie \"Start\""));
    EXPECT_EQ(p.describeBlock(1, 1, 2, texts),
              QStringLiteral("Klocek kończący o nazwie \"End\" - To równocześnie koniec procedury "
                             "o nazwie \"End\""));
}

TEST(BlockDescription, VariableLine) {
    Project p;
    p.placeBlock(1, 1, 1, 1, 5);
    Cell& c = p.cell(1, 1, 1);
    c.name = QStringLiteral("suma");
    c.scope = 1;
    c.mode = TypeReal;
    c.text4 = QStringLiteral("2.5");
    TextTable texts;
    EXPECT_EQ(p.describeCell(1, 1, 1, texts),
              QStringLiteral("Zmienna globalna \"suma\" typu: \"l. rzeczywista\" o wartości "
                             "początkowej \"2.5\" "));
    texts.setLanguage(QStringLiteral("ang"));
    EXPECT_EQ(p.describeCell(1, 1, 1, texts),
              QStringLiteral("Variable global \"suma\" type of \"real\" initial value \"2.5\" "));
    EXPECT_TRUE(p.describeCell(1, 2, 2, texts).isEmpty());
}
