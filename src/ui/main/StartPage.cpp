#include "ui/main/StartPage.h"

#include <QBoxLayout>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScrollArea>
#include <QTextDocument>
#include <QVBoxLayout>

#include "config/TextIds.h"
#include "config/TextTable.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/Palette.h"

namespace trevalon {
namespace {

constexpr int kCardMargin = 22;
constexpr int kColumnGap = 36;
constexpr int kCorner = 10;
constexpr int kColumnMinimum = 240;
constexpr int kScrollBarRoom = 14;
// A long folder keeps its start and its end; the middle gives way.
constexpr int kFolderChars = 48;

// An entry shows as a row that lights up under the mouse, like the items of the menus.
QString entryStyle() {
    return QStringLiteral(
               "QLabel { color: %1; padding: 3px 8px; border-radius: 5px; }"
               "QLabel:hover { background: %2; }")
        .arg(palette::css(palette::ink), palette::css(palette::lavender));
}

// A recent project: its name, and below it, smaller, the folder it is in.
QString twoLineText(const StartPage::Entry& entry) {
    return QStringLiteral("<b>%1</b><br><span style=\"color: %2; font-size: small;\">%3</span>")
        .arg(entry.name.toHtmlEscaped(), palette::css(palette::violetMid),
             entry.detail.toHtmlEscaped());
}

QString entryText(const StartPage::Entry& entry) {
    if (entry.twoLines) {
        return twoLineText(entry);
    }
    const QString detail =
        entry.detail.isEmpty()
            ? QString()
            : QStringLiteral("<td align=\"right\" style=\"color: %1;\">&nbsp;&nbsp;%2</td>")
                  .arg(palette::css(palette::violetMid), entry.detail.toHtmlEscaped());
    return QStringLiteral(
               "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"0\"><tr>"
               "<td><b>%1</b></td>%2</tr></table>")
        .arg(entry.name.toHtmlEscaped(), detail);
}

QString shortened(const QString& text) {
    if (text.size() <= kFolderChars) {
        return text;
    }
    const int half = (kFolderChars - 1) / 2;
    return text.left(half) + QChar(0x2026) + text.right(half);
}

QVBoxLayout* columnLayout(QWidget* column) {
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    return layout;
}

}  // namespace

StartPage::StartPage(QWidget* parent, const TextTable& texts) : QWidget(parent), m_texts(texts) {
    setObjectName(QStringLiteral("StartPage"));
    QWidget* content = buildScrollArea();
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, kScrollBarRoom, 0);
    layout->setSpacing(4);
    m_title = new QLabel(content);
    m_title->setObjectName(QStringLiteral("StartTitle"));
    m_title->setWordWrap(true);
    m_intro = new QLabel(content);
    m_intro->setWordWrap(true);
    m_intro->setStyleSheet(palette::textColour(palette::violetMid));
    layout->addWidget(m_title);
    layout->addWidget(m_intro);
    layout->addSpacing(10);
    m_columns = new QBoxLayout(QBoxLayout::LeftToRight);
    m_columns->setSpacing(kColumnGap);
    m_left = new QWidget(content);
    m_right = new QWidget(content);
    for (QWidget* column : {m_left, m_right}) {
        columnLayout(column);
        // Side by side the columns share the width equally, whatever their entries would ask.
        column->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        column->setMinimumWidth(kColumnMinimum);
        m_columns->addWidget(column, 1, Qt::AlignTop);
    }
    layout->addLayout(m_columns);
    layout->addStretch(1);
}

// On a small or strongly scaled screen the page scrolls rather than losing its entries; the
// scroll bar is drawn in the page's colours.
QWidget* StartPage::buildScrollArea() {
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("StartPageScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setStyleSheet(
        QStringLiteral(
            "QScrollArea, #StartPageContent { background: transparent; }"
            "QScrollBar:vertical { background: %1; width: 10px; margin: 0; border: none; "
            "border-radius: 5px; }"
            "QScrollBar::handle:vertical { background: %2; border-radius: 5px; min-height: 24px; }"
            "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
            "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }")
            .arg(palette::css(palette::lavender), palette::css(palette::violetSoft)));
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("StartPageContent"));
    scroll->setWidget(content);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(kCardMargin, kCardMargin - 6, kCardMargin - 8, kCardMargin - 6);
    outer->addWidget(scroll);
    return content;
}

// Too narrow for two columns side by side, the examples go below the rest.
void StartPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const bool sideBySide = width() >= 2 * (kColumnMinimum + kCardMargin) + kColumnGap;
    m_columns->setDirection(sideBySide ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
}

void StartPage::openFile(const QString& path) {
    if (onOpenFile) {
        onOpenFile(path);
    }
}

