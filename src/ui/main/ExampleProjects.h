#pragma once

#include <QList>
#include <QString>

namespace trevalon {

class TextTable;

// One of the example projects installed with the program.
struct ExampleProject {
    QString path;
    QString name;  // readable, in the interface's language
};

// The example projects shipped with the program, and where they are. The first folder that
// exists wins:
//  1. $TREVALON_EXAMPLES_DIR, when set and not empty (tests, portable copies);
//  2. the installed folder, found from the executable's folder as the install rule lays it out
//     (bin/../share/trevalon/examples), so an installed copy may be moved as a whole;
//  3. the source tree's examples/ folder, for a program run from its build tree.
// Examples are opened as copies without a file of their own, and nothing is ever saved into
// their folder (ProjectCommands).
class ExampleProjects {
public:
    static constexpr const char* FolderVariable = "TREVALON_EXAMPLES_DIR";

    // The examples' folder, or empty when none of the places holds one.
    static QString folder();
    // Every ".skb" file of the folder: the known examples in the order of their lesson (the
    // simplest first) under their names from `texts`, then any other by its file name.
    static QList<ExampleProject> list(const TextTable& texts);
    // True when `path` names a file in the examples' folder.
    static bool contains(const QString& path);
};

}  // namespace trevalon
