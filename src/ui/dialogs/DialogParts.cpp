#include "ui/dialogs/DialogParts.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QPainter>
#include <QWidget>

#include "ui/pictures/Pictures.h"
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
        painter.fillRect(rect, QColor(244, 243, 250));
        painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 20), QColor(72, 68, 112));
    } else {
        painter.drawImage(rect.topLeft(), picture);
    }
    painter.setPen(QColor(72, 68, 112));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

void styleOwnerList(QComboBox* list) {
    list->setStyleSheet(QStringLiteral(
        "QComboBox { background: white; color: rgb(0, 0, 64); border: 1px solid rgb(150, 145, 200);"
        " padding-left: 1px; }"
        "QComboBox::drop-down { width: 0px; border: none; }"
        "QComboBox QAbstractItemView { background: white; color: rgb(0, 0, 64);"
        " selection-background-color: rgb(214, 211, 236); selection-color: rgb(0, 0, 64); }"));
}

void toggleDropDown(QComboBox* list) {
    if (list->view()->isVisible()) {
        list->hidePopup();
    } else if (list->isEnabled()) {
        list->showPopup();
    }
}

}  // namespace trevalon::dialogparts
