#pragma once

#include <QList>
#include <QStringList>
#include <QWidget>
#include <functional>

#include "ui/main/ExampleProjects.h"

class QBoxLayout;
class QLabel;
class QVBoxLayout;

namespace trevalon {

class ClickLabel;
class TextTable;

// What the main window shows where the boards would float while no project is open: a new
// project and the open dialog with their keys, the recent projects, and the examples. It only
// reports a choice; the main window's commands act on it.
class StartPage : public QWidget {
public:
    // One entry of the page: what it shows and what a click on it does.
    struct Entry {
        QString name;
        QString detail;  // a key or a folder, shown dimmer; may be empty
        QString hint;    // the tooltip, e.g. the full path
        std::function<void()> action;
        bool twoLines = false;  // the detail goes below the name rather than to its right
    };

    // `texts` must outlive the page.
    StartPage(QWidget* parent, const TextTable& texts);

    // Builds the page again in the current language. `actions` are the two first entries (new,
    // open); `recent` the projects opened last, of which those whose file is gone are left
    // out; `examples` the examples to offer.
    void refresh(const QList<Entry>& actions, const QStringList& recent,
                 const QList<ExampleProject>& examples);

    // Set by the main window: opening one of the listed files.
    std::function<void(const QString& path)> onOpenFile;

    // The entries' labels as the page made them, by object name (StartNew, StartOpen,
    // StartRecent1..., StartExample-<file>): for the tests.
    ClickLabel* entry(const QString& objectName) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* buildScrollArea();
    ClickLabel* makeEntry(QWidget* column, const Entry& entry, const QString& objectName);
    QLabel* makeHeading(QWidget* column, const QString& text);
    QLabel* makeNote(QWidget* column, const QString& text);
    void clearColumns();
    void openFile(const QString& path);

    const TextTable& m_texts;
    QLabel* m_title = nullptr;
    QLabel* m_intro = nullptr;
    QBoxLayout* m_columns = nullptr;
    QWidget* m_left = nullptr;
    QWidget* m_right = nullptr;
};

}  // namespace trevalon
