#include "config/Status.h"
#include "config/TextTable.h"

#include <gtest/gtest.h>

using trevalon::Status;
using trevalon::TextTable;

// The four hundred texts of the interface and those added since: the schema overview's picture
// export, the windows on a desktop, reading files, the check's reasons, the step setting, the
// first start, undo and recovery, the key lists, the properties window's reasons for a refusal,
// the floating windows' titles.
TEST(TextTable, HoldsEveryText) {
    EXPECT_EQ(TextTable::count(), 735);
}

TEST(TextTable, GivesTextsExactlyInBothLanguages) {
    struct Row {
        int number;
        const char16_t* polish;
        const char16_t* english;
    };
    const Row rows[] = {
        {13, u"Bez nazwy", u"Untitled"},
        {16, u"Projekt został zmieniony.\nCzy zapisać zmiany?",
         u"Project has been changed.\nSave changes?"},
        {21, u"Program Trevalon nie obsługuje plików tego typu.\rWskaż plik projektu.",
         u"This program does not support the file type.\rSelect the project file."},
        {22, u"&Plik", u"&File"},
        {3002, u"Otwórz plik projektu programu Trevalon", u"Open a Trevalon project file"},
        {113, u" nie może być nazwą zmiennej czy klocka.",
         u" can not be a variable name or a component name."},
        {321, u"\" typu: \"", u"\" type of \""},
        {332, u"Klocek wejścia/wyjścia o nazwie \"", u"Component I/O with the name \" "},
        {334, u" - nie powiązany jeszcze ze zmienną",
         u" - is not yet associated with the variable "},
        {330, u"Brak klocka", u"No component"},
    };
    TextTable table;
    for (const Row& row : rows) {
        table.setLanguage(QStringLiteral("pl"));
        EXPECT_EQ(table.text(row.number), QString::fromUtf16(row.polish)) << row.number;
        table.setLanguage(QStringLiteral("ang"));
        EXPECT_EQ(table.text(row.number), QString::fromUtf16(row.english)) << row.number;
    }
}

TEST(TextTable, UnknownNumberOrLanguageGivesEmptyText) {
    TextTable table;
    EXPECT_TRUE(table.text(0).isEmpty());
    EXPECT_TRUE(table.text(10).isEmpty());
    EXPECT_TRUE(table.text(99999).isEmpty());
    EXPECT_TRUE(table.text(-1).isEmpty());
    for (const char* language : {"PL", "en", "Ang", "", "pl "}) {
        table.setLanguage(QString::fromLatin1(language));
        EXPECT_TRUE(table.text(13).isEmpty()) << language;
    }
}

TEST(TextTable, StartsInPolish) {
    TextTable table;
    EXPECT_EQ(table.language(), QStringLiteral("pl"));
}

TEST(Status, OkHoldsNothingAndAFailureFillsItsTextOnce) {
    EXPECT_TRUE(Status().ok());
    EXPECT_TRUE(Status().message(QStringLiteral("pl")).isEmpty());
    // 3215: "Block %1: the field “%2” is not set." An argument holding "%2" stays as typed;
    // an argument the text has no place for follows it.
    const Status failed =
        Status::error(3215, {QStringLiteral("%2"), QStringLiteral("Wzór"), QStringLiteral("x")});
    EXPECT_FALSE(failed.ok());
    EXPECT_EQ(failed.message(QStringLiteral("ang")),
              QStringLiteral("Block %2: the field “Wzór” is not set. x"));
    const Status copy = Status(failed).withDetail(QStringLiteral("EACCES"));
    EXPECT_EQ(copy.detail(), QStringLiteral("EACCES"));
    EXPECT_TRUE(failed.detail().isEmpty());
}
