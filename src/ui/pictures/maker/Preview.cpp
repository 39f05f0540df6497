// Composes sample screens from the embedded pictures, the way the windows lay them out: a
// board holding a factorial flowchart, the toolbar, the message and execution dialogs and
// the rows of the properties and report windows. For looking at the pictures together;
// not part of the program. Usage: trevalon_picture_preview FOLDER
#include <QDir>
#include <QGuiApplication>
#include <QPainter>

#include <cstdio>

#include "ui/pictures/PictureLayout.h"
#include "ui/pictures/PictureStore.h"
#include "ui/widgets/Palette.h"

using namespace trevalon;

namespace {

QFont uiFont(int pixels, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void tileWith(QPainter& p, const QRect& area, const QImage& tile) {
    for (int y = area.top(); y <= area.bottom(); y += tile.height()) {
        for (int x = area.left(); x <= area.right(); x += tile.width()) {
            p.drawImage(QPoint(x, y), tile);
        }
    }
}

struct Placed {
    int column;
    int row;
    int kind;
};

// A board window: 20-pixel title strip, then the board image drawn as the board window does.
QImage boardWindow(PictureStore& store, int columns, int rows, const std::vector<Placed>& blocks,
                   QPoint selected) {
    const int width = columns * 39 + 9;
    const int height = rows * 39 + 29;
    QImage window(width, height, QImage::Format_RGB32);
    QPainter p(&window);
    p.drawImage(QRect(0, 0, width, 20), store.image(QStringLiteral("listwa")),
                QRect(0, 0, width, 20));
    p.setFont(uiFont(11, true));
    p.setPen(QColor(255, 220, 60));
    p.drawText(QRect(4, 0, width, 20), Qt::AlignVCenter, QStringLiteral("  Silnia"));
    p.drawImage(QPoint(width - 25, 2), store.image(QStringLiteral("ikozwin")));
    p.drawImage(QPoint(width - 45, 2), store.image(QStringLiteral("ikomenu")));
    p.translate(0, 20);
    p.setClipRect(QRect(0, 0, width, height - 20));
    tileWith(p, QRect(0, 0, width, height - 20), store.image(QStringLiteral("tloglowne")));
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows; ++r) {
            p.drawImage(QPoint(39 * c + 4, 39 * r + 4), store.image(QStringLiteral("tlomaleblue")));
        }
    }
    p.setPen(palette::violet);
    p.drawRect(0, 0, width - 1, height - 21);
    const char* strips[] = {"", "start", "czytaj", "operacje", "lonczniki"};
    for (const Placed& block : blocks) {
        const QImage tile = store.tile(QLatin1String(strips[block.kind / 10]), block.kind % 10);
        p.drawImage(QPoint(39 * block.column - 35, 39 * block.row - 35), tile);
    }
    p.setPen(palette::yellow);
    p.drawRect(39 * selected.x() - 36, 39 * selected.y() - 36, 41, 41);
    return window;
}

std::vector<Placed> factorial() {
    return {{3, 1, 11}, {3, 2, 21}, {3, 3, 31}, {3, 4, 31}, {3, 5, 44}, {3, 6, 35}, {2, 6, 46},
            {2, 7, 31}, {2, 8, 31}, {2, 9, 48}, {1, 9, 45}, {1, 8, 41}, {1, 7, 41}, {1, 6, 41},
            {1, 5, 46}, {2, 5, 42}, {4, 6, 47}, {4, 7, 21}, {4, 8, 12}, {6, 1, 15}, {7, 1, 15},
            {6, 2, 15}, {5, 9, 26}, {6, 9, 24}, {7, 9, 25}, {8, 9, 22}, {8, 8, 23}, {7, 8, 33},
            {6, 8, 34}, {8, 1, 13}, {8, 2, 14}, {5, 5, 32}, {7, 5, 43}, {7, 4, 41}, {7, 6, 41}};
}

