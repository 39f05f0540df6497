#include "model/BlockCatalogue.h"

namespace trevalon {
namespace {

constexpr unsigned T = SideTop;
constexpr unsigned B = SideBottom;
constexpr unsigned L = SideLeft;
constexpr unsigned R = SideRight;

// The last column lists the sides through which the flow passes a cell of that kind.
constexpr std::array<KindInfo, BlockCatalogue::KindCount> kKinds{{
    {11, 1, 1, 611, "Start", false, "kompbigstart", B},
    {12, 1, 2, 612, "End", false, "kompbigend", T},
    {13, 1, 3, 613, "StartG", true, "kompbigstart", B},
    {14, 1, 4, 614, "EndG", true, "kompbigend", T},
    {15, 1, 5, 615, "Zm", false, "zmienna", SideNone},
    {21, 2, 1, 621, "Czytaj", true, "napisz", T | B},
    {22, 2, 2, 622, "Procedura", true, "doprocedury", T | B},
    {23, 2, 3, 623, "Procedura", true, "zprocedury", T | B},
    {24, 2, 4, 624, "Komunikat", true, "napisz", T | B},
    {25, 2, 5, 625, "Pytanie", true, "napisz", T | B},
    {26, 2, 6, 626, "Losowa", true, "przypisz", T | B},
    {31, 3, 1, 631, "Przypisanie", true, "przypisz", T | B},
    {32, 3, 2, 632, "PorownajZZ", true, "warunek", T | L | R},
    {33, 3, 3, 633, "DoTablicy", true, "przypisz", T | B},
    {34, 3, 4, 634, "ZTablicy", true, "przypisz", T | B},
    {35, 3, 5, 635, "PorownajZW", true, "warunek", T | L | R},
    {41, 4, 1, 14, "Poloncz", true, "loncztopdown", T | B},
    {42, 4, 2, 14, "Poloncz", true, "lonczleftright", L | R},
    {43, 4, 3, 14, "Poloncz", true, "lonczgrotright", T | B | R},
    {44, 4, 4, 14, "Poloncz", true, "lonczgrotleft", T | B | L},
    {45, 4, 5, 14, "Poloncz", true, "loncztopright", T | R},
    {46, 4, 6, 14, "Poloncz", true, "lonczdownright", B | R},
    {47, 4, 7, 14, "Poloncz", true, "lonczleftdown", B | L},
    {48, 4, 8, 14, "Poloncz", true, "loncztopleft", T | L},
}};

}  // namespace

std::span<const KindInfo> BlockCatalogue::kinds() {
    return kKinds;
}

const KindInfo* BlockCatalogue::find(int kindCode) {
    for (const KindInfo& info : kKinds) {
        if (info.code == kindCode) {
            return &info;
        }
    }
    return nullptr;
}

int BlockCatalogue::groupSize(int group) {
    switch (group) {
        case 1:
            return 5;
        case 2:
            return 6;
        case 3:
            return 5;
        case 4:
            return 8;
        default:
            return 0;
    }
}

QString BlockCatalogue::groupStrip(int group) {
    switch (group) {
        case 1:
            return QStringLiteral("start");
        case 2:
            return QStringLiteral("czytaj");
        case 3:
            return QStringLiteral("operacje");
        case 4:
            return QStringLiteral("lonczniki");
        default:
            return {};
    }
}

QString BlockCatalogue::toolbarStrip(int group, bool english) {
    QString name;
    switch (group) {
        case 1:
            name = QStringLiteral("menustart");
            break;
        case 2:
            name = QStringLiteral("menuczytpisz");
            break;
        case 3:
            name = QStringLiteral("menuoperacje");
            break;
        case 4:
            name = QStringLiteral("menulonczniki");
            break;
        default:
            return {};
    }
    return english ? name + QStringLiteral("ang") : name;
}

QString BlockCatalogue::comparisonOperator(int mode) {
    static const char* const operators[ComparisonCount] = {"=", ">", "<", ">=", "<=", "<>"};
    if (mode < 0 || mode >= ComparisonCount) {
        return {};
    }
    return QString::fromLatin1(operators[mode]);
}

}  // namespace trevalon
