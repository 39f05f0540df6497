#include "ui/dialogs/TFZdarzenia.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>

#include "config/EventLogFiles.h"
#include "config/MessageSink.h"
#include "config/TextIds.h"
#include "config/TextTable.h"
#include "ui/app/WindowPlacement.h"
#include "ui/dialogs/DialogParts.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/DragLabel.h"
#include "ui/widgets/Palette.h"
#include "ui/widgets/TJetButton.h"
#include "ui/widgets/TitleStrip.h"
#include "ui/widgets/WindowTitle.h"

namespace trevalon {

TFZdarzenia::TFZdarzenia(const TextTable& texts, MessageSink& messages, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_texts(texts), m_messages(messages) {
    setObjectName(QStringLiteral("TFZdarzenia"));
    setModal(true);
    setFixedSize(Width, Height);
    buildControls();
    applyTexts();
}

TFZdarzenia::~TFZdarzenia() = default;

void TFZdarzenia::buildControls() {
    auto* strip = new TitleStrip(*this, {.titleRight = 26});
    m_title = strip->title();
    m_closeMark =
        strip->addMark("LClose", "ikozamknij", {TitleStrip::Right, 22}, [this] { accept(); });
    strip->span(Width);

    m_historyCaption = new QLabel(this);
    m_historyCaption->setObjectName(QStringLiteral("LWpisy"));
    m_historyCaption->setStyleSheet(palette::textColour(palette::ink));
    m_historyCaption->setGeometry(16, 30, 300, 18);
    m_files = new QComboBox(this);
    m_files->setObjectName(QStringLiteral("CListaPlikow"));
    m_files->setToolTip(QStringLiteral("Lista plików"));
    m_files->setGeometry(16, 50, 300, 21);
    dialogparts::styleOwnerList(m_files);
    connect(m_files, &QComboBox::activated, this, [this](int index) { fileChosen(index); });
    m_filesArrow = dialogparts::pictureButton(this, "ButListaPlikow", QStringLiteral("butlista"),
                                              QRect(316, 50, 18, 21));
    m_filesArrow->onClicked = [this](int) { dialogparts::toggleDropDown(m_files); };

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("MText"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setStyleSheet(QStringLiteral("QPlainTextEdit { %1 }").arg(dialogparts::fieldStyle()));
    m_text->setGeometry(16, 80, Width - 32, 300);

    m_clear = dialogparts::pictureButton(this, "ButClear", QStringLiteral("przyciskszeroki"),
                                         QRect(16, Height - 35, 180, 26));
    m_clear->onClicked = [this](int) { clearOthers(); };
    m_close = dialogparts::pictureButton(this, "ButClose", QStringLiteral("przycisk"),
                                         QRect(Width - 136, Height - 35, 120, 26));
    m_close->onClicked = [this](int) { accept(); };
}

void TFZdarzenia::applyTexts() {
    const TextTable& texts = m_texts;
    m_title->setText(QStringLiteral("  ") + texts.text(texts::EventLogTitle));
    nameWindow(*this, texts, texts.text(texts::EventLogTitle));
    m_closeMark->setToolTip(texts.text(texts::Close));
    m_historyCaption->setText(texts.text(texts::EventLogHistory));
    m_clear->setCaption(texts.text(texts::EventLogClear));
    m_close->setCaption(texts.text(texts::Close));
}

bool TFZdarzenia::showLog(const QString& folder, const QPoint& mainCorner) {
    m_logFiles = std::make_unique<EventLogFiles>(folder);
    if (!m_logFiles->open(m_messages, m_texts)) {
        return false;
    }
    applyTexts();
    fillList();
    placement::moveOnScreen(*this, mainCorner + Offset, *parentWidget());
    exec();
    return true;
}

void TFZdarzenia::fillList() {
    const QSignalBlocker block(m_files);
    m_files->clear();
    m_files->addItems(m_logFiles->names());
    m_files->setCurrentIndex(static_cast<int>(m_logFiles->names().indexOf(m_logFiles->selected())));
    m_text->setPlainText(m_logFiles->text());
}

// A file that cannot be read is reported and the list goes back to the file still shown.
void TFZdarzenia::fileChosen(int index) {
    if (index < 0) {
        return;
    }
    m_logFiles->select(m_files->itemText(index), m_messages, m_texts);
    fillList();
}

void TFZdarzenia::clearOthers() {
    if (m_logFiles->clearOthers(m_messages, m_texts)) {
        fillList();
    }
}

void TFZdarzenia::paintEvent(QPaintEvent*) {
    QPainter p(this);
    dialogparts::paintBackground(p, QStringLiteral("zdarzenia"), QRect(0, 0, Width, Height));
}

}  // namespace trevalon