// The top of the main window: title strip, menu strip, tabs and the buttons of a group.
QImage mainWindow(PictureStore& store, bool english) {
    QImage window(787, 200, QImage::Format_RGB32);
    QPainter p(&window);
    tileWith(p, window.rect(), store.image(QStringLiteral("tloglowne")));
    p.drawImage(QRect(0, 0, 787, 24), store.image(QStringLiteral("listwaglowna")),
                QRect(0, 0, 787, 24));
    p.drawImage(QRect(0, 24, 787, 22), store.image(QStringLiteral("pasekmenu")),
                QRect(0, 0, 787, 22));
    p.setPen(palette::stripInk);
    p.setFont(uiFont(12, true));
    p.drawText(QRect(30, 0, 400, 24), Qt::AlignVCenter, QStringLiteral("TREVALON     silnia"));
    p.drawImage(QPoint(6, 4), store.image(QStringLiteral("ikomenu")));
    const char* marks[] = {"ikopomoc", "ikominimalizuj", "ikomaksymalizuj", "ikozamknij"};
    for (int i = 0; i < 4; ++i) {
        p.drawImage(QPoint(787 - 22 * (4 - i), 4), store.image(QLatin1String(marks[i])));
    }
    p.setFont(uiFont(12));
    const char* menus[] = {"Plik", "Pokaż", "Wykonaj", "Pomoc"};
    const char* menusEn[] = {"File", "Edit", "Perform", "Help"};
    int x = 15;
    for (int i = 0; i < 4; ++i) {
        const QString text = QString::fromUtf8(english ? menusEn[i] : menus[i]);
        p.drawText(QRect(x, 24, 80, 22), Qt::AlignVCenter, text);
        x += p.fontMetrics().horizontalAdvance(text) + 22;
    }
    p.drawImage(QPoint(10, 54),
                store.image(PictureStore::localName(QStringLiteral("menuczytpisz"), english)));
    const int tags[] = {21, 22, 23, 24, 25, 26};
    for (int i = 0; i < 6; ++i) {
        const QString state = i == 1   ? QStringLiteral("over")
                              : i == 3 ? QStringLiteral("wyb")
                                       : QString();
        p.drawImage(QPoint(10 + 48 * i, 110),
                    store.image(QStringLiteral("jet%1").arg(tags[i]) + state));
    }
    p.drawImage(QPoint(10 + 48 * 6 + 12, 110), store.image(QStringLiteral("jet51")));
    p.drawImage(QPoint(620, 110), store.image(QStringLiteral("jet52")));
    p.drawImage(QPoint(672, 110), store.image(QStringLiteral("jet53over")));
    p.drawImage(QRect(0, 178, 787, 22), store.image(QStringLiteral("pasekstatus")),
                QRect(0, 0, 787, 22));
    p.drawImage(QPoint(771, 181), store.image(QStringLiteral("uchwyt")));
    p.setPen(palette::stripInk);
    p.setFont(uiFont(11));
    p.drawText(QRect(8, 178, 700, 22), Qt::AlignVCenter,
               QString::fromUtf8(english ? "Procedure call" : "Wywołanie procedury"));
    return window;
}

QImage messageDialog(PictureStore& store, bool english) {
    QImage dialog = store.image(QStringLiteral("oknowarning")).copy();
    QPainter p(&dialog);
    p.drawImage(layout::WarningIcon.topLeft(), store.image(QStringLiteral("ikopytanie")));
    p.setPen(palette::stripInk);
    p.setFont(uiFont(12, true));
    p.drawText(layout::WarningTitle, Qt::AlignVCenter, QStringLiteral("Trevalon"));
    p.setPen(palette::violet);
    p.setFont(uiFont(12));
    p.drawText(layout::WarningText, Qt::AlignLeft | Qt::TextWordWrap,
               QString::fromUtf8(english ? "Project has been changed.\nSave changes?"
                                         : "Projekt został zmieniony.\nCzy zapisać zmiany?"));
    const struct {
        const char* name;
        int x;
    } buttons[] = {{"buttakakt", 63}, {"butnie", 156}, {"butanuluj", 248}};
    for (const auto& button : buttons) {
        p.drawImage(QPoint(button.x, layout::WarningButtonTop),
                    store.image(PictureStore::localName(QLatin1String(button.name), english)));
    }
    return dialog;
}

