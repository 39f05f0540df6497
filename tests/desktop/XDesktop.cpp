#include "XDesktop.h"

#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegion>
#include <QSysInfo>
#include <QThread>
#include <cstring>

// Xlib last: its macros (None, Bool, Status...) would clash with Qt's and GoogleTest's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace desktop {
namespace {

Display* dpy(void* display) {
    return static_cast<Display*>(display);
}

// Windows come and go while they are looked at; a vanished one is simply skipped.
int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

QString textProperty(Display* display, Window window, const char* name, const char* type) {
    const Atom property = XInternAtom(display, name, False);
    const Atom wanted = type ? XInternAtom(display, type, False) : AnyPropertyType;
    Atom actual = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 4096, False, wanted, &actual, &format,
                           &count, &after, &data) != Success ||
        !data) {
        return {};
    }
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(count));
    XFree(data);
    return text;
}

bool hasProperty(Display* display, Window window, const char* name) {
    int count = 0;
    Atom* atoms = XListProperties(display, window, &count);
    const Atom wanted = XInternAtom(display, name, False);
    bool found = false;
    for (int i = 0; i < count; ++i) {
        found = found || atoms[i] == wanted;
    }
    if (atoms) {
        XFree(atoms);
    }
    return found;
}

std::vector<Window> children(Display* display, Window window) {
    Window root = 0;
    Window parent = 0;
    Window* list = nullptr;
    unsigned int count = 0;
    std::vector<Window> result;
    if (XQueryTree(display, window, &root, &parent, &list, &count) && list) {
        result.assign(list, list + count);
        XFree(list);
    }
    return result;
}

// The program's window inside a window manager's frame: the one that names its role or that the
// manager marked with WM_STATE.
Window clientOf(Display* display, Window top, int depth = 0) {
    if (hasProperty(display, top, "WM_WINDOW_ROLE") || hasProperty(display, top, "WM_STATE")) {
        return top;
    }
    if (depth < 3) {
        for (Window child : children(display, top)) {
            if (const Window found = clientOf(display, child, depth + 1)) {
                return found;
            }
        }
    }
    return 0;
}

}  // namespace

bool waitUntil(const std::function<bool()>& condition, int millis) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > millis) {
            return false;
        }
        QThread::msleep(25);
    }
    return true;
}

std::unique_ptr<XDesktop> XDesktop::start(QSize screen, bool windowManager, QString* error) {
    std::unique_ptr<XDesktop> desktop(new XDesktop);
    if (!desktop->launch(screen, windowManager, error)) {
        return nullptr;
    }
    return desktop;
}

bool XDesktop::launch(QSize screen, bool windowManager, QString* error) {
    XSetErrorHandler(ignoreErrors);
    m_screen = screen;
    // Display numbers from a spread start, so that test processes running side by side rarely
    // try the same one; a taken number makes Xvfb stop at once and the next is tried.
    const int first = 60 + static_cast<int>(getpid() % 400);
    for (int n = first; n < first + 40 && !m_display; ++n) {
        if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n))) {
            continue;
        }
        const QString name = QStringLiteral(":%1").arg(n);
        auto server = std::make_unique<QProcess>();
        server->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        server->setStandardOutputFile(QProcess::nullDevice());
        server->start(
            QStringLiteral("Xvfb"),
            {name, QStringLiteral("-screen"), QStringLiteral("0"),
             QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
             QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset")});
        if (!server->waitForStarted(5000)) {
            *error = QStringLiteral("Xvfb could not be started: ") + server->errorString();
            return false;
        }
        const QByteArray address = name.toLatin1();
        waitUntil([&] {
            if (server->state() != QProcess::Running) {
                return true;
            }
            m_display = XOpenDisplay(address.constData());
            return m_display != nullptr;
        });
        if (m_display) {
            m_displayName = name;
            m_server = std::move(server);
        } else {
            server->kill();
            server->waitForFinished();
        }
    }
    if (!m_display) {
        *error = QStringLiteral("no free display for Xvfb");
        return false;
    }
    if (windowManager) {
        m_windowManager = std::make_unique<QProcess>();
        QProcessEnvironment env = environment();
        m_windowManager->setProcessEnvironment(env);
        m_windowManager->setStandardOutputFile(QProcess::nullDevice());
        m_windowManager->setStandardErrorFile(QProcess::nullDevice());
        m_windowManager->start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        Display* display = dpy(m_display);
        const Window root = DefaultRootWindow(display);
        if (!m_windowManager->waitForStarted(5000) ||
            !waitUntil([&] { return hasProperty(display, root, "_NET_SUPPORTING_WM_CHECK"); })) {
            *error = QStringLiteral("openbox did not start");
            return false;
        }
    }
    return true;
}

