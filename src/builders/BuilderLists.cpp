#include "builders/BuilderLists.h"

#include "config/TextTable.h"

namespace trevalon::builderlists {
namespace {

struct Template {
    const char* item;      // as listed
    const char* inserted;  // what goes into the formula
};

// Each list with the template of each entry, in the order shown.
constexpr Template kOperations[] = {
    {"+", "+"},         {"-", "-"}, {"*", "*"}, {"/", "/"}, {"^", "^"},   {" div ", " div "},
    {" mod ", " mod "}, {"=", "="}, {">", ">"}, {"<", "<"}, {">=", ">="}, {"<=", "<="},
};

constexpr Template kMathFunctions[] = {
    {"Sqrt(x)", "Sqrt()"},   {"Abs(x)", "Abs()"},       {"Frac(x)", "Frac()"},
    {"Trunc(x)", "Trunc()"}, {"Ln(x)", "Ln()"},         {"Exp(x)", "Exp()"},
    {"Sin(x)", "Sin()"},     {"Cos(x)", "Cos()"},       {"Tg(x)", "Tg()"},
    {"CTg(x)", "CTg()"},     {"ArcSin(x)", "ArcSin()"}, {"ArcCos(x)", "ArcCos()"},
    {"ArcTg(x)", "ArcTg()"}, {"ArcCtg(x)", "ArcCtg()"}, {"String(x)", "String()"},
};

constexpr Template kTextFunctions[] = {
    {"Length(s)", "Length()"},
    {"Pos(t,s)", "Pos(,)"},
    {"Trim(s)", "Trim()"},
    {"Upper(s)", "Upper()"},
    {"Lower(s)", "Lower()"},
    {"Copy(s,x,[y])", "Copy(,,)"},
    {"CopyTo(s,x,[y])", "CopyTo(,,)"},
    {"Delete(s,x,[y])", "Delete(,,)"},
    {"Insert(s,t,x),", "Insert(,,)"},
    {"s || t", " || "},
    {"Numeric(x)", "Numeric()"},
};

constexpr Template kConstants[] = {
    {"Pi", "Pi"},
    {"e", "e"},
    {"DegToRad", "DegToRad"},
    {"RadToDeg", "RadToDeg"},
};

constexpr Template kDates[] = {
    {"Year(s)", "Year()"},
    {"Month(s)", "Month()"},
    {"Day(s)", "Day()"},
    {"WeekDay(s)", "WeekDay()"},
    {"StrToStamp(s)", "StrToStamp()"},
    {"LastDay(d)", "LastDay()"},
    {"NameDay(x)", "NameDay()"},
    {"StampToDateStr(d)", "StampToDateStr()"},
    {"_NOW", "_NOW"},
    {"_DATE", "_DATE"},
};

struct ListData {
    const Template* entries;
    int count;
    int firstHelpText;
};

template <std::size_t N>
constexpr ListData data(const Template (&entries)[N], int firstHelpText) {
    return {entries, static_cast<int>(N), firstHelpText};
}

ListData listData(BuilderList list) {
    switch (list) {
        case BuilderList::Operations:
            return data(kOperations, texts::HelpAdd);
        case BuilderList::MathFunctions:
            return data(kMathFunctions, texts::HelpSqrt);
        case BuilderList::TextFunctions:
            return data(kTextFunctions, texts::HelpLength);
        case BuilderList::Constants:
            return data(kConstants, texts::HelpPi);
        case BuilderList::Dates:
            return data(kDates, texts::HelpYear);
        case BuilderList::Variables:
            break;
    }
    return {nullptr, 0, 0};
}

QStringList makeItems(BuilderList list) {
    const ListData entries = listData(list);
    QStringList items;
    for (int i = 0; i < entries.count; ++i) {
        items.append(QString::fromLatin1(entries.entries[i].item));
    }
    return items;
}

}  // namespace

const QStringList& items(BuilderList list) {
    static const QStringList none;
    static const QStringList operations = makeItems(BuilderList::Operations);
    static const QStringList math = makeItems(BuilderList::MathFunctions);
    static const QStringList text = makeItems(BuilderList::TextFunctions);
    static const QStringList constants = makeItems(BuilderList::Constants);
    static const QStringList dates = makeItems(BuilderList::Dates);
    switch (list) {
        case BuilderList::Operations:
            return operations;
        case BuilderList::MathFunctions:
            return math;
        case BuilderList::TextFunctions:
            return text;
        case BuilderList::Constants:
            return constants;
        case BuilderList::Dates:
            return dates;
        case BuilderList::Variables:
            break;
    }
    return none;
}

Insertion insertion(BuilderList list, int index) {
    const ListData entries = listData(list);
    if (index < 0 || index >= entries.count) {
        return {};
    }
    const QString text = QString::fromLatin1(entries.entries[index].inserted);
    const qsizetype parenthesis = text.indexOf(u'(');
    const qsizetype caret = parenthesis >= 0 ? parenthesis + 1 : text.size();
    return {text, static_cast<int>(caret)};
}

Insertion variableInsertion(const QString& name) {
    return {name, static_cast<int>(name.size())};
}

int helpTextNumber(BuilderList list, int index, int variableType) {
    if (list == BuilderList::Variables) {
        return variableType >= 1 && variableType <= 7
                   ? texts::HelpIntegerVariable + variableType - 1
                   : 0;
    }
    const ListData entries = listData(list);
    return index >= 0 && index < entries.count ? entries.firstHelpText + index : 0;
}

QString multiLineHelp(const TextTable& texts, int number) {
    return number > 0 ? texts.text(number) : QString();
}

QString singleLineHelp(const TextTable& texts, int number) {
    if (number <= 0) {
        return {};
    }
    const QString single = texts.text(number * 10 + 1);
    return single.isEmpty() ? texts.text(number) : single;
}

}  // namespace trevalon::builderlists
