#include <QApplication>
#include <QDir>
#include <QFont>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QtMessageHandler defaultHandler = nullptr;

// The offscreen platform cannot raise windows or grab the keyboard for a pop-up menu, and says
// so every time; nothing else is hidden.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("does not support raise()")) ||
        message.contains(QLatin1String("does not support grabbing"))) {
        return;
    }
    defaultHandler(type, context, message);
}

}  // namespace

// GUI tests never open windows on a desktop: they run on Qt's offscreen platform, and keep
// their settings and event logs in a folder of their own.
int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir data;
    qputenv("TREVALON_DATA_DIR", data.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        QDir().mkpath(data.filePath(QStringLiteral("runtime")));
        QFile::setPermissions(
            data.filePath(QStringLiteral("runtime")),
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", data.filePath(QStringLiteral("runtime")).toLocal8Bit());
    }
    defaultHandler = qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
