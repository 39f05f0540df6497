#include "ui/builders/TFBudujWyrazenie.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStyledItemDelegate>
#include <QTextBlock>
#include <algorithm>

#include "config/EventLog.h"
#include "config/MessageSink.h"
#include "config/SettingsStore.h"
#include "config/TextIds.h"
#include "exec/BoardCheck.h"
#include "exec/Workspace.h"
#include "ui/app/WindowPlacement.h"
#include "ui/dialogs/DialogParts.h"
#include "ui/main/WindowHost.h"
#include "ui/pictures/PictureLayout.h"
#include "ui/pictures/Pictures.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/DragLabel.h"
#include "ui/widgets/Palette.h"
#include "ui/widgets/TJetButton.h"
#include "ui/widgets/TitleStrip.h"
#include "ui/widgets/WindowTitle.h"

namespace trevalon {
namespace {

constexpr int TitleHeight = ExpressionBuilder::TitleBarHeight;
constexpr int Margin = 14;
constexpr int ColumnWidth = 258;
constexpr int ExpressionTop = 44;
constexpr int ExpressionHeight = 96;
constexpr int ListsTop = 152;
constexpr int ListPitch = 52;
constexpr int KeypadTop = 318;
constexpr int KeyPitch = 36;
constexpr int ButtonBandTop = TFBudujWyrazenie::Height - layout::DialogButtonBandHeight;

struct ListControls {
    const char* list;
    const char* drop;
    const char* insert;
};

constexpr ListControls ListNames[TFBudujWyrazenie::ListCount] = {
    {"CZmienne", "ButListaZmiennych", "ButZmienne"},
    {"COperacje", "ButListaOperacji", "ButOperacje"},
    {"CFunkcje", "ButListaFunMat", "ButFunkcje"},
    {"CLancuch", "ButListaFunLancuch", "ButTekstowe"},
    {"CStale", "ButListaStalych", "ButStale"},
    {"CDaty", "ButListaDaty", "ButDaty"},
};

constexpr const char* KeypadNames[14] = {
    "But0", "But1", "But2", "But3",          "But4",           "But5",     "But6",
    "But7", "But8", "But9", "ButLewyNawias", "ButPrawyNawias", "ButMinus", "ButPrzecinek",
};

// The lists are drawn by the window: every entry dark blue on white, one pixel in from the
// top-left corner of its cell; the entry under the mouse gets a dotted violet frame.
class ListEntryPainter : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        p->save();
        p->fillRect(option.rect, Qt::white);
        if (option.state & (QStyle::State_Selected | QStyle::State_MouseOver)) {
            p->setPen(QPen(palette::violet, 1, Qt::DotLine));
            p->drawRect(option.rect.adjusted(0, 0, -1, -1));
        }
        p->setPen(palette::fieldInk);
        p->setFont(option.font);
        p->drawText(option.rect.adjusted(1, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                    index.data(Qt::DisplayRole).toString());
        p->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QSize size = QStyledItemDelegate::sizeHint(option, index);
        return {size.width(), option.fontMetrics.height() + 3};
    }
};

// Help texts break their lines with CR; a hint shows them as lines.
QString asHint(QString text) {
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
}

}  // namespace