XDesktop::~XDesktop() {
    if (m_display) {
        XCloseDisplay(dpy(m_display));
    }
    for (QProcess* process : {m_windowManager.get(), m_server.get()}) {
        if (process) {
            process->terminate();
            if (!process->waitForFinished(3000)) {
                process->kill();
                process->waitForFinished();
            }
        }
    }
}

QProcessEnvironment XDesktop::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_displayName);
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("HOME"), m_home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.path() + QStringLiteral("/.config"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.path());
    return env;
}

std::vector<XWindow> XDesktop::stacking() const {
    Display* display = dpy(m_display);
    XSync(display, False);
    std::vector<XWindow> result;
    for (Window top : children(display, DefaultRootWindow(display))) {
        XWindowAttributes frame{};
        if (!XGetWindowAttributes(display, top, &frame)) {
            continue;
        }
        XWindow window;
        window.popup = frame.override_redirect;
        window.id = window.popup ? top : clientOf(display, top);
        if (!window.id) {
            continue;
        }
        XWindowAttributes client{};
        if (!XGetWindowAttributes(display, window.id, &client)) {
            continue;
        }
        window.viewable = frame.map_state == IsViewable && client.map_state == IsViewable;
        int x = 0;
        int y = 0;
        Window unused = 0;
        XTranslateCoordinates(display, window.id, DefaultRootWindow(display), 0, 0, &x, &y,
                              &unused);
        window.rect = QRect(x, y, client.width, client.height);
        window.role = textProperty(display, window.id, "WM_WINDOW_ROLE", nullptr);
        window.title = textProperty(display, window.id, "_NET_WM_NAME", "UTF8_STRING");
        if (window.title.isEmpty()) {
            window.title = textProperty(display, window.id, "WM_NAME", nullptr);
        }
        Window transient = 0;
        if (XGetTransientForHint(display, window.id, &transient)) {
            window.transientFor = transient;
        }
        result.push_back(window);
    }
    return result;
}

std::optional<XWindow> XDesktop::find(const QString& role) const {
    for (const XWindow& window : stacking()) {
        if (window.viewable && window.role == role) {
            return window;
        }
    }
    return std::nullopt;
}

int XDesktop::stackIndex(const QString& role) const {
    int index = 0;
    for (const XWindow& window : stacking()) {
        if (!window.viewable) {
            continue;
        }
        if (window.role == role) {
            return index;
        }
        ++index;
    }
    return -1;
}

double XDesktop::uncoveredShare(const QString& role) const {
    const std::vector<XWindow> stack = stacking();
    for (std::size_t i = 0; i < stack.size(); ++i) {
        if (!stack[i].viewable || stack[i].role != role) {
            continue;
        }
        QRegion open(stack[i].rect);
        for (std::size_t j = i + 1; j < stack.size(); ++j) {
            if (stack[j].viewable) {
                open -= QRegion(stack[j].rect);
            }
        }
        double area = 0;
        for (const QRect& part : open) {
            area += double(part.width()) * part.height();
        }
        return area / (double(stack[i].rect.width()) * stack[i].rect.height());
    }
    return 0;
}

QString XDesktop::focusedRole() const {
    const unsigned long window = focusedWindow();
    return window ? textProperty(dpy(m_display), window, "WM_WINDOW_ROLE", nullptr) : QString();
}

