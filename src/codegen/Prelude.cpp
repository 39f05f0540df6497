#include "codegen/Prelude.h"

namespace trevalon::codegen {
namespace {

const PreludeConstant kConstants[] = {{"Pi", "3.14159265358979"},
                                      {"e", "2.71828183"},
                                      {"DegToRad", "0.017453"},
                                      {"RadToDeg", "57.29578"}};

const char* const kWeekdays[2][7] = {
    {"poniedziałek", "wtorek", "środa", "czwartek", "piątek", "sobota", "niedziela"},
    {"monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday"}};

}  // namespace

HelperSet withCalledHelpers(std::span<const PreludeHelper> table, HelperSet used) {
    for (bool grew = true; grew;) {
        grew = false;
        for (const PreludeHelper& h : table) {
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

void appendHelpers(std::span<const PreludeHelper> table, const HelperSet& used, int blankLines,
                   QStringList& out) {
    for (const PreludeHelper& h : table) {
        if (used.contains(QString::fromLatin1(h.name)) && *h.code != '\0') {
            out << QString::fromUtf8(h.code).split(u'\n');
            for (int i = 0; i < blankLines; ++i) {
                out << QString();
            }
        }
    }
}

std::span<const PreludeConstant> preludeConstants() {
    return kConstants;
}

bool usesConstant(const HelperSet& used, const PreludeConstant& c) {
    return used.contains(QStringLiteral("const:") + QLatin1String(c.name));
}

QStringList weekdayNames(bool english) {
    QStringList names;
    for (const char* name : kWeekdays[english ? 1 : 0]) {
        names << QString::fromUtf8(name);
    }
    return names;
}

}  // namespace trevalon::codegen
