#include "config/RecentProjects.h"

#include <gtest/gtest.h>

using trevalon::RecentProjects;

namespace {

QStringList numbered(int count) {
    QStringList list;
    for (int i = 1; i <= count; ++i) {
        list << QStringLiteral("/p/%1.skb").arg(i);
    }
    return list;
}

}  // namespace

// Each open or save puts its file first, once, and the list stays short.
TEST(RecentProjects, TheLastFileComesFirstOnceAndTheListStaysShort) {
    const struct Row {
        const char* what;
        QStringList list;
        QString path;
        QStringList expected;
    } rows[] = {
        {"first file", {}, QStringLiteral("/p/a.skb"), {QStringLiteral("/p/a.skb")}},
        {"already first",
         {QStringLiteral("/p/a.skb"), QStringLiteral("/p/b.skb")},
         QStringLiteral("/p/a.skb"),
         {QStringLiteral("/p/a.skb"), QStringLiteral("/p/b.skb")}},
        {"moved up, not repeated",
         {QStringLiteral("/p/a.skb"), QStringLiteral("/p/b.skb"), QStringLiteral("/p/c.skb")},
         QStringLiteral("/p/b.skb"),
         {QStringLiteral("/p/b.skb"), QStringLiteral("/p/a.skb"), QStringLiteral("/p/c.skb")}},
        {"the same file by another spelling",
         {QStringLiteral("/p/a.skb"), QStringLiteral("/p/b.skb")},
         QStringLiteral("/p/./x/../b.skb"),
         {QStringLiteral("/p/b.skb"), QStringLiteral("/p/a.skb")}},
        {"a full list loses its oldest", numbered(8), QStringLiteral("/p/new.skb"),
         QStringList{QStringLiteral("/p/new.skb")} + numbered(7)},
        {"letter case makes another file",
         {QStringLiteral("/p/a.skb")},
         QStringLiteral("/p/A.skb"),
         {QStringLiteral("/p/A.skb"), QStringLiteral("/p/a.skb")}},
        {"an empty path changes nothing",
         {QStringLiteral("/p/a.skb")},
         QString(),
         {QStringLiteral("/p/a.skb")}},
        {"a line break cannot be kept",
         {QStringLiteral("/p/a.skb")},
         QStringLiteral("/p/two\nlines.skb"),
         {QStringLiteral("/p/a.skb")}},
    };
    for (const Row& row : rows) {
        const QStringList result = RecentProjects::remember(row.list, row.path);
        EXPECT_EQ(result, row.expected) << row.what;
        // What is kept comes back from the settings file as it went in.
        EXPECT_EQ(RecentProjects::fromText(RecentProjects::toText(result)), result) << row.what;
    }
}

// A value edited by hand or damaged still reads as a sane list.
TEST(RecentProjects, ReadingDropsEmptyLinesRepeatsAndTheSurplus) {
    const struct Row {
        const char* what;
        QString text;
        QStringList expected;
    } rows[] = {
        {"nothing", QString(), {}},
        {"empty lines and a repeat",
         QStringLiteral("\n/p/a.skb\n\n/p/b.skb\n/p/a.skb\n"),
         {QStringLiteral("/p/a.skb"), QStringLiteral("/p/b.skb")}},
        {"a carriage return", QStringLiteral("/p/a.skb\r\n/p/b.skb"), {QStringLiteral("/p/b.skb")}},
        {"too many", numbered(12).join(u'\n'), numbered(8)},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(RecentProjects::fromText(row.text), row.expected) << row.what;
    }
}