unsigned long XDesktop::focusedWindow() const {
    Display* display = dpy(m_display);
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    const Window root = DefaultRootWindow(display);
    while (focus && focus != root && focus != PointerRoot) {
        if (!textProperty(display, focus, "WM_WINDOW_ROLE", nullptr).isEmpty()) {
            return focus;
        }
        Window rootReturn = 0;
        Window parent = 0;
        Window* list = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, focus, &rootReturn, &parent, &list, &count)) {
            break;
        }
        if (list) {
            XFree(list);
        }
        focus = parent;
    }
    return 0;
}

bool XDesktop::closeByWindowManager(unsigned long window) const {
    Display* display = dpy(m_display);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "_NET_CLOSE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = CurrentTime;
    event.xclient.data.l[1] = 2;  // from a pager or a user's tool
    const Status sent = XSendEvent(display, DefaultRootWindow(display), False,
                                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display);
    return sent != 0;
}

QImage XDesktop::screenshot() const {
    Display* display = dpy(m_display);
    XImage* shot = XGetImage(display, DefaultRootWindow(display), 0, 0,
                             static_cast<unsigned>(m_screen.width()),
                             static_cast<unsigned>(m_screen.height()), AllPlanes, ZPixmap);
    if (!shot) {
        return {};
    }
    QImage image(m_screen, QImage::Format_RGB32);
    // Xvfb's 24-bit screens come as 32-bit pixels in the machine's order: whole lines at once
    // (the tests compare screenshots while they wait), pixel by pixel otherwise.
    const bool direct = shot->bits_per_pixel == 32 && shot->byte_order == LSBFirst &&
                        shot->red_mask == 0xff0000 && shot->blue_mask == 0xff &&
                        QSysInfo::ByteOrder == QSysInfo::LittleEndian;
    for (int y = 0; y < m_screen.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        if (direct) {
            std::memcpy(line, shot->data + std::ptrdiff_t(y) * shot->bytes_per_line,
                        std::size_t(m_screen.width()) * 4);
            for (int x = 0; x < m_screen.width(); ++x) {
                line[x] |= 0xff000000u;
            }
            continue;
        }
        for (int x = 0; x < m_screen.width(); ++x) {
            line[x] = static_cast<QRgb>(XGetPixel(shot, x, y)) | 0xff000000u;
        }
    }
    XDestroyImage(shot);
    return image;
}

bool XDesktop::xdotool(const QStringList& arguments) const {
    QProcess tool;
    tool.setProcessEnvironment(environment());
    tool.start(QStringLiteral("xdotool"), arguments);
    return tool.waitForFinished(10000) && tool.exitStatus() == QProcess::NormalExit &&
           tool.exitCode() == 0;
}

bool XDesktop::key(const QString& keys) const {
    return xdotool(
        QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("40")} +
        keys.split(QLatin1Char(' '), Qt::SkipEmptyParts));
}

// Without xdotool's --sync, which waits for the pointer to move: forever when it is already
// where it is sent.
bool XDesktop::click(QPoint at, int button) const {
    return xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                    QStringLiteral("sleep"), QStringLiteral("0.1"), QStringLiteral("click"),
                    QString::number(button)});
}

bool XDesktop::doubleClick(QPoint at) const {
    return xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                    QStringLiteral("sleep"), QStringLiteral("0.1"), QStringLiteral("click"),
                    QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("--delay"),
                    QStringLiteral("60"), QStringLiteral("1")});
}

// In a few steps, as a hand moves, so that the program sees the drag begin before the end.
bool XDesktop::drag(QPoint from, QPoint to) const {
    QStringList args{QStringLiteral("mousemove"), QString::number(from.x()),
                     QString::number(from.y()),   QStringLiteral("sleep"),
                     QStringLiteral("0.1"),       QStringLiteral("mousedown"),
                     QStringLiteral("1")};
    for (int step = 1; step <= 4; ++step) {
        const QPoint at = from + (to - from) * step / 4;
        args << QStringLiteral("sleep") << QStringLiteral("0.05") << QStringLiteral("mousemove")
             << QString::number(at.x()) << QString::number(at.y());
    }
    args << QStringLiteral("sleep") << QStringLiteral("0.05") << QStringLiteral("mouseup")
         << QStringLiteral("1");
    return xdotool(args);
}

}  // namespace desktop
