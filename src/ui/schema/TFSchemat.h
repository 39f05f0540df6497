#pragma once

#include <QDialog>
#include <QImage>
#include <QSize>
#include <functional>

#include "ui/schema/SchemaPage.h"

class QLabel;
class QScrollArea;

namespace trevalon {

class ClickLabel;
class DragLabel;
class EventLog;
class MessageSink;
class Project;
class SettingsStore;
class ResizeGrip;
class TJetButton;
class TextTable;
class TitleStrip;
class WindowHost;

// The schema overview: the active board drawn as a classic flowchart on a white page in a
// scroll box, with the page's copy to the clipboard and to a PNG file. Modal; it can be
// maximised and resized with its grip, never below 400 x 450 nor beyond the page's own size.
// `project`, `texts`, `log`, `messages`, `settings` and `host` must outlive the window.
class TFSchemat : public QDialog {
public:
    static constexpr QSize MinimumSize{400, 450};
    static constexpr QSize OpeningMaximum{700, 600};
    // The page sits inside the window with these margins (width, height) around it.
    static constexpr QSize PageMargin{100, 150};
    static constexpr QSize BoxMargin{72, 112};
    static constexpr QPoint Offset{150, 60};

    TFSchemat(const Project& project, const TextTable& texts, EventLog& log, MessageSink& messages,
              SettingsStore& settings, WindowHost& host, QWidget* parent);
    ~TFSchemat() override;

    // Draws the active board and shows the window modally until it is closed.
    void showSchema();
    // Draws the active board and lays the window out for it, without showing it (`showSchema`
    // does this first; tests look at the result).
    void prepare();
    void applyTexts();

    // The window size on opening for a page of `page` pixels.
    static QSize openingSize(const QSize& page);
    // What the grip makes of a dragged size: kept between the minimum and `largest`.
    static QSize gripSize(const QSize& dragged, const QSize& largest);

    // Puts the page on the clipboard.
    void copyPage();
    // Writes the page to `path` as PNG; false (and a message) when it cannot be written.
    bool savePage(const QString& path);

    const SchemaPicture& picture() const { return m_picture; }
    // The page's zoom in percent (zoom::kSteps), kept from one opening to the next; Ctrl and
    // the wheel, Ctrl++, Ctrl+- and Ctrl+0 change it. Copy and save keep the 100 % page.
    int zoom() const { return m_zoom; }
    void zoomBy(int direction);
    QSize largestSize() const { return m_largest; }
    bool maximisedView() const { return m_maximised; }

    QScrollArea* box() const { return m_box; }
    QLabel* pageLabel() const { return m_page; }
    DragLabel* titleLabel() const { return m_title; }
    ClickLabel* maximiseLabel() const { return m_maximise; }
    ClickLabel* restoreLabel() const { return m_restore; }
    ClickLabel* closeLabel() const { return m_closeMark; }
    QLabel* gripLabel() const;
    TJetButton* copyButton() const { return m_copy; }
    TJetButton* saveButton() const { return m_save; }
    TJetButton* closeButton() const { return m_close; }

    // Where "Zapisz jako PNG" writes; asks the user with a file dialog unless replaced (tests).
    std::function<QString()> askSavePath;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Shows the page at the zoom, drawn for the screen's pixels.
    void showPage();
    QImage zoomedPage(const QSize& size, qreal scale) const;
    void buildControls();
    void layoutControls();
    void setMaximisedView(bool maximised);
    void closeSchema();
    void saveFromButton();
    void logDrawing() const;
    QString chooseSavePath();

    const Project& m_project;
    const TextTable& m_texts;
    EventLog& m_log;
    MessageSink& m_messages;
    SettingsStore& m_settings;
    WindowHost& m_host;
    SchemaPicture m_picture;
    QSize m_largest;
    qreal m_shownRatio = 1.0;  // the device pixel ratio the page was last made for
    bool m_maximised = false;
    int m_zoom = 100;
    int m_wheelRest = 0;
    QRect m_normalGeometry;

    TitleStrip* m_strip = nullptr;
    DragLabel* m_title = nullptr;
    ClickLabel* m_maximise = nullptr;
    ClickLabel* m_restore = nullptr;
    ClickLabel* m_closeMark = nullptr;
    QScrollArea* m_box = nullptr;
    QLabel* m_page = nullptr;
    ResizeGrip* m_grip = nullptr;
    TJetButton* m_copy = nullptr;
    TJetButton* m_save = nullptr;
    TJetButton* m_close = nullptr;
};

}  // namespace trevalon
