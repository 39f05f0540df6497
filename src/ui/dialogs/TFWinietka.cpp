#include "ui/dialogs/TFWinietka.h"

#include <QKeyEvent>
#include <QPainter>

#include "config/TextTable.h"
#include "ui/app/WindowPlacement.h"
#include "ui/pictures/Pictures.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/Palette.h"

namespace trevalon {

TFWinietka::TFWinietka(const TextTable& texts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_texts(texts) {
    setObjectName(QStringLiteral("TFWinietka"));
    setModal(true);
    const QImage picture = pictures::image(QStringLiteral("winietka"));
    setFixedSize(picture.isNull() ? QSize(440, 300) : picture.size());
    m_close = new ClickLabel(this);
    m_close->setObjectName(QStringLiteral("ButZamknij"));
    m_close->setAlignment(Qt::AlignCenter);
    m_close->setStyleSheet(palette::textColour(palette::dialogInk));
    // Under the title, clear of the picture's flowchart on the right.
    m_close->setGeometry(32, height() - 60, 120, 26);
    m_close->onClicked = [this] { accept(); };
}

void TFWinietka::showModal() {
    m_close->setText(m_texts.text(texts::Close));
    placement::moveOnScreen(*this, parentWidget()->geometry().center() - rect().center(),
                            *parentWidget());
    exec();
}

void TFWinietka::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QImage picture = pictures::image(QStringLiteral("winietka"));
    if (picture.isNull()) {
        p.fillRect(rect(), palette::violet);
    } else {
        p.drawImage(0, 0, picture);
    }
    const QImage face = pictures::image(QStringLiteral("przycisk"));
    if (!face.isNull()) {
        p.drawImage(m_close->geometry().topLeft(), face);
    }
}

void TFWinietka::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        accept();
    }
    event->accept();
}

}  // namespace trevalon
