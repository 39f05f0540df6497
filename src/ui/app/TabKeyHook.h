#pragma once

#include <QObject>
#include <functional>

namespace trevalon {

// Application-wide filter that swallows the Tab key before any control sees it and hands it
// to the message dialog, which walks its picture buttons with it. Because it sees every key
// of the application, Tab moves the focus in no window of the program.
class TabKeyHook : public QObject {
public:
    explicit TabKeyHook(std::function<void()> onTab, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_onTab;
};

}  // namespace trevalon
