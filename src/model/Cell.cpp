#include "model/Cell.h"

#include "model/KindCode.h"

namespace trevalon {

const QString& Cell::comparedWith() const {
    return kindCode == KindCompareVars ? otherVariable() : formula();
}

const QString* Cell::text(Field field) const {
    return const_cast<Cell*>(this)->text(field);
}

QString* Cell::text(Field field) {
    switch (field) {
        case Field::Text2:
            return &text2;
        case Field::Text3:
            return &text3;
        case Field::Text4:
            return &text4;
        case Field::Extra1:
            break;
    }
    return nullptr;
}

const int* Cell::number(Field field) const {
    return const_cast<Cell*>(this)->number(field);
}

int* Cell::number(Field field) {
    return field == Field::Extra1 ? &extra1 : nullptr;
}

bool Cell::sameContent(const Cell& other) const {
    return occupied == other.occupied && isVariable == other.isVariable && scope == other.scope &&
           mode == other.mode && kindCode == other.kindCode && group == other.group &&
           index == other.index && name == other.name && text2 == other.text2 &&
           text3 == other.text3 && text4 == other.text4 && extra1 == other.extra1 &&
           extra2 == other.extra2;
}

qsizetype Cell::textLength() const {
    return name.size() + text2.size() + text3.size() + text4.size();
}

void Cell::replaceTexts(const QString& from, const QString& to) {
    for (QString* field : {&text2, &text3, &text4}) {
        if (*field == from) {
            *field = to;
        }
    }
}

}  // namespace trevalon