QImage executionDialog(PictureStore& store, const QString& body) {
    QImage dialog(260, 202, QImage::Format_RGB32);
    QPainter p(&dialog);
    p.drawImage(QPoint(0, 0), store.image(QStringLiteral("wykonajlistwa")));
    p.setPen(palette::stripInk);
    p.setFont(uiFont(11, true));
    p.drawText(QRect(8, 0, 250, 22), Qt::AlignVCenter,
               QString::fromUtf8("WYKONANIE - CZYTAJ WARTOŚĆ"));
    p.translate(0, 22);
    p.drawImage(QPoint(0, 0), store.image(body));
    p.setPen(palette::violet);
    p.setFont(uiFont(12));
    p.drawText(layout::ExecutionText, Qt::AlignLeft | Qt::TextWordWrap,
               QString::fromUtf8("Podaj liczbę n, dla której policzę silnię:"));
    if (body == QLatin1String("wykonajliczba")) {
        p.setPen(Qt::black);
        p.drawText(layout::ExecutionValue, Qt::AlignVCenter, QStringLiteral("5"));
        p.drawImage(QPoint(layout::ExecutionButtonAlone, layout::ExecutionButtonTop),
                    store.image(QStringLiteral("butwprowadzakt")));
    } else if (body == QLatin1String("wykonajdata")) {
        p.setPen(Qt::black);
        p.drawText(layout::ExecutionYear, Qt::AlignCenter, QStringLiteral("2024"));
        p.drawText(layout::ExecutionMonth, Qt::AlignCenter, QStringLiteral("06"));
        p.drawImage(QPoint(layout::ExecutionButtonAlone, layout::ExecutionButtonTop),
                    store.image(QStringLiteral("butwprowadz")));
    } else {
        p.drawImage(QPoint(layout::ExecutionButtonPair[0], layout::ExecutionButtonTop),
                    store.image(QStringLiteral("buttakakt")));
        p.drawImage(QPoint(layout::ExecutionButtonPair[1], layout::ExecutionButtonTop),
                    store.image(QStringLiteral("butnie")));
    }
    return dialog;
}

// A companion window's title strip over its tiled body `body`.
void companionFrame(QPainter& p, PictureStore& store, const QRect& body, const char* title) {
    p.drawImage(QRect(body.left(), body.top() - 20, body.width(), 20),
                store.image(QStringLiteral("listwa")), QRect(0, 0, body.width(), 20));
    p.setFont(uiFont(11, true));
    p.setPen(palette::stripInk);
    p.drawText(QRect(body.left() + 4, body.top() - 20, body.width() - 14, 20), Qt::AlignVCenter,
               QString::fromUtf8(title));
    p.setClipRect(body);
    tileWith(p, body, store.image(QStringLiteral("tloglowne")));
    p.setClipping(false);
}

// The properties window of an assignment.
void propertiesPanel(QPainter& p, PictureStore& store) {
    const struct {
        const char* picture;
        const char* label;
        const char* value;
    } properties[] = {{"wlasnoscinonaktywne", "Plansza", "Silnia"},
                      {"wlasnosciaktywne", "Nazwa klocka", "Przypisanie3"},
                      {"wlasnosciaktywnelista", "Nazwa zmiennej", "s"},
                      {"wlasnosciaktywne", "Wyrażenie", "s*i"},
                      {"wlasnosciprzycisk", "", ""}};
    const int rowCount = 5;
    const QRect panel(10, 30, 244, 23 * rowCount + 3);
    companionFrame(p, store, panel, "  Własności");
    p.setFont(uiFont(11));
    for (int r = 1; r <= rowCount; ++r) {
        const auto& row = properties[r - 1];
        const int top = panel.top() + 23 * r - 21;
        p.drawImage(QPoint(panel.left() + 2, top), store.image(QLatin1String(row.picture)));
        p.setPen(Qt::black);
        p.drawText(QRect(panel.left() + 5, top, 95, 22), Qt::AlignVCenter,
                   QString::fromUtf8(row.label));
        p.drawText(QRect(panel.left() + 102, top, 140, 22), Qt::AlignVCenter,
                   QString::fromUtf8(row.value));
    }
    p.setPen(palette::violet);
    p.drawRect(panel.adjusted(0, 0, -1, -1));
}

// The report of a board check that found faults.
void reportPanel(QPainter& p, PictureStore& store) {
    const struct {
        const char* label;
        const char* value;
        QColor colour;
    } results[] = {{"Klocki START END", "OK", palette::violet},
                   {"Własności klocków", "OK", palette::violet},
                   {"Zgodność zmiennych", "NO", palette::red},
                   {"Kontrola wyrażeń", "Nie określono", palette::yellow},
                   {"Spójność planszy", "Nie określono", palette::yellow}};
    const QRect report(280, 30, 254, 23 * 7 + 25);
    companionFrame(p, store, report, "  Badanie poprawności");
    p.setFont(uiFont(11));
    p.drawImage(report.topLeft() + QPoint(2, 2), store.image(QStringLiteral("opisnaglowek")));
    p.setPen(palette::violet);
    p.drawText(QRect(report.left(), report.top() + 2, 250, 22), Qt::AlignCenter,
               QStringLiteral("Kontrola: Silnia"));
    for (int r = 2; r <= 6; ++r) {
        const auto& row = results[r - 2];
        const int top = report.top() + 23 * r - 21;
        p.drawImage(QPoint(report.left() + 2, top), store.image(QStringLiteral("opiswiersz")));
        p.setPen(palette::violet);
        p.drawText(QRect(report.left() + 10, top, 140, 22), Qt::AlignVCenter,
                   QString::fromUtf8(row.label));
        p.setPen(row.colour);
        p.drawText(QRect(report.left() + 150, top, 100, 22), Qt::AlignVCenter,
                   QString::fromUtf8(row.value));
    }
    p.drawImage(report.topLeft() + QPoint(2, 23 * 7 - 21),
                store.image(QStringLiteral("opispodsumowanie")));
    p.setPen(palette::red);
    p.drawText(QRect(report.left(), report.top() + 23 * 7 - 21, 250, 30), Qt::AlignCenter,
               QStringLiteral("Ta plansza jest do poprawienia"));
    p.setPen(palette::violet);
    p.drawRect(report.adjusted(0, 0, -1, -1));
}

