#include "model/BlockCatalogue.h"

#include "config/TextIds.h"

namespace trevalon {
namespace {

constexpr unsigned T = SideTop;
constexpr unsigned B = SideBottom;
constexpr unsigned L = SideLeft;
constexpr unsigned R = SideRight;

constexpr int Kept = KindDefaults::Kept;
constexpr int Grey = BlockCatalogue::DefaultBlockColour;
constexpr StartText Keep = StartText::Kept;
constexpr StartText NoBlock = StartText::NoBlock;
constexpr StartText Unset = StartText::Unset;
constexpr StartText OwnName = StartText::OwnName;
constexpr StartText EmptyArray = StartText::EmptyArray;

// What a block starts with: mode, text2, text3, text4, extra1.
constexpr KindDefaults kStartEnd{Kept, NoBlock, Keep, Keep, Kept};
constexpr KindDefaults kBranchEnd{Kept, NoBlock, NoBlock, Keep, Kept};
constexpr KindDefaults kVariable{Kept, Keep, Keep, Keep, Kept};  // see Project::placeBlock
constexpr KindDefaults kReadWrite{0, Unset, Keep, Unset, 0};
constexpr KindDefaults kProcedure{Kept, Unset, Unset, Keep, Grey};
constexpr KindDefaults kMessage{Kept, Keep, Keep, Unset, Grey};
constexpr KindDefaults kQuestion{Kept, Unset, Keep, Unset, Grey};
constexpr KindDefaults kRandom{Kept, Unset, Unset, Unset, Grey};
constexpr KindDefaults kAssign{Kept, Unset, Keep, Unset, Kept};
constexpr KindDefaults kCompareVars{0, Unset, Unset, Keep, Kept};
constexpr KindDefaults kArrayWrite{Kept, OwnName, Unset, EmptyArray, 0};
constexpr KindDefaults kArrayRead{Kept, Unset, Unset, Unset, Kept};
constexpr KindDefaults kCompareFormula{0, Unset, Keep, Unset, Kept};
constexpr KindDefaults kConnector{0, Keep, Keep, Keep, Kept};

constexpr int ReadWriteWrites = 1;  // the mode of a read/write block that writes

// The sides column lists the sides through which the flow passes a cell of that kind; the
// last column what a newly placed block holds.
constexpr std::array<KindInfo, BlockCatalogue::KindCount> kKinds{{
    {KindStart, 1, 1, texts::HintStartBlock, "Start", false, "kompbigstart", B, kStartEnd},
    {KindEnd, 1, 2, texts::HintEndBlock, "End", false, "kompbigend", T, kStartEnd},
    {KindBranchStart, 1, 3, texts::HintBranchStart, "StartG", true, "kompbigstart", B, kStartEnd},
    {KindBranchEnd, 1, 4, texts::HintBranchEnd, "EndG", true, "kompbigend", T, kBranchEnd},
    {KindVariable, 1, 5, texts::HintVariableBlock, "Zm", false, "zmienna", SideNone, kVariable},
    {KindReadWrite, 2, 1, texts::HintReadWrite, "Czytaj", true, "napisz", T | B, kReadWrite},
    {KindCall, 2, 2, texts::HintCall, "Procedura", true, "doprocedury", T | B, kProcedure},
    {KindReturn, 2, 3, texts::HintReturn, "Procedura", true, "zprocedury", T | B, kProcedure},
    {KindMessage, 2, 4, texts::HintMessage, "Komunikat", true, "napisz", T | B, kMessage},
    {KindQuestion, 2, 5, texts::HintQuestion, "Pytanie", true, "napisz", T | B, kQuestion},
    {KindRandom, 2, 6, texts::HintRandom, "Losowa", true, "przypisz", T | B, kRandom},
    {KindAssign, 3, 1, texts::HintAssign, "Przypisanie", true, "przypisz", T | B, kAssign},
    {KindCompareVars, 3, 2, texts::HintCompareVariables, "PorownajZZ", true, "warunek", T | L | R,
     kCompareVars},
    {KindArrayWrite, 3, 3, texts::HintArrayWrite, "DoTablicy", true, "przypisz", T | B,
     kArrayWrite},
    {KindArrayRead, 3, 4, texts::HintArrayRead, "ZTablicy", true, "przypisz", T | B, kArrayRead},
    {KindCompareFormula, 3, 5, texts::HintCompareFormula, "PorownajZW", true, "warunek", T | L | R,
     kCompareFormula},
    {KindLineVertical, 4, 1, texts::HintConnector, "Poloncz", true, "loncztopdown", T | B,
     kConnector},
    {KindLineHorizontal, 4, 2, texts::HintConnector, "Poloncz", true, "lonczleftright", L | R,
     kConnector},
    {KindJoinRight, 4, 3, texts::HintConnector, "Poloncz", true, "lonczgrotright", T | B | R,
     kConnector},
    {KindJoinLeft, 4, 4, texts::HintConnector, "Poloncz", true, "lonczgrotleft", T | B | L,
     kConnector},
    {KindCornerTopRight, 4, 5, texts::HintConnector, "Poloncz", true, "loncztopright", T | R,
     kConnector},
    {KindCornerBottomRight, 4, 6, texts::HintConnector, "Poloncz", true, "lonczdownright", B | R,
     kConnector},
    {KindCornerLeftBottom, 4, 7, texts::HintConnector, "Poloncz", true, "lonczleftdown", B | L,
     kConnector},
    {KindCornerTopLeft, 4, 8, texts::HintConnector, "Poloncz", true, "loncztopleft", T | L,
     kConnector},
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

BlockCatalogue::Tile BlockCatalogue::cellTile(int kindCode, int mode) {
    if (kindCode == KindReadWrite) {
        return {QStringLiteral("czytajpisz"), mode == ReadWriteWrites ? 2 : 1};
    }
    const KindInfo* info = find(kindCode);
    return info ? Tile{groupStrip(info->group), info->index} : Tile{};
}

QString BlockCatalogue::schemaShape(int kindCode, int mode) {
    if (kindCode == KindReadWrite) {
        return mode == ReadWriteWrites ? QStringLiteral("wypisz") : QStringLiteral("wczytaj");
    }
    const KindInfo* info = find(kindCode);
    return info ? QString::fromLatin1(info->schemaPicture) : QString();
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

int BlockCatalogue::precisionText(int code) {
    return texts::PrecisionZeroDigits + code;
}

int BlockCatalogue::typeListText(int type) {
    return texts::TipTypeInteger + type - 1;
}

int BlockCatalogue::boardKindText(int kind) {
    return texts::BoardKindProgram + kind;
}

}  // namespace trevalon
