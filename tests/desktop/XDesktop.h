#pragma once

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <vector>

// A private X server (Xvfb) on a free display number, with or without a window manager
// (openbox), and what the server itself says about the windows on it. Input reaches the
// windows as a user's would, through xdotool. Nothing here touches the user's own display.
namespace desktop {

// A top-level window as the X server stacks it.
struct XWindow {
    unsigned long id = 0;  // the client window (inside the manager's frame, if any)
    unsigned long transientFor = 0;
    QString role;   // WM_WINDOW_ROLE: the program names each of its windows
    QString title;  // _NET_WM_NAME or WM_NAME
    QRect rect;     // the client's area in root coordinates
    bool viewable = false;
    bool popup = false;  // override-redirect: menus, tooltips, completion lists
};

class XDesktop {
public:
    // Starts the server with one screen of `screen` pixels; an empty result, with `error` set,
    // when it could not be started.
    static std::unique_ptr<XDesktop> start(QSize screen, bool windowManager, QString* error);
    ~XDesktop();
    XDesktop(const XDesktop&) = delete;
    XDesktop& operator=(const XDesktop&) = delete;

    QString displayName() const { return m_displayName; }
    QSize screenSize() const { return m_screen; }
    bool hasWindowManager() const { return m_windowManager != nullptr; }

    // Every top-level window, bottom of the stack first.
    std::vector<XWindow> stacking() const;
    // The viewable window with this role, or nothing.
    std::optional<XWindow> find(const QString& role) const;
    // Where `role` stands in the stack of viewable windows (higher is nearer the user); -1 when
    // it is not viewable.
    int stackIndex(const QString& role) const;
    // How much of `role`'s area no viewable window above it covers, from 0 to 1.
    double uncoveredShare(const QString& role) const;
    // The window that has the keyboard focus, by its role (empty when none of ours).
    QString focusedRole() const;
    // The same window by its id; 0 when none of ours has the focus.
    unsigned long focusedWindow() const;

    // The whole screen as the X server holds it.
    QImage screenshot() const;

    // Asks the window manager to close `window`, as its close button or Alt+F4 does
    // (_NET_CLOSE_WINDOW); the manager then asks the program (WM_DELETE_WINDOW).
    bool closeByWindowManager(unsigned long window) const;

    // Runs xdotool with these arguments on this display; true when it succeeded.
    bool xdotool(const QStringList& arguments) const;
    // Presses each of the blank-separated keys in turn ("alt+p Down Return").
    bool key(const QString& keys) const;
    bool click(QPoint at, int button = 1) const;
    bool doubleClick(QPoint at) const;
    bool drag(QPoint from, QPoint to) const;

    // Environment for a program that should appear on this display.
    QProcessEnvironment environment() const;

private:
    XDesktop() = default;
    bool launch(QSize screen, bool windowManager, QString* error);

    QString m_displayName;
    QSize m_screen;
    std::unique_ptr<QProcess> m_server;
    std::unique_ptr<QProcess> m_windowManager;
    QTemporaryDir m_home;
    void* m_display = nullptr;  // Display*, kept out of the header with Xlib's macros
};

// Polls `condition` every 25 ms until it holds or `millis` pass; true when it held.
bool waitUntil(const std::function<bool()>& condition, int millis = 10000);

}  // namespace desktop
