#include "codegen/Prelude.h"

#include <QStringView>
#include <algorithm>
#include <iterator>

#include "codegen/SourceText.h"

namespace trevalon::codegen {
namespace {

struct Helper {
    const char* name;
    const char* needs;  // helpers it calls, separated by blanks
    const char* code;
};

const Helper kPython[] = {
#include "codegen/PreludePython.inc"
};

const Helper kCpp[] = {
#include "codegen/PreludeCpp.inc"
};

const char* const kConstants[][2] = {{"Pi", "3.14159265358979"},
                                     {"e", "2.71828183"},
                                     {"DegToRad", "0.017453"},
                                     {"RadToDeg", "57.29578"}};

// The Python helpers that call the math module.
const char* const kPythonMath[] = {"tg",    "ln",     "square_root", "ctg", "arcsin", "arccos",
                                   "arctg", "arcctg", "sh",          "ch",  "th",     "cth"};

const char* const kWeekdays[2][7] = {
    {"poniedziałek", "wtorek", "środa", "czwartek", "piątek", "sobota", "niedziela"},
    {"monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday"}};

template <std::size_t N>
HelperSet closure(const Helper (&table)[N], HelperSet used) {
    for (bool grew = true; grew;) {
        grew = false;
        for (const Helper& h : table) {
            if (!used.contains(QString::fromLatin1(h.name))) {
                continue;
            }
            for (const QString& need :
                 QString::fromLatin1(h.needs).split(u' ', Qt::SkipEmptyParts)) {
                grew = used.insert(need).second || grew;
            }
        }
    }
    return used;
}

// Python's style puts two blank lines between functions, C++'s one.
template <std::size_t N>
void appendHelpers(const Helper (&table)[N], const HelperSet& used, bool python, QStringList& out) {
    for (const Helper& h : table) {
        if (used.contains(QString::fromLatin1(h.name)) && *h.code != '\0') {
            out << QString::fromUtf8(h.code).split(u'\n') << QString();
            if (python) {
                out << QString();
            }
        }
    }
}

QString weekdayList(bool english, bool cpp) {
    QStringList names;
    for (const char* name : kWeekdays[english ? 1 : 0]) {
        names << stringLiteral(cpp ? Target::Cpp : Target::Python, QString::fromUtf8(name));
    }
    return cpp ? u'{' + names.join(QStringLiteral(", ")) + u'}'
               : u'[' + names.join(QStringLiteral(", ")) + u']';
}

QStringList pythonLines(const HelperSet& used, bool english) {
    QStringList out;
    const auto uses = [&used](const char* name) { return used.contains(QLatin1String(name)); };
    out << QStringLiteral("import sys");
    if (uses("date_parts") || uses("clock_text")) {
        out << QStringLiteral("import datetime");
    }
    if (uses("real_text")) {
        out << QStringLiteral("import decimal");
    }
    const bool math = std::any_of(std::begin(kPythonMath), std::end(kPythonMath), uses);
    if (math) {
        out << QStringLiteral("import math");
    }
    if (uses("read_value") || uses("read_date") || uses("replace_text") || uses("matches")) {
        out << QStringLiteral("import re");
    }
    if (uses("random_below")) {
        out << QStringLiteral("import time");
    }
    QStringList fromMath;
    for (const char* name : {"cos", "exp", "sin"}) {
        if (uses(name)) {
            fromMath << QLatin1String(name);
        }
    }
    if (!fromMath.isEmpty()) {
        out << QStringLiteral("from math import ") + fromMath.join(QStringLiteral(", "));
    }
    out << QString() << QString();
    for (const auto& c : kConstants) {
        if (used.contains(QStringLiteral("const:") + QLatin1String(c[0]))) {
            out << QLatin1String(c[0]) + QStringLiteral(" = ") + QLatin1String(c[1]);
        }
    }
    if (out.last() != QString()) {
        out << QString() << QString();
    }
    appendHelpers(kPython, used, true, out);
    if (uses("nameday")) {
        out << QStringLiteral("def nameday(i):")
            << QStringLiteral("    return ") + weekdayList(english, false) +
                   QStringLiteral("[i - 1]")
            << QString() << QString();
    }
    return out;
}

QStringList cppLines(const HelperSet& used, bool english) {
    QStringList out;
    const auto uses = [&used](const char* name) { return used.contains(QLatin1String(name)); };
    QStringList headers = {QStringLiteral("algorithm"), QStringLiteral("cmath"),
                           QStringLiteral("cstdio"),    QStringLiteral("cstdlib"),
                           QStringLiteral("iostream"),  QStringLiteral("string")};
    if (uses("vector") || uses("matches")) {
        headers << QStringLiteral("vector");
    }
    if (uses("clock_text")) {
        headers << QStringLiteral("chrono") << QStringLiteral("ctime");
    }
    if (uses("read_value") || uses("read_date")) {
        headers << QStringLiteral("regex");
    }
    if (uses("random_below")) {
        headers << QStringLiteral("random");
        if (!uses("clock_text")) {
            headers << QStringLiteral("chrono");
        }
    }
    if (uses("maxval") || uses("minval") || uses("sumval") || uses("avgval")) {
        headers << QStringLiteral("initializer_list");
    }
    headers.sort();
    for (const QString& h : headers) {
        out << QStringLiteral("#include <") + h + u'>';
    }
    out << QString() << QStringLiteral("using namespace std::string_literals;") << QString();
    bool constants = false;
    for (const auto& c : kConstants) {
        if (used.contains(QStringLiteral("const:") + QLatin1String(c[0]))) {
            out << QStringLiteral("const double ") + QLatin1String(c[0]) + QStringLiteral(" = ") +
                       QLatin1String(c[1]) + u';';
            constants = true;
        }
    }
    if (constants) {
        out << QString();
    }
    appendHelpers(kCpp, used, false, out);
    if (uses("nameday")) {
        out << QStringLiteral("std::string nameday(long long i) {")
            << QStringLiteral("    const std::string names[] = ") + weekdayList(english, true) +
                   u';'
            << QStringLiteral("    if (i < 1 || i > 7) {")
            << QStringLiteral(
                   "        fail(\"nameday: \" + std::to_string(i) + \" does not exist\");")
            << QStringLiteral("    }") << QStringLiteral("    return names[i - 1];")
            << QStringLiteral("}") << QString();
    }
    return out;
}

}  // namespace

QStringList Prelude::lines(Target target, const HelperSet& used, bool english) {
    switch (target) {
        case Target::Python:
            return pythonLines(closure(kPython, used), english);
        case Target::Cpp:
            return cppLines(closure(kCpp, used), english);
        case Target::Pseudo:
            break;
    }
    return {};
}

}  // namespace trevalon::codegen
