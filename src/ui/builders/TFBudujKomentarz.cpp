#include "ui/builders/TFBudujKomentarz.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>

#include "builders/CommentBuilder.h"
#include "config/TextIds.h"
#include "config/TextTable.h"
#include "model/Project.h"
#include "ui/app/WindowPlacement.h"
#include "ui/dialogs/DialogParts.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/DragLabel.h"
#include "ui/widgets/Palette.h"
#include "ui/widgets/TJetButton.h"
#include "ui/widgets/TitleStrip.h"
#include "ui/widgets/WindowTitle.h"

namespace trevalon {

TFBudujKomentarz::TFBudujKomentarz(const Project& project, const TextTable& texts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_project(project),
      m_texts(texts),
      m_builder(std::make_unique<CommentBuilder>(std::vector<VisibleVariable>{})) {
    setObjectName(QStringLiteral("TFBudujKomentarz"));
    setModal(true);
    resize(Width, Height);
    buildControls();
    buildButtons();
    applyTexts();
}

TFBudujKomentarz::~TFBudujKomentarz() = default;

QLabel* TFBudujKomentarz::caption(const char* name, const QRect& geometry) {
    auto* label = new QLabel(this);
    label->setObjectName(QLatin1String(name));
    label->setStyleSheet(palette::textColour(palette::ink));
    label->setGeometry(geometry);
    return label;
}

void TFBudujKomentarz::buildControls() {
    auto* strip = new TitleStrip(*this, {.titleRight = 26});
    m_title = strip->title();
    m_collapse = strip->addCollapse({TitleStrip::Right, 22}, [this] { toggleCollapsed(); });
    strip->span(Width);

    m_textCaption = caption("LTekstKomentarza", QRect(16, 30, 300, 18));
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("EKomentarz"));
    m_text->setGeometry(16, 50, 428, 24);

    m_insertCaption = caption("LWstawZmienna", QRect(16, 88, 200, 18));
    m_variables = new QComboBox(this);
    m_variables->setObjectName(QStringLiteral("CZmienne"));
    m_variables->setGeometry(16, 108, 190, 21);
    dialogparts::styleOwnerList(m_variables);
    connect(m_variables, &QComboBox::currentIndexChanged, this,
            [this](int index) { variableChosen(index); });

    m_precisionCaption = caption("LDokladnosc", QRect(286, 88, 150, 18));
    m_precision = new QComboBox(this);
    m_precision->setObjectName(QStringLiteral("CDokladnosc"));
    m_precision->setGeometry(286, 108, 136, 21);
    dialogparts::styleOwnerList(m_precision);
    // Choosing a precision sends the user back to the text.
    connect(m_precision, &QComboBox::activated, this, [this] { m_text->setFocus(); });

    m_lineBreakCaption = caption("LWstawZnakEndWiersza", QRect(16, 146, 240, 18));
    m_previewCaption = caption("LTekstPodglond", QRect(16, 184, 200, 18));
    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("LPodglond"));
    m_preview->setGeometry(16, 204, 428, 80);
    m_preview->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_preview->setWordWrap(true);
    m_preview->setTextFormat(Qt::PlainText);
    m_preview->setStyleSheet(dialogparts::fieldStyle() + QStringLiteral(" padding: 3px;"));
}

void TFBudujKomentarz::buildButtons() {
    using dialogparts::pictureButton;
    m_variablesArrow =
        pictureButton(this, "ButStrzlkaListy", QStringLiteral("butlista"), QRect(206, 108, 18, 21));
    m_variablesArrow->onClicked = [this](int) { dialogparts::toggleDropDown(m_variables); };
    m_insertVariable =
        pictureButton(this, "ButInsertVar", QStringLiteral("butwstaw"), QRect(230, 108, 26, 21));
    m_insertVariable->onClicked = [this](int) {
        insertAtCaret(
            m_builder->reference(m_variables->currentIndex(), m_precision->currentIndex()));
    };
    m_precisionArrow =
        pictureButton(this, "ButDokladnosc", QStringLiteral("butlista"), QRect(422, 108, 18, 21));
    m_precisionArrow->onClicked = [this](int) { dialogparts::toggleDropDown(m_precision); };
    m_insertLineBreak = pictureButton(this, "ButInsertEndWiersz", QStringLiteral("butwstaw"),
                                      QRect(260, 144, 26, 21));
    m_insertLineBreak->onClicked = [this](int) { insertAtCaret(CommentBuilder::lineBreak()); };

    m_previewButton = pictureButton(this, "ButPodglond", QStringLiteral("przyciskszeroki"),
                                    QRect(264, 176, 180, 26));
    m_previewButton->onClicked = [this](int) { showPreview(); };
    m_enter = pictureButton(this, "ButWprowadz", QStringLiteral("przyciskszeroki"),
                            QRect(130, Height - 35, 180, 26));
    m_enter->onClicked = [this](int) { accept(); };
    m_cancel = pictureButton(this, "ButAnuluj", QStringLiteral("przycisk"),
                             QRect(324, Height - 35, 120, 26));
    m_cancel->onClicked = [this](int) { reject(); };
}