TFBudujWyrazenie::TFBudujWyrazenie(Workspace& workspace, SettingsStore& settings, WindowHost& host,
                                   QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_ws(workspace),
      m_settings(settings),
      m_host(host),
      m_builder(workspace.texts()) {
    setObjectName(QStringLiteral("TFBudujWyrazenie"));
    setModal(true);
    setFixedWidth(Width);
    setMinimumHeight(TitleHeight);
    setMaximumHeight(Height);
    resize(Width, Height);
    setMouseTracking(true);
    buildTitleStrip();
    buildExpression();
    buildLists();
    buildKeypad();
    buildButtons();
    applyTexts();
}

TFBudujWyrazenie::~TFBudujWyrazenie() = default;

void TFBudujWyrazenie::buildTitleStrip() {
    auto* strip = new TitleStrip(*this, {.height = TitleHeight, .titleRight = 46});
    m_title = strip->title();
    m_collapse = strip->addCollapse({TitleStrip::Right, 40}, [this] { toggleCollapsed(); });
    m_close = strip->addMark("LZamknij", "ikozamknij", {TitleStrip::Right, 20},
                             [this] { finish(false); });
    strip->span(Width);
}

void TFBudujWyrazenie::buildExpression() {
    m_expressionLabel = new QLabel(this);
    m_expressionLabel->setObjectName(QStringLiteral("LWyrazeniePoPrawej"));
    m_expressionLabel->setGeometry(Margin, ExpressionTop - 18, Width - 2 * Margin, 16);
    m_expressionLabel->setStyleSheet(palette::textColour(palette::dialogInk) +
                                     QStringLiteral(" font-weight: bold;"));
    m_expression = new QPlainTextEdit(this);
    m_expression->setObjectName(QStringLiteral("Ewyrazenie"));
    m_expression->setGeometry(Margin, ExpressionTop, Width - 2 * Margin, ExpressionHeight);
    m_expression->setUndoRedoEnabled(false);
    m_expression->setAcceptDrops(false);
    m_expression->setContextMenuPolicy(Qt::NoContextMenu);
    m_expression->setTabChangesFocus(true);
    m_expression->setAttribute(Qt::WA_InputMethodEnabled, false);
    m_expression->setStyleSheet(
        QStringLiteral("QPlainTextEdit { %1 }").arg(dialogparts::fieldStyle(palette::violet)));
    QFont font = m_expression->font();
    font.setPointSize(font.pointSize() + 2);
    m_expression->setFont(font);
    m_expression->installEventFilter(this);
    m_expression->viewport()->installEventFilter(this);
    m_expression->viewport()->setMouseTracking(true);
    connect(m_expression, &QPlainTextEdit::cursorPositionChanged, this,
            [this] { syncLogicFromEdit(); });
    connect(m_expression, &QPlainTextEdit::selectionChanged, this, [this] { syncLogicFromEdit(); });
}

void TFBudujWyrazenie::buildLists() {
    const int dropWidth = 18;
    const int insertWidth = 26;
    const int listWidth = ColumnWidth - dropWidth - insertWidth - 4;
    for (int i = 0; i < ListCount; ++i) {
        const auto which = static_cast<BuilderList>(i);
        const auto at = static_cast<std::size_t>(i);
        const int x = Margin + (i % 2) * (Width - 2 * Margin - ColumnWidth);
        const int y = ListsTop + (i / 2) * ListPitch;
        auto* label = new QLabel(this);
        label->setGeometry(x, y, ColumnWidth, 16);
        label->setStyleSheet(palette::textColour(palette::dialogInk));
        m_listLabels[at] = label;

        auto* box = new QComboBox(this);
        box->setObjectName(QLatin1String(ListNames[i].list));
        box->setGeometry(x, y + 18, listWidth, 21);
        box->setItemDelegate(new ListEntryPainter(box));
        box->setMaxVisibleItems(12);
        dialogparts::styleOwnerList(box);
        connect(box, &QComboBox::highlighted, this,
                [this, which](int entry) { entryHovered(which, entry); });
        connect(box, &QComboBox::activated, this,
                [this, which](int entry) { entryChosen(which, entry); });
        m_lists[at] = box;

        m_dropButtons[at] =
            dialogparts::pictureButton(this, ListNames[i].drop, QStringLiteral("butlista"),
                                       QRect(x + listWidth + 2, y + 18, dropWidth, 21));
        m_dropButtons[at]->onHovered = [this, which](int) {
            entryHovered(which, list(which)->currentIndex());
        };
        m_dropButtons[at]->onClicked = [this, which](int) {
            dialogparts::toggleDropDown(list(which));
        };
        m_insertButtons[at] = dialogparts::pictureButton(
            this, ListNames[i].insert, QStringLiteral("butwstaw"),
            QRect(x + listWidth + dropWidth + 4, y + 18, insertWidth, 21));
        m_insertButtons[at]->onClicked = [this, which](int) { insertFromList(which); };
    }
}

void TFBudujWyrazenie::buildKeypad() {
    const QString& captions = ExpressionEditor::keypadCaptions();
    for (int i = 0; i < int(m_keypad.size()); ++i) {
        TJetButton* key = dialogparts::pictureButton(
            this, KeypadNames[i], QStringLiteral("klawisz"),
            QRect(Margin + (i % 7) * KeyPitch, KeypadTop + (i / 7) * 32, 32, 26));
        key->setCaption(captions.at(i));
        key->onClicked = [this, i](int) { pressKeypad(i); };
        m_keypad[static_cast<std::size_t>(i)] = key;
    }
}

void TFBudujWyrazenie::buildButtons() {
    m_check = dialogparts::pictureButton(this, "ButSprawdz", QStringLiteral("przyciskszeroki"),
                                         QRect(Width - Margin - 180, KeypadTop + 16, 180, 26));
    m_check->onClicked = [this](int) { checkFormula(); };
    const int top = ButtonBandTop + (layout::DialogButtonBandHeight - 26) / 2;
    m_enter = new TJetButton(0, this);
    m_enter->setObjectName(QStringLiteral("ButWprowadz"));
    m_enter->setGeometry(Width - Margin - 2 * 88 - 10, top, 88, 26);
    m_enter->onClicked = [this](int) { finish(true); };
    m_cancel = new TJetButton(0, this);
    m_cancel->setObjectName(QStringLiteral("ButAnuluj"));
    m_cancel->setGeometry(Width - Margin - 88, top, 88, 26);
    m_cancel->onClicked = [this](int) { finish(false); };
}

void TFBudujWyrazenie::applyTexts() {
    const TextTable& texts = m_ws.texts();
    m_title->setText(m_builder.title());
    nameWindow(*this, texts, m_builder.title());
    m_expressionLabel->setText(texts.text(texts::ExpressionCaption));
    for (int i = 0; i < ListCount; ++i) {
        m_listLabels[static_cast<std::size_t>(i)]->setText(
            texts.text(texts::ExpressionListVariables + i));
    }
    m_check->setCaption(texts.text(texts::ExpressionCheck));
    const bool english = texts.isEnglish();
    m_enter->setFaces(
        pictures::localized(QStringLiteral("butwprowadz"), QStringLiteral("butenter"), english),
        pictures::localized(QStringLiteral("butwprowadzakt"), QStringLiteral("butenterakt"),
                            english),
        QPixmap());
    m_enter->setToolTip(texts.text(texts::ExpressionEnter));
    m_cancel->setFaces(
        pictures::localized(QStringLiteral("butanuluj"), QStringLiteral("butcancel"), english),
        pictures::localized(QStringLiteral("butanulujakt"), QStringLiteral("butcancelakt"),
                            english),
        QPixmap());
    m_cancel->setToolTip(texts.text(texts::ExpressionCancel));
}

std::optional<QString> TFBudujWyrazenie::compose(int board, const QString& leftVariable,
                                                 const QString& formula,
                                                 const QPoint& propertiesTopLeft) {
    m_builder.show(m_ws.project(), board, leftVariable, formula);
    m_builder.setHintsEnabled(m_settings.values().showHints);
    m_entered = false;
    applyTexts();
    resize(Width, Height);
    placement::moveOnScreen(*this, openingPoint(propertiesTopLeft), *parentWidget());
    fillLists();
    syncEditFromLogic();
    m_expression->setFocus();
    exec();
    m_host.showStatus(QString());
    if (!m_entered) {
        return std::nullopt;
    }
    return m_builder.expression();
}

void TFBudujWyrazenie::fillLists() {
    for (int i = 0; i < ListCount; ++i) {
        const auto which = static_cast<BuilderList>(i);
        QComboBox* box = list(which);
        box->clear();
        box->addItems(m_builder.entries(which));
        box->setCurrentIndex(0);
        box->setToolTip(asHint(m_builder.hint(which, 0)));
    }
}

void TFBudujWyrazenie::insertFromList(BuilderList which) {
    m_builder.insertEntry(which, list(which)->currentIndex());
    syncEditFromLogic();
    showFormulaStatus();
    m_expression->setFocus();
}

void TFBudujWyrazenie::pressKeypad(int i) {
    m_builder.editor().pressKeypad(ExpressionEditor::keypadCaptions().at(i));
    syncEditFromLogic();
    m_expression->setFocus();
}

void TFBudujWyrazenie::checkFormula() {
    const int board = m_builder.board();
    m_builder.check(
        m_ws.variables().calculator(),
        [this, board] { return BoardCheck(m_ws.checkTools()).testValues(board); }, m_ws.messages(),
        m_ws.log());
    m_expression->setFocus();
}

void TFBudujWyrazenie::finish(bool entered) {
    m_entered = entered;
    if (entered) {
        accept();
    } else {
        reject();
    }
}

void TFBudujWyrazenie::toggleCollapsed() {
    const int h = m_builder.toggleCollapsed(height());
    resize(Width, h);
}

void TFBudujWyrazenie::showFormulaStatus() {
    m_host.showStatus(m_builder.statusLine());
}

void TFBudujWyrazenie::entryHovered(BuilderList which, int entry) {
    if (entry >= 0) {
        m_host.showStatus(m_builder.entryStatus(which, entry));
    }
}

void TFBudujWyrazenie::entryChosen(BuilderList which, int entry) {
    list(which)->setToolTip(asHint(m_builder.hint(which, entry)));
    m_expression->setFocus();
}

void TFBudujWyrazenie::syncEditFromLogic() {
    const ExpressionEditor& editor = m_builder.editor();
    m_syncing = true;
    if (m_expression->toPlainText() != editor.text()) {
        m_expression->setPlainText(editor.text());
    }
    const int anchor =
        editor.caret() == editor.selectionStart() ? editor.selectionEnd() : editor.selectionStart();
    QTextCursor cursor(m_expression->document());
    cursor.setPosition(anchor);
    cursor.setPosition(editor.caret(), QTextCursor::KeepAnchor);
    m_expression->setTextCursor(cursor);
    m_syncing = false;
}

void TFBudujWyrazenie::syncLogicFromEdit() {
    if (m_syncing) {
        return;
    }
    ExpressionEditor& editor = m_builder.editor();
    const QString text = m_expression->toPlainText();
    if (text != editor.text()) {
        // Only cutting and the editing keys the text control handles itself get here; the
        // keypad goes on from where the caret is now.
        editor.setText(text);
    }
    const QTextCursor cursor = m_expression->textCursor();
    editor.setSelection(cursor.anchor(), cursor.position());
}

// Every character goes through the builder's filter: what a formula cannot hold is dropped,
// a comma becomes a point. Keys without a character (arrows, Home, Delete, shortcuts) are left
// to the text control; pasting is filtered like typing.
bool TFBudujWyrazenie::filterTyping(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        pasteFiltered();
        return true;
    }
    switch (event->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
            return false;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return true;
        case Qt::Key_Backspace:
            typeCharacters(QString(ExpressionEditor::Backspace));
            return true;
        default:
            break;
    }
    const QString typed = event->text();
    const bool printable =
        std::any_of(typed.begin(), typed.end(), [](QChar c) { return c.isPrint(); });
    if (!printable) {
        return false;
    }
    typeCharacters(typed);
    return true;
}

