#include <QApplication>
#include <QFont>
#include <cstdio>

#include "ui/app/TrevalonApp.h"

namespace {

// The board, properties and report windows place themselves beside the main window and travel
// with it, which X11 allows and Wayland does not: on a Wayland session the program runs through
// XWayland. False, after saying why, when there is no X server to run on.
bool chooseWindowSystem() {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        return true;
    }
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (wayland && x11) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else if (wayland) {
        std::fputs(
            "Trevalon needs an X server: on a Wayland session, turn on XWayland "
            "(DISPLAY is not set).\n",
            stderr);
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (!chooseWindowSystem()) {
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trevalon"));
    QApplication::setApplicationVersion(QStringLiteral(TREVALON_VERSION));
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));

    // One optional argument: a project file to open.
    const QStringList arguments = QApplication::arguments();
    trevalon::TrevalonApp trevalon(arguments.size() > 1 ? arguments.at(1) : QString());
    trevalon.show();
    return QApplication::exec();
}
