#pragma once

// Lets GoogleTest print Qt strings as text in failure messages. Included into every test.
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '[';
    for (qsizetype i = 0; i < list.size(); ++i) {
        *os << (i ? ", " : "") << '"' << list[i].toStdString() << '"';
    }
    *os << ']';
}

inline std::ostream& operator<<(std::ostream& os, const QPoint& point) {
    return os << '(' << point.x() << ", " << point.y() << ')';
}

inline std::ostream& operator<<(std::ostream& os, const QRect& rect) {
    return os << rect.width() << 'x' << rect.height() << '+' << rect.x() << '+' << rect.y();
}

inline void PrintTo(const QPoint& point, std::ostream* os) {
    *os << point;
}

inline void PrintTo(const QRect& rect, std::ostream* os) {
    *os << rect;
}