// The properties window of an assignment and the report of a board check, side by side.
QImage rows(PictureStore& store) {
    QImage image(540, 240, QImage::Format_RGB32);
    image.fill(palette::sheetGrey);
    QPainter p(&image);
    propertiesPanel(p, store);
    reportPanel(p, store);
    return image;
}

// The schema page of the factorial board's flow (columns 1 to 4), with the texts the
// overview writes into the shapes.
QImage schemaPage(PictureStore& store) {
    const struct {
        int column;
        int row;
        const char* picture;
        const char* text;
    } cells[] = {
        {3, 1, "kompbigstart", "START"},
        {3, 2, "napisz", "CZYTAJ(n)"},
        {3, 3, "przypisz", "s:=1"},
        {3, 4, "przypisz", "i:=1"},
        {3, 5, "lonczgrotleft", ""},
        {3, 6, "warunek", "WAR 1"},
        {2, 6, "lonczdownright", ""},
        {2, 7, "przypisz", "s:=s*i"},
        {2, 8, "przypisz", "i:=i+1"},
        {2, 9, "loncztopleft", ""},
        {1, 9, "loncztopright", ""},
        {1, 8, "loncztopdown", ""},
        {1, 7, "loncztopdown", ""},
        {1, 6, "loncztopdown", ""},
        {1, 5, "lonczdownright", ""},
        {2, 5, "lonczleftright", ""},
        {4, 6, "lonczleftdown", ""},
        {4, 7, "napisz", "PISZ(s)"},
        {4, 8, "kompbigend", "STOP"},
        {1, 1, "zmienna", "n"},
        {1, 2, "zmienna", "s"},
        {1, 3, "zmienna", "i"},
        {2, 2, "doprocedury", "Pomocnicza"},
        {2, 3, "zprocedury", "Pomocnicza"},
    };
    const int width = 4 * 180;
    const int height = 9 * 60 + 18 + 50;
    QImage page(width, height, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter p(&page);
    p.setFont(uiFont(12));
    p.setPen(Qt::black);
    for (const auto& cell : cells) {
        const QRect box((cell.column - 1) * 180, (cell.row - 1) * 60, 180, 60);
        p.drawImage(box.topLeft(), store.image(QLatin1String(cell.picture)));
        p.drawText(box, Qt::AlignCenter, QString::fromUtf8(cell.text));
    }
    p.drawText(QPoint(50, 9 * 60 + 30), QStringLiteral("WAR 1: i<=n"));
    return page;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: trevalon_picture_preview FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(folder.path());
    PictureStore store;
    bool ok = boardWindow(store, 8, 9, factorial(), QPoint(3, 4))
                  .save(folder.filePath(QStringLiteral("preview-board.png")));
    ok = mainWindow(store, false).save(folder.filePath(QStringLiteral("preview-main.png"))) && ok;
    ok = mainWindow(store, true).save(folder.filePath(QStringLiteral("preview-main-en.png"))) && ok;
    QImage dialogs(900, 420, QImage::Format_RGB32);
    dialogs.fill(palette::sheetGrey);
    {
        QPainter p(&dialogs);
        p.drawImage(QPoint(10, 10), messageDialog(store, false));
        p.drawImage(QPoint(380, 10), messageDialog(store, true));
        p.drawImage(QPoint(10, 190), executionDialog(store, QStringLiteral("wykonajliczba")));
        p.drawImage(QPoint(290, 190), executionDialog(store, QStringLiteral("wykonajdata")));
        p.drawImage(QPoint(570, 190), executionDialog(store, QStringLiteral("wykonakomentarz")));
    }
    ok = dialogs.save(folder.filePath(QStringLiteral("preview-dialogs.png"))) && ok;
    ok = schemaPage(store).save(folder.filePath(QStringLiteral("preview-schema.png"))) && ok;
    ok = rows(store).save(folder.filePath(QStringLiteral("preview-rows.png"))) && ok;
    return ok ? 0 : 1;
}
