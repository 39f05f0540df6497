#pragma once

#include <QLabel>
#include <QString>

namespace trevalon {

// The main window's status line: one line of plain text (it can quote a pupil's formula). A
// text wider than the line ends in "…" and the whole of it shows as the line's tooltip, so
// nothing is cut at the window's edge; a text of several lines shows them on one.
class StatusLine : public QLabel {
public:
    explicit StatusLine(QWidget* parent);

    void setFullText(const QString& text);
    // The text as given, not as shortened to fit.
    const QString& fullText() const { return m_full; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fit();

    QString m_full;
};

}  // namespace trevalon
