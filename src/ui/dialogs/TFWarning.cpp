#include "ui/dialogs/TFWarning.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>

#include "config/TextTable.h"
#include "ui/app/TabKeyHook.h"
#include "ui/app/WindowPlacement.h"
#include "ui/pictures/PictureLayout.h"
#include "ui/pictures/Pictures.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/DragLabel.h"
#include "ui/widgets/Palette.h"
#include "ui/widgets/TitleStrip.h"

namespace trevalon {
namespace {

struct ButtonPictures {
    const char* polish;
    const char* english;
};

// Normal pictures by button (Yes, No, Cancel, Close); the focused ones add "akt".
constexpr std::array<ButtonPictures, 4> kButtonPictures{{
    {"buttak", "butyes"},
    {"butnie", "butno"},
    {"butanuluj", "butcancel"},
    {"butzamknij", "butclose"},
}};

constexpr std::array<const char*, 4> kButtonNames{"ImButTak", "ImButNie", "ImButAnuluj",
                                                  "ImButZamknij"};
constexpr std::array<int, 4> kButtonX{63, 156, 248, 190};

QString iconPicture(int icon) {
    switch (icon) {
        case MessageSink::Question:
            return QStringLiteral("ikopytanie");
        case MessageSink::Warning:
            return QStringLiteral("ikouwaga");
        default:
            return QStringLiteral("ikoinfo");
    }
}

}  // namespace

TFWarning::TFWarning(const TextTable& texts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_texts(texts) {
    setObjectName(QStringLiteral("TFWarning"));
    setModal(true);
    setFixedSize(350, 150);
    buildControls();
    m_tabHook = new TabKeyHook(
        [this] {
            if (isVisible()) {
                focusRight();
            }
        },
        this);
    qApp->installEventFilter(m_tabHook);
}

TFWarning::~TFWarning() {
    qApp->removeEventFilter(m_tabHook);
}

void TFWarning::buildControls() {
    m_background = new QLabel(this);
    m_background->setGeometry(0, 0, 350, 150);

    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("ImIkona"));
    m_icon->setGeometry(layout::WarningIcon);

    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("LKomunikat"));
    // Messages quote names, formulas, values and file contents as they are.
    m_text->setTextFormat(Qt::PlainText);
    m_text->setGeometry(layout::WarningText);
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_text->setStyleSheet(palette::textColour(palette::dialogInk));

    // The strip and its close mark are part of the background picture.
    const QRect title = layout::WarningTitle;
    const QRect close = layout::WarningClose;
    auto* strip = new TitleStrip(*this, {.top = title.top(),
                                         .height = title.height(),
                                         .titleLeft = title.left(),
                                         .titleRight = width() - title.right() - 1,
                                         .markTop = close.top() - title.top(),
                                         .titleInk = palette::stripInk});
    m_strip = strip->title();
    m_strip->setText(QStringLiteral("Trevalon"));
    m_closeMark =
        strip->addMark("LClose", nullptr, {TitleStrip::Right, width() - close.left(), close.size()},
                       [this] { finish(m_buttons == YesNoCancel ? ResultCancel : ResultClose); });
    strip->span(width());

    for (int b = ButtonYes; b <= ButtonClose; ++b) {
        auto* label = new ClickLabel(this);
        label->setObjectName(QLatin1String(kButtonNames[static_cast<std::size_t>(b - 1)]));
        label->setGeometry(kButtonX[static_cast<std::size_t>(b - 1)], 116, 88, 26);
        const int result = b == ButtonClose ? ResultClose : b;
        label->onClicked = [this, result] { finish(result); };
        m_buttonLabels[static_cast<std::size_t>(b - 1)] = label;
    }
}

QString TFWarning::messageText() const {
    return m_text->text();
}

int TFWarning::showMessage(int buttons, int icon, const QString& text) {
    if (isVisible()) {
        // Only one dialog exists; a question that cannot be asked is treated as cancelled.
        return ResultCancel;
    }
    m_english = m_texts.language() != QLatin1String("pl");
    m_buttons = buttons == YesNoCancel ? YesNoCancel : Close;
    m_background->setPixmap(pictures::pixmap(QStringLiteral("oknowarning")));
    m_iconShown = icon;
    m_icon->setPixmap(pictures::pixmap(iconPicture(icon)));
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_text->setText(shown);

    button(ButtonYes)->setVisible(m_buttons == YesNoCancel);
    button(ButtonNo)->setVisible(m_buttons == YesNoCancel);
    button(ButtonCancel)->setVisible(m_buttons == YesNoCancel);
    button(ButtonClose)->setVisible(m_buttons == Close);
    setFocusedButton(m_buttons == YesNoCancel ? ButtonYes : ButtonClose);
    m_result = ResultNo;

    if (const QScreen* s = screen()) {
        move(s->availableGeometry().center() - rect().center());
    }
    const placement::ActiveWindowOwner owner(*this);
    exec();
    return m_result;
}

void TFWarning::beep() {
    QApplication::beep();
}

void TFWarning::setFocusedButton(int focused) {
    m_focused = focused;
    showButtonPictures();
}

void TFWarning::showButtonPictures() {
    for (int b = ButtonYes; b <= ButtonClose; ++b) {
        const ButtonPictures& names = kButtonPictures[static_cast<std::size_t>(b - 1)];
        QString name = QLatin1String(m_english ? names.english : names.polish);
        if (b == m_focused) {
            name += QLatin1String("akt");
        }
        button(b)->setPixmap(pictures::pixmap(name));
    }
}

void TFWarning::focusRight() {
    if (m_buttons == YesNoCancel) {
        setFocusedButton(m_focused == ButtonCancel ? ButtonYes : m_focused + 1);
    }
}

void TFWarning::focusLeft() {
    if (m_buttons == YesNoCancel) {
        setFocusedButton(m_focused == ButtonYes ? ButtonCancel : m_focused - 1);
    }
}

// The answer a letter gives, or -1 when its button is not shown (or it is no button's letter).
int TFWarning::letterResult(int key) const {
    const bool question = m_buttons == YesNoCancel;
    if (m_english) {
        switch (key) {
            case Qt::Key_Y:
                return question ? ResultYes : -1;
            case Qt::Key_N:
                return question ? ResultNo : -1;
            case Qt::Key_C:
                return question ? ResultCancel : ResultClose;
            default:
                return -1;
        }
    }
    switch (key) {
        case Qt::Key_T:
            return question ? ResultYes : -1;
        case Qt::Key_N:
            return question ? ResultNo : -1;
        case Qt::Key_A:
            return question ? ResultCancel : -1;
        case Qt::Key_Z:
            return question ? -1 : ResultClose;
        default:
            return -1;
    }
}

void TFWarning::keyPressEvent(QKeyEvent* event) {
    // Every key is consumed here: nothing typed reaches another window while a message shows.
    event->accept();
    switch (event->key()) {
        case Qt::Key_Escape:
            if (m_buttons == Close) {
                finish(ResultClose);
            }
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            finish(m_focused == ButtonClose ? ResultClose : m_focused);
            return;
        case Qt::Key_Right:
            focusRight();
            return;
        case Qt::Key_Left:
            focusLeft();
            return;
        default:
            if (const int result = letterResult(event->key()); result >= 0) {
                finish(result);
            }
            return;
    }
}

void TFWarning::reject() {
    // Closed without a button (by the window system): the answer stays No.
    QDialog::reject();
}

void TFWarning::finish(int result) {
    m_result = result;
    done(QDialog::Accepted);
}

}  // namespace trevalon
