#include <QApplication>
#include <QFont>

#include "ui/TrevalonApp.h"

int main(int argc, char* argv[]) {
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
