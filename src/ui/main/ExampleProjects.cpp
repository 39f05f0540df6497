#include "ui/main/ExampleProjects.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "config/TextIds.h"
#include "config/TextTable.h"

namespace trevalon {
namespace {

struct KnownExample {
    const char* file;  // without ".skb"
    int name;
};

// In the order a lesson would take them.
constexpr KnownExample kKnown[] = {
    {"factorial", texts::ExampleFactorial}, {"gcd", texts::ExampleGcd},
    {"larger", texts::ExampleLarger},       {"question", texts::ExampleQuestion},
    {"circle", texts::ExampleCircle},       {"array", texts::ExampleArray},
    {"procedure", texts::ExampleProcedure}, {"branch", texts::ExampleBranch},
    {"weekday", texts::ExampleWeekday},     {"dice", texts::ExampleDice},
};

int knownIndex(const QString& baseName) {
    for (std::size_t i = 0; i < std::size(kKnown); ++i) {
        if (baseName == QLatin1String(kKnown[i].file)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

QStringList candidates() {
    QStringList folders;
    const QString overridden = qEnvironmentVariable(ExampleProjects::FolderVariable);
    if (!overridden.isEmpty()) {
        folders << overridden;
    }
    // Both set by the build (src/ui/CMakeLists.txt): the install rule's folder as seen from
    // the executable's folder, and the source tree's folder.
    folders << QCoreApplication::applicationDirPath() +
                   QStringLiteral("/" TREVALON_EXAMPLES_FROM_BIN)
            << QStringLiteral(TREVALON_SOURCE_EXAMPLES);
    return folders;
}

}  // namespace

QString ExampleProjects::folder() {
    for (const QString& candidate : candidates()) {
        const QFileInfo info(candidate);
        if (info.isDir()) {
            return QDir::cleanPath(info.absoluteFilePath());
        }
    }
    return {};
}

QList<ExampleProject> ExampleProjects::list(const TextTable& texts) {
    const QString where = folder();
    if (where.isEmpty()) {
        return {};
    }
    const QFileInfoList files = QDir(where).entryInfoList({QStringLiteral("*.skb")}, QDir::Files,
                                                          QDir::Name | QDir::IgnoreCase);
    QList<std::pair<int, ExampleProject>> ordered;
    for (const QFileInfo& file : files) {
        const int known = knownIndex(file.completeBaseName());
        const QString name = known >= 0 ? texts.text(kKnown[known].name) : file.completeBaseName();
        // Unknown examples follow the known ones, in the order of their file names.
        const int rank = known >= 0 ? known : static_cast<int>(std::size(kKnown) + ordered.size());
        ordered.push_back({rank, {file.absoluteFilePath(), name}});
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<ExampleProject> result;
    for (const auto& [rank, example] : ordered) {
        result << example;
    }
    return result;
}

bool ExampleProjects::contains(const QString& path) {
    const QString where = folder();
    if (where.isEmpty() || path.isEmpty()) {
        return false;
    }
    // Through links too: the same file reached by another way is still the example.
    const QString file = QFileInfo(path).absoluteFilePath();
    const QString folderOfFile = QFileInfo(QFileInfo(file).absolutePath()).canonicalFilePath();
    const QString examples = QFileInfo(where).canonicalFilePath();
    return !examples.isEmpty() && folderOfFile == examples;
}

}  // namespace trevalon
