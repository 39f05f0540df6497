#include "ui/pictures/PictureCatalogue.h"

#include <deque>
#include <string>
#include <vector>

#include "model/KindCode.h"

namespace trevalon {
namespace {

// Every picture but the toolbar button faces, which are generated from their tags below.
// Sizes fixed by the windows that use a picture are kept exactly; the others are ours.
constexpr PictureInfo kPictures[] = {
    // Shared pictures of the main window and the board windows.
    {"tloglowne", 90, 90, nullptr,
     "background tile of the main, board, properties and report windows"},
    {"tlomaleblue", 40, 40, nullptr, "empty board cell"},
    {"tlomalered", 40, 40, nullptr, "board cell drawn red"},
    {"start", 200, 40, nullptr, "tiles of group 1: start, end, branch start, branch end, variable"},
    {"czytaj", 240, 40, nullptr,
     "tiles of group 2: read/write, call, return, message, question, random"},
    {"czytajpisz", 80, 40, nullptr, "tiles of the read/write block: reading, writing"},
    {"operacje", 200, 40, nullptr,
     "tiles of group 3: assignment, comparisons, array write and read"},
    {"lonczniki", 320, 40, nullptr, "tiles of group 4: the eight connectors"},
    {"menustart", 399, 50, "menustartang", "group tabs, tab 1 chosen"},
    {"menuczytpisz", 399, 50, "menuczytpiszang", "group tabs, tab 2 chosen"},
    {"menuoperacje", 399, 50, "menuoperacjeang", "group tabs, tab 3 chosen"},
    {"menulonczniki", 399, 50, "menuloncznikiang", "group tabs, tab 4 chosen"},
    {"menustartang", 399, 50, nullptr, "group tabs, tab 1 chosen, English"},
    {"menuczytpiszang", 399, 50, nullptr, "group tabs, tab 2 chosen, English"},
    {"menuoperacjeang", 399, 50, nullptr, "group tabs, tab 3 chosen, English"},
    {"menuloncznikiang", 399, 50, nullptr, "group tabs, tab 4 chosen, English"},
    // Window frames. The strips are one flat colour inside their edge lines, so that they can
    // be cut or stretched to any width and the 16 x 16 marks sit anywhere on them.
    {"listwa", 1024, 20, nullptr, "title strip of the companion windows"},
    {"listwaglowna", 1024, 24, nullptr, "title strip of the main window"},
    {"pasekmenu", 1024, 22, nullptr, "menu strip of the main window, under its title strip"},
    {"pasekstatus", 1024, 22, nullptr, "status line of the main window"},
    {"ikozwin", 16, 16, nullptr, "collapse/expand mark on a title strip"},
    {"ikozamknij", 16, 16, nullptr, "close mark on a title strip"},
    {"ikomaksymalizuj", 16, 16, nullptr, "maximise mark on a title strip"},
    {"ikoprzywroc", 16, 16, nullptr, "restore mark on a title strip"},
    {"ikominimalizuj", 16, 16, nullptr, "minimise mark on a title strip"},
    {"ikopomoc", 16, 16, nullptr, "help mark on a title strip"},
    {"ikomenu", 16, 16, nullptr, "window-menu mark on a title strip"},
    {"ikousun", 16, 16, nullptr, "delete-board mark on a board window's title strip"},
    {"uchwyt", 16, 16, nullptr, "resize grip, on the status line's colour"},
    {"tlojasne", 90, 90, nullptr, "light background tile of resizable windows"},
    // Message dialog.
    {"oknowarning", 350, 150, nullptr, "message dialog background"},
    {"ikoinfo", 42, 43, nullptr, "information icon, cut from the dialog background at (12, 4)"},
    {"ikopytanie", 42, 43, nullptr, "question icon, cut from the dialog background at (12, 4)"},
    {"ikouwaga", 42, 43, nullptr, "warning icon, cut from the dialog background at (12, 4)"},
    {"buttak", 88, 26, "butyes", "button Tak"},
    {"buttakakt", 88, 26, "butyesakt", "button Tak, focused"},
    {"butnie", 88, 26, "butno", "button Nie"},
    {"butnieakt", 88, 26, "butnoakt", "button Nie, focused"},
    {"butanuluj", 88, 26, "butcancel", "button Anuluj"},
    {"butanulujakt", 88, 26, "butcancelakt", "button Anuluj, focused"},
    {"butzamknij", 88, 26, "butclose", "button Zamknij"},
    {"butzamknijakt", 88, 26, "butcloseakt", "button Zamknij, focused"},
    {"butwprowadz", 88, 26, "butenter", "button Wprowadź"},
    {"butwprowadzakt", 88, 26, "butenterakt", "button Wprowadź, focused"},
    {"butyes", 88, 26, nullptr, "button Yes"},
    {"butyesakt", 88, 26, nullptr, "button Yes, focused"},
    {"butno", 88, 26, nullptr, "button No"},
    {"butnoakt", 88, 26, nullptr, "button No, focused"},
    {"butcancel", 88, 26, nullptr, "button Cancel"},
    {"butcancelakt", 88, 26, nullptr, "button Cancel, focused"},
    {"butclose", 88, 26, nullptr, "button Close"},
    {"butcloseakt", 88, 26, nullptr, "button Close, focused"},
    {"butenter", 88, 26, nullptr, "button Enter"},
    {"butenterakt", 88, 26, nullptr, "button Enter, focused"},
    // Execution dialog.
    {"wykonajlistwa", 260, 22, nullptr, "execution dialog title strip"},
    {"wykonajliczba", 260, 180, nullptr, "execution dialog body, reading a value"},
    {"wykonajdata", 260, 180, nullptr, "execution dialog body, reading a date"},
    {"wykonakomentarz", 260, 180, nullptr, "execution dialog body, a text or a question"},
    // Properties window rows.
    {"wlasnoscinonaktywne", 240, 23, nullptr, "properties row, read-only"},
    {"wlasnosciaktywne", 240, 23, nullptr, "properties row, edited as text"},
    {"wlasnosciaktywnelista", 240, 23, nullptr, "properties row, edited with a list"},
    {"wlasnosciprzycisk", 240, 23, "wlasnosciprzyciskang", "last properties row, a hint"},
    {"wlasnosciprzyciskang", 240, 23, nullptr, "last properties row, a hint, English"},
    // Check report rows.
    {"opisnaglowek", 250, 23, nullptr, "report header row"},
    {"opiswiersz", 250, 23, nullptr, "report row"},
    {"opispodsumowanie", 250, 45, nullptr, "report summary row"},
    // Schema overview shapes, drawn on the white page.
    {"kompbigstart", 180, 60, nullptr, "schema: start terminal"},
    {"kompbigend", 180, 60, nullptr, "schema: end terminal"},
    {"zmienna", 180, 60, nullptr, "schema: variable declaration"},
    {"napisz", 180, 60, nullptr, "schema: input/output"},
    {"wczytaj", 180, 60, nullptr, "schema: input/output that reads"},
    {"wypisz", 180, 60, nullptr, "schema: input/output that writes"},
    {"doprocedury", 180, 60, nullptr, "schema: procedure call"},
    {"zprocedury", 180, 60, nullptr, "schema: return from a procedure"},
    {"przypisz", 180, 60, nullptr, "schema: operation"},
    {"warunek", 180, 60, nullptr, "schema: condition"},
    {"loncztopdown", 180, 60, nullptr, "schema: line top to bottom"},
    {"lonczleftright", 180, 60, nullptr, "schema: line left to right"},
    {"lonczgrotright", 180, 60, nullptr, "schema: line top to bottom joined from the right"},
    {"lonczgrotleft", 180, 60, nullptr, "schema: line top to bottom joined from the left"},
    {"loncztopright", 180, 60, nullptr, "schema: corner top and right"},
    {"lonczdownright", 180, 60, nullptr, "schema: corner bottom and right"},
    {"lonczleftdown", 180, 60, nullptr, "schema: corner left and bottom"},
    {"loncztopleft", 180, 60, nullptr, "schema: corner top and left"},
    // Backgrounds of the builders and dialogs, each with its title strip in the top 20 rows.
    {"budujwyrazenie", 560, 460, nullptr, "expression builder background"},
    {"budujkomentarz", 460, 340, nullptr, "comment builder background"},
    {"ustawienia", 443, 500, nullptr, "settings dialog background"},
    {"zdarzenia", 560, 440, nullptr, "event log viewer background"},
    {"winietka", 440, 300, nullptr, "about window picture"},
    // Plain button faces for captions drawn from the text table, and small image buttons.
    {"przycisk", 120, 26, nullptr, "plain button face"},
    {"przyciskakt", 120, 26, nullptr, "plain button face, focused or under the mouse"},
    {"przyciskszeroki", 180, 26, nullptr, "wide plain button face"},
    {"przyciskszerokiakt", 180, 26, nullptr, "wide plain button face, focused or under the mouse"},
    {"klawisz", 32, 26, nullptr, "keypad key face"},
    {"klawiszakt", 32, 26, nullptr, "keypad key face, under the mouse"},
    {"butlista", 18, 21, nullptr, "drop-down arrow button"},
    {"butlistaakt", 18, 21, nullptr, "drop-down arrow button, under the mouse"},
    {"butwstaw", 26, 21, nullptr, "insert button"},
    {"butwstawakt", 26, 21, nullptr, "insert button, under the mouse"},
    {"butfolder", 26, 22, nullptr, "choose-folder button"},
    {"butfolderakt", 26, 22, nullptr, "choose-folder button, under the mouse"},
    // Cursors, on a magenta key colour that becomes transparent.
    {"ramkacur", 32, 32, nullptr, "cursor while placing or moving a block"},
    {"nocur", 32, 32, nullptr, "cursor where a block cannot be put"},
};

// The block kinds, then the cancel, next-step and run buttons.
constexpr int kJetTags[] = {KindStart,
                            KindEnd,
                            KindBranchStart,
                            KindBranchEnd,
                            KindVariable,
                            KindReadWrite,
                            KindCall,
                            KindReturn,
                            KindMessage,
                            KindQuestion,
                            KindRandom,
                            KindAssign,
                            KindCompareVars,
                            KindArrayWrite,
                            KindArrayRead,
                            KindCompareFormula,
                            KindLineVertical,
                            KindLineHorizontal,
                            KindJoinRight,
                            KindJoinLeft,
                            KindCornerTopRight,
                            KindCornerBottomRight,
                            KindCornerLeftBottom,
                            KindCornerTopLeft,
                            PictureCatalogue::JetCancel,
                            PictureCatalogue::JetNextStep,
                            PictureCatalogue::JetRun};
constexpr int kJetSize = 44;

const char* jetSuffix(JetState state) {
    switch (state) {
        case JetState::Over:
            return "over";
        case JetState::Chosen:
            return "wyb";
        case JetState::Up:
            break;
    }
    return "";
}

struct Catalogue {
    std::deque<std::string> names;  // stable storage for the generated names
    std::vector<PictureInfo> pictures;
};

const Catalogue& catalogue() {
    static const Catalogue built = [] {
        Catalogue c;
        c.pictures.assign(std::begin(kPictures), std::end(kPictures));
        for (int tag : kJetTags) {
            for (JetState state : {JetState::Up, JetState::Over, JetState::Chosen}) {
                c.names.push_back("jet" + std::to_string(tag) + jetSuffix(state));
                c.pictures.push_back(
                    {c.names.back().c_str(), kJetSize, kJetSize, nullptr, "toolbar button face"});
            }
        }
        return c;
    }();
    return built;
}

}  // namespace

std::span<const PictureInfo> PictureCatalogue::all() {
    return catalogue().pictures;
}

const PictureInfo* PictureCatalogue::find(const QString& name) {
    const QByteArray wanted = name.toLatin1();
    if (wanted.isEmpty() || QString::fromLatin1(wanted) != name) {
        return nullptr;
    }
    for (const PictureInfo& info : catalogue().pictures) {
        if (wanted == info.name) {
            return &info;
        }
    }
    return nullptr;
}

QString PictureCatalogue::localName(const QString& name, bool english) {
    if (english) {
        if (const PictureInfo* info = find(name); info && info->english) {
            return QString::fromLatin1(info->english);
        }
    }
    return name;
}

std::span<const int> PictureCatalogue::jetTags() {
    return kJetTags;
}

QString PictureCatalogue::jetButton(int tag, JetState state) {
    for (int known : kJetTags) {
        if (known == tag) {
            return QStringLiteral("jet%1%2").arg(tag).arg(QLatin1String(jetSuffix(state)));
        }
    }
    return {};
}

}  // namespace trevalon
