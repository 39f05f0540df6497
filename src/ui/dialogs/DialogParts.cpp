#include "ui/dialogs/DialogParts.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QPainter>
#include <QTableView>
#include <QWidget>

#include "ui/pictures/Pictures.h"
#include "ui/widgets/Palette.h"
#include "ui/widgets/TJetButton.h"

namespace trevalon::dialogparts {

TJetButton* pictureButton(QWidget* parent, const char* objectName, const QString& face,
                          const QRect& geometry) {
    auto* button = new TJetButton(0, parent);
    button->setObjectName(QLatin1String(objectName));
    const QPixmap up = pictures::pixmap(face);
    const QPixmap over = pictures::pixmap(face + QStringLiteral("akt"));
    button->setFaces(up, over.isNull() ? up : over, up);
    button->setGeometry(geometry);
    return button;
}

void paintBackground(QPainter& painter, const QString& name, const QRect& rect) {
    const QImage picture = pictures::image(name);
    if (picture.isNull()) {
        painter.fillRect(rect, palette::body);
        painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 20), palette::violet);
    } else {
        painter.drawImage(rect.topLeft(), picture);
    }
    painter.setPen(palette::violet);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

QString fieldStyle(const QColor& edge) {
    return QStringLiteral("background: white; color: %1; border: 1px solid %2;")
        .arg(palette::css(palette::fieldInk), palette::css(edge));
}

void styleOwnerList(QComboBox* list) {
    const QString ink = palette::css(palette::fieldInk);
    list->setStyleSheet(QStringLiteral("QComboBox { %1 padding-left: 1px; }"
                                       "QComboBox::drop-down { width: 0px; border: none; }"
                                       "QComboBox QAbstractItemView { background: white; color: %2;"
                                       " selection-background-color: %3; selection-color: %2; }")
                            .arg(fieldStyle(), ink, palette::css(palette::lavender)));
}

void toggleDropDown(QComboBox* list) {
    if (list->view()->isVisible()) {
        list->hidePopup();
    } else if (list->isEnabled()) {
        list->showPopup();
    }
}

void paintLightTiles(QPainter& painter, const QRect& rect) {
    const QImage tile = pictures::image(QStringLiteral("tlojasne"));
    if (tile.isNull()) {
        painter.fillRect(rect, palette::lavenderPale);
    } else {
        painter.drawTiledPixmap(rect, QPixmap::fromImage(tile));
    }
}

void styleTable(QTableView* view) {
    QPalette colours = view->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        colours.setColor(group, QPalette::Base, palette::white);
        colours.setColor(group, QPalette::AlternateBase, palette::paper);
        colours.setColor(group, QPalette::Text, palette::fieldInk);
        colours.setColor(group, QPalette::Highlight, palette::lavender);
        colours.setColor(group, QPalette::HighlightedText, palette::fieldInk);
    }
    view->setPalette(colours);
    view->setAlternatingRowColors(true);
    view->setFrameShape(QFrame::NoFrame);
    view->setGridStyle(Qt::DotLine);
    view->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background: %1; color: %2; font-weight: bold;"
                       " border: none; border-right: 1px solid %3; border-bottom: 1px solid %3;"
                       " padding: 2px 4px; }")
            .arg(palette::css(palette::rowFill), palette::css(palette::ink),
                 palette::css(palette::violetSoft)));
}

}  // namespace trevalon::dialogparts