void TFBudujKomentarz::applyTexts() {
    const TextTable& texts = m_texts;
    m_title->setText(QStringLiteral("  ") + texts.text(texts::CommentBuilderTitle));
    nameWindow(*this, texts, texts.text(texts::CommentBuilderTitle));
    m_textCaption->setText(texts.text(texts::CommentTextCaption));
    m_insertCaption->setText(texts.text(texts::CommentInsertVariable));
    m_precisionCaption->setText(texts.text(texts::PropertyPrecision) + QLatin1Char(':'));
    m_lineBreakCaption->setText(texts.text(texts::CommentInsertLineBreak));
    m_previewCaption->setText(texts.text(texts::CommentPreviewCaption));
    m_previewButton->setCaption(texts.text(texts::CommentPreviewButton));
    m_enter->setCaption(texts.text(texts::CommentEnter));
    m_cancel->setCaption(texts.text(texts::CommentCancel));
}

void TFBudujKomentarz::fillLists() {
    const TextTable& texts = m_texts;
    {
        const QSignalBlocker block(m_variables);
        m_variables->clear();
        m_variables->addItems(m_builder->variableItems(texts));
        m_variables->setCurrentIndex(0);
    }
    m_precision->clear();
    m_precision->addItems(CommentBuilder::precisionItems(texts));
    variableChosen(0);
}

// The precision follows the chosen variable: a real is rounded, anything else is not; the
// list's hint says what type the variable is.
void TFBudujKomentarz::variableChosen(int index) {
    const CommentBuilder::Precision precision = m_builder->precisionFor(index);
    m_precision->setCurrentIndex(precision.index);
    m_precision->setEnabled(precision.enabled);
    m_precisionArrow->setEnabled(precision.enabled);
    const int hint = m_builder->typeHintText(index);
    m_variables->setToolTip(hint > 0 ? m_texts.text(hint) : QString());
}

void TFBudujKomentarz::insertAtCaret(const QString& text) {
    if (!text.isEmpty()) {
        // Inserting replaces the selection, as typing does.
        m_text->insert(text);
    }
    m_text->setFocus();
}

void TFBudujKomentarz::showPreview() {
    m_previewText = m_builder->preview(m_text->text());
    QString shown = m_previewText;
    shown.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    m_preview->setText(shown);
}

std::optional<QString> TFBudujKomentarz::build(const QString& text, int board,
                                               const QPoint& propertiesTopLeft) {
    m_builder = std::make_unique<CommentBuilder>(visibleVariables(m_project, board));
    m_collapsed = false;
    resize(Width, Height);
    placement::moveOnScreen(*this, propertiesTopLeft + Offset, *parentWidget());
    applyTexts();
    fillLists();
    m_previewText.clear();
    m_preview->clear();
    m_text->setMaxLength(std::max(TextLimit, static_cast<int>(text.size())));
    m_text->setText(text);
    if (exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return m_text->text();
}

// A dialog being shown tells its focused control that the focus came by Tab, which selects
// the whole text; the builder starts with the caret at the beginning instead, once shown.
void TFBudujKomentarz::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_text->setFocus(Qt::OtherFocusReason);
    QTimer::singleShot(0, this, [this] {
        m_text->deselect();
        m_text->setCursorPosition(0);
    });
}

void TFBudujKomentarz::toggleCollapsed() {
    m_collapsed = !m_collapsed;
    resize(Width, m_collapsed ? TitleStrip::Height : Height);
}

void TFBudujKomentarz::paintEvent(QPaintEvent*) {
    QPainter p(this);
    dialogparts::paintBackground(p, QStringLiteral("budujkomentarz"), QRect(0, 0, Width, Height));
}

// Enter in the text would close the dialog as its default button; the text takes line
// breaks only as "&", so Enter does nothing and Escape cancels.
void TFBudujKomentarz::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace trevalon