ClickLabel* StartPage::entry(const QString& objectName) const {
    return findChild<ClickLabel*>(objectName);
}

void StartPage::clearColumns() {
    for (QWidget* column : {m_left, m_right}) {
        QLayout* layout = column->layout();
        while (QLayoutItem* item = layout->takeAt(0)) {
            if (QWidget* widget = item->widget()) {
                // Later: the click being handled may have come from this very entry. Its name
                // goes at once, so that only the new entries answer to theirs.
                widget->setObjectName(QString());
                widget->hide();
                widget->deleteLater();
            }
            delete item;
        }
    }
}

void StartPage::refresh(const QList<Entry>& actions, const QStringList& recent,
                        const QList<ExampleProject>& examples) {
    clearColumns();
    QFont title = font();
    title.setPointSizeF(title.pointSizeF() * 1.8);
    title.setBold(true);
    m_title->setFont(title);
    m_title->setStyleSheet(palette::textColour(palette::violet));
    m_title->setText(m_texts.text(texts::StartPageWelcome));
    m_intro->setText(m_texts.text(texts::StartPageIntro));

    makeHeading(m_left, m_texts.text(texts::StartPageBegin));
    const char* actionNames[] = {"StartNew", "StartOpen"};
    for (qsizetype i = 0; i < actions.size() && i < 2; ++i) {
        makeEntry(m_left, actions[i], QLatin1String(actionNames[i]));
    }
    static_cast<QVBoxLayout*>(m_left->layout())->addSpacing(14);
    makeHeading(m_left, m_texts.text(texts::StartPageRecent));
    int shown = 0;
    for (const QString& path : recent) {
        if (!QFileInfo(path).isFile()) {
            continue;  // moved or deleted since: nothing to open
        }
        const QFileInfo file(path);
        const Entry item{file.completeBaseName(),
                         shortened(QDir::toNativeSeparators(file.absolutePath())), path,
                         [this, path] { openFile(path); }, true};
        makeEntry(m_left, item, QStringLiteral("StartRecent%1").arg(++shown));
    }
    if (shown == 0) {
        makeNote(m_left, m_texts.text(texts::StartPageNoRecent));
    }

    if (!examples.isEmpty()) {
        makeHeading(m_right, m_texts.text(texts::StartPageExamples));
        for (const ExampleProject& example : examples) {
            const QString path = example.path;
            const Entry item{example.name, QString(), QFileInfo(path).fileName(),
                             [this, path] { openFile(path); }};
            makeEntry(m_right, item,
                      QStringLiteral("StartExample-") + QFileInfo(path).completeBaseName());
        }
        makeNote(m_right, m_texts.text(texts::StartPageExamplesNote));
    }
    m_right->setVisible(!examples.isEmpty());
}

ClickLabel* StartPage::makeEntry(QWidget* column, const Entry& entry, const QString& objectName) {
    auto* label = new ClickLabel(column);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::RichText);
    label->setStyleSheet(entryStyle());
    label->setText(entryText(entry));
    // A tooltip that looks like markup is shown as markup (a file named "<i>x.skb" would be in
    // italics); such a one is written out as a paragraph of escaped text, to show as written.
    label->setToolTip(Qt::mightBeRichText(entry.hint) ? Qt::convertFromPlainText(entry.hint)
                                                      : entry.hint);
    label->onClicked = entry.action;
    column->layout()->addWidget(label);
    label->show();  // a page already on the screen shows new children only when told
    return label;
}

QLabel* StartPage::makeHeading(QWidget* column, const QString& text) {
    auto* label = new QLabel(text, column);
    QFont heading = font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.15);
    label->setFont(heading);
    // A line under the heading, in the frames' violet.
    label->setStyleSheet(
        QStringLiteral("QLabel { color: %1; border-style: solid; border-width: 0 0 2px 0; "
                       "border-color: %2; padding: 2px 8px 4px 8px; margin-bottom: 4px; }")
            .arg(palette::css(palette::violet), palette::css(palette::violetSoft)));
    column->layout()->addWidget(label);
    label->show();
    return label;
}

QLabel* StartPage::makeNote(QWidget* column, const QString& text) {
    auto* label = new QLabel(text, column);
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("color: %1; padding: 6px 8px; font-style: italic;")
                             .arg(palette::css(palette::violetMid)));
    column->layout()->addWidget(label);
    label->show();
    return label;
}

// A light card on the desk, framed in the windows' violet.
void StartPage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF card = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    QColor fill = palette::paper;
    fill.setAlpha(244);
    p.setPen(QPen(palette::violetSoft, 2));
    p.setBrush(fill);
    p.drawRoundedRect(card, kCorner, kCorner);
}

}  // namespace trevalon
