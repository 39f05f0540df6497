#include "ui/widgets/StatusLine.h"

#include <QFontMetrics>
#include <algorithm>

namespace trevalon {

StatusLine::StatusLine(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

void StatusLine::setFullText(const QString& text) {
    m_full = text;
    fit();
}

void StatusLine::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fit();
}

void StatusLine::fit() {
    QString line = m_full;
    line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString shown =
        fontMetrics().elidedText(line, Qt::ElideRight, std::max(0, contentsRect().width()));
    setText(shown);
    setToolTip(shown == m_full ? QString() : m_full);
}

}  // namespace trevalon
