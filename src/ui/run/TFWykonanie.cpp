#include "ui/run/TFWykonanie.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include "config/TextTable.h"
#include "exec/ExecutionDialogLogic.h"
#include "model/BlockCatalogue.h"
#include "ui/app/WindowPlacement.h"
#include "ui/main/CommandTable.h"
#include "ui/pictures/PictureLayout.h"
#include "ui/pictures/Pictures.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/DragLabel.h"
#include "ui/widgets/Palette.h"
#include "ui/widgets/TitleStrip.h"

namespace trevalon {
namespace {

constexpr int StripHeight = 22;
constexpr int BodyHeight = 180;
constexpr int MaxInputLength = 32767;

QRect inBody(const QRect& rect) {
    return rect.translated(0, StripHeight);
}

}  // namespace

TFWykonanie::TFWykonanie(const TextTable& texts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_texts(texts) {
    setObjectName(QStringLiteral("TFWykonanie"));
    setModal(true);
    setFixedSize(260, StripHeight + BodyHeight);
    buildControls();
    m_focusTimer.setObjectName(QStringLiteral("TWykonaj"));
    m_focusTimer.setSingleShot(true);
    m_focusTimer.setInterval(FocusDelayMillis);
    connect(&m_focusTimer, &QTimer::timeout, this, [this] { focusInput(); });
}

ClickLabel* TFWykonanie::makeButton(const char* name) {
    auto* button = new ClickLabel(this);
    button->setObjectName(QLatin1String(name));
    button->resize(88, 26);
    return button;
}

void TFWykonanie::buildControls() {
    auto* strip = new TitleStrip(*this, {.height = StripHeight,
                                         .titleLeft = 8,
                                         .titleRight = 8,
                                         .picture = QStringLiteral("wykonajlistwa")});
    strip->span(width());
    m_title = strip->title();
    m_title->setText(QStringLiteral("Wykonanie"));

    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("LKomentarzWykonanie"));
    // The pupil's own text, shown as written: "<h1>" is four characters here.
    m_text->setTextFormat(Qt::PlainText);
    m_text->setGeometry(inBody(layout::ExecutionText));
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setStyleSheet(palette::textColour(palette::dialogInk));

    const auto makeInput = [this](const char* name, const QRect& where, int length) {
        auto* input = new QLineEdit(this);
        input->setObjectName(QLatin1String(name));
        input->setGeometry(inBody(where));
        input->setFrame(false);
        input->setMaxLength(length);
        input->setContextMenuPolicy(Qt::NoContextMenu);
        input->setAcceptDrops(false);
        input->setStyleSheet(QStringLiteral("background: transparent; ") +
                             palette::textColour(palette::dialogInk));
        input->installEventFilter(this);
        return input;
    };
    m_value = makeInput("EWykonanie", layout::ExecutionValue, MaxInputLength);
    m_year = makeInput("EYear", layout::ExecutionYear, 4);
    m_month = makeInput("EMonth", layout::ExecutionMonth, 2);
    m_day = makeInput("EDay", layout::ExecutionDay, 2);
    for (QLineEdit* field : {m_year, m_month, m_day}) {
        field->setAlignment(Qt::AlignCenter);
    }

    m_yes = makeButton("BOkWykonanie");
    m_yes->onClicked = [this] { answer(true); };
    m_no = makeButton("BNoWykonanie");
    m_no->onClicked = [this] { answer(false); };
    m_close = makeButton("BZamknijWykonanie");
    m_close->onClicked = [this] { finish(DialogClose::Closed); };
    m_enter = makeButton("BZapiszWykonanie");
    m_enter->onClicked = [this] { enterValue(); };
    const int buttonTop = StripHeight + layout::ExecutionButtonTop;
    m_yes->move(layout::ExecutionButtonPair[0], buttonTop);
    m_no->move(layout::ExecutionButtonPair[1], buttonTop);
    m_close->move(layout::ExecutionButtonAlone, buttonTop);
    m_enter->move(layout::ExecutionButtonAlone, buttonTop);
}

void TFWykonanie::applyButtonPictures() {
    const bool english = m_texts.language() != QLatin1String("pl");
    m_yes->setPixmap(
        pictures::localized(QStringLiteral("buttak"), QStringLiteral("butyes"), english));
    m_no->setPixmap(
        pictures::localized(QStringLiteral("butnie"), QStringLiteral("butno"), english));
    m_close->setPixmap(
        pictures::localized(QStringLiteral("butzamknij"), QStringLiteral("butclose"), english));
    m_enter->setPixmap(
        pictures::localized(QStringLiteral("butwprowadz"), QStringLiteral("butenter"), english));
}

QString TFWykonanie::titleText() const {
    return m_title->text();
}

QString TFWykonanie::bodyText() const {
    return m_text->text();
}

DialogClose TFWykonanie::showFor(ExecutionDialogLogic& logic) {
    m_logic = &logic;
    m_how = DialogClose::Closed;
    m_title->setText(logic.title());
    QString text = logic.text();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1String("\n\r"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_text->setText(text);
    applyButtonPictures();
    layoutForMode();
    m_focusTimer.start();
    placement::moveOnScreen(*this, parentWidget()->geometry().center() - rect().center(),
                            *parentWidget());
    const placement::ActiveWindowOwner owner(*this);
    exec();
    m_focusTimer.stop();
    m_logic = nullptr;
    return m_how;
}

void TFWykonanie::layoutForMode() {
    const DialogMode mode = m_logic->mode();
    const bool read = mode == DialogMode::Read;
    const bool date = m_logic->readsDate();
    m_backgroundName =
        read ? (date ? QStringLiteral("wykonajdata") : QStringLiteral("wykonajliczba"))
             : QStringLiteral("wykonakomentarz");
    m_yes->setVisible(mode == DialogMode::Question);
    m_no->setVisible(mode == DialogMode::Question);
    m_close->setVisible(mode == DialogMode::Show);
    m_enter->setVisible(read);
    m_value->setVisible(read && !date);
    for (QLineEdit* field : {m_year, m_month, m_day}) {
        field->setVisible(read && date);
        field->clear();
    }
    if (read && !date) {
        m_lengthLimit = ExecutionDialogLogic::maxLength(m_logic->targetType(), m_lengthLimit);
        m_value->setMaxLength(m_lengthLimit > 0 ? m_lengthLimit : MaxInputLength);
    }
    update();
}

void TFWykonanie::focusInput() {
    if (m_logic->mode() != DialogMode::Read) {
        setFocus();
        return;
    }
    if (m_logic->readsDate()) {
        m_year->setFocus();
    } else {
        m_value->clear();
        m_value->setFocus();
    }
}

void TFWykonanie::enterValue() {
    const EntryResult result =
        m_logic->readsDate() ? m_logic->enterDate(m_year->text(), m_month->text(), m_day->text())
                             : m_logic->enterValue(m_value->text());
    if (result == EntryResult::Accepted) {
        finish(DialogClose::Closed);
    }
}

void TFWykonanie::answer(bool yes) {
    m_logic->answer(yes);
    finish(DialogClose::Closed);
}

void TFWykonanie::finish(DialogClose how) {
    m_how = how;
    if (isVisible()) {
        done(QDialog::Accepted);
    }
}

void TFWykonanie::closeFromRun() {
    finish(DialogClose::AbortRequested);
}

void TFWykonanie::keyPressEvent(QKeyEvent* event) {
    event->accept();
    const int kind = m_logic->blockKind();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    // The main window's key for stopping a run works here too.
    if (commandForKey(event->key(), mods, KeySource::Main) == Command::Abort) {
        finish(DialogClose::AbortRequested);
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (kind == KindQuestion) {
            answer(true);
        } else if (kind == KindReadWrite || kind == KindMessage) {
            finish(DialogClose::Closed);
        }
    } else if (event->key() == Qt::Key_Escape && kind == KindQuestion) {
        answer(false);
    }
}

bool TFWykonanie::eventFilter(QObject* watched, QEvent* event) {
    auto* input = qobject_cast<QLineEdit*>(watched);
    if (!input || event->type() != QEvent::KeyPress) {
        return QDialog::eventFilter(watched, event);
    }
    return filterInputKey(input, static_cast<QKeyEvent*>(event));
}

// Answers true when the key was dealt with here (dropped, changed, or a command).
bool TFWykonanie::filterInputKey(QLineEdit* input, QKeyEvent* key) {
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        enterValue();
        return true;
    }
    if (key->matches(QKeySequence::Paste)) {
        pasteFiltered(input);
        return true;
    }
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        return false;
    }
    const QString text = key->text();
    if (text.isEmpty() ||
        (!text.at(0).isPrint() && text.at(0) != ExecutionDialogLogic::Backspace)) {
        return false;
    }
    const QChar typed = text.at(0);
    const std::optional<QChar> accepted =
        input == m_value
            ? ExecutionDialogLogic::filterKey(m_logic->targetType(), input->text(), typed)
            : ExecutionDialogLogic::filterDateKey(typed);
    if (!accepted) {
        return true;
    }
    if (*accepted != typed) {
        input->insert(QString(*accepted));
        return true;
    }
    return false;
}

// Pasted text goes through the same filter, one character at a time, so that nothing reaches
// the Calculator that could not have been typed.
void TFWykonanie::pasteFiltered(QLineEdit* input) {
    const QString pasted = QGuiApplication::clipboard()->text();
    for (const QChar c : pasted) {
        const std::optional<QChar> accepted =
            input == m_value
                ? ExecutionDialogLogic::filterKey(m_logic->targetType(), input->text(), c)
                : ExecutionDialogLogic::filterDateKey(c);
        if (accepted && accepted->isPrint()) {
            input->insert(QString(*accepted));
        }
    }
}

void TFWykonanie::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QImage body = pictures::image(m_backgroundName);
    if (body.isNull()) {
        p.fillRect(0, StripHeight, width(), BodyHeight, palette::lavenderPale);
    } else {
        p.drawImage(0, StripHeight, body);
    }
}

}  // namespace trevalon
