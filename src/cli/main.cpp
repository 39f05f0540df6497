#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <functional>
#include <map>

#include "cli/Commands.h"
#include "config/NativeName.h"

using namespace trevalon::cli;

namespace {

using Command = std::function<int(const QStringList&, CommandIo&)>;

const std::map<QString, Command>& commands() {
    static const std::map<QString, Command> table = {
        {QStringLiteral("eval"), evalCommand},       {QStringLiteral("describe"), describeCommand},
        {QStringLiteral("check"), checkCommand},     {QStringLiteral("run"), runCommand},
        {QStringLiteral("convert"), convertCommand}, {QStringLiteral("render"), renderCommand},
        {QStringLiteral("grade"), gradeCommand},     {QStringLiteral("export"), exportCommand},
    };
    return table;
}

int dispatch(const QStringList& args, CommandIo& io) {
    if (args.isEmpty()) {
        io.err << usage(QString());
        return ExitUsage;
    }
    const QString& first = args.first();
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        io.out << usage(QString());
        return ExitOk;
    }
    if (first == QLatin1String("--version")) {
        io.out << "trevalon-cli " << QCoreApplication::applicationVersion() << '\n';
        return ExitOk;
    }
    const auto it = commands().find(first);
    if (it == commands().end()) {
        io.err << "trevalon-cli: unknown command '" << first << "'\n" << usage(QString());
        return ExitUsage;
    }
    const QStringList rest = args.mid(1);
    if (rest.size() == 1 && rest.first() == QLatin1String("--help")) {
        io.out << usage(first);
        return ExitOk;
    }
    return it->second(rest, io);
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::unique_ptr<QCoreApplication> app = createApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("trevalon-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TREVALON_VERSION));

    QTextStream out(stdout);
    QTextStream err(stderr);
    QTextStream in(stdin);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    in.setEncoding(QStringConverter::Utf8);
    CommandIo io{out, err, in};

    // The arguments as the system gave them (what the application left of them): Qt would turn
    // a file name that is not UTF-8 into one that names no file.
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        args << trevalon::nameFromNative(argv[i]);
    }
    const int code = dispatch(args, io);
    out.flush();
    err.flush();
    return code;
}