void TFBudujWyrazenie::typeCharacters(const QString& typed) {
    ExpressionEditor& editor = m_builder.editor();
    bool edited = false;
    for (const QChar c : typed) {
        const std::optional<QChar> key = ExpressionEditor::filterKey(c);
        if (key && editor.typeKey(*key) == ExpressionEditor::KeyResult::Edited) {
            edited = true;
        }
    }
    if (edited) {
        syncEditFromLogic();
    }
}

void TFBudujWyrazenie::pasteFiltered() {
    QString pasted = QGuiApplication::clipboard()->text();
    // Pasting brings characters, never a backspace or a control code.
    pasted.removeIf([](QChar c) { return !c.isPrint(); });
    typeCharacters(pasted);
}

bool TFBudujWyrazenie::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_expression) {
        switch (event->type()) {
            case QEvent::KeyPress:
                return filterTyping(static_cast<QKeyEvent*>(event));
            case QEvent::KeyRelease:
                syncLogicFromEdit();
                m_builder.editor().storeCaret();
                break;
            default:
                break;
        }
    } else if (watched == m_expression->viewport()) {
        switch (event->type()) {
            case QEvent::MouseButtonRelease:
                syncLogicFromEdit();
                m_builder.editor().storeCaret();
                break;
            case QEvent::MouseMove:
            case QEvent::Enter:
                showFormulaStatus();
                break;
            default:
                break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFBudujWyrazenie::mouseMoveEvent(QMouseEvent*) {
    m_host.showStatus(QString());
}

void TFBudujWyrazenie::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        finish(false);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFBudujWyrazenie::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // Collapsed, the frame closes around the title strip alone.
    dialogparts::paintBackground(p, QStringLiteral("budujwyrazenie"), rect());
}

}  // namespace trevalon
