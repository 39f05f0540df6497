#pragma once

#include <QByteArray>
#include <QString>

namespace trevalon {

class Project;

// Reads project files of the older binary format (".sdp"): a sequence of board records with no
// header, small (14164 bytes, room for 49 cells) or large (52924 bytes, room for 219 cells).
// The file is tried as small records first, then as large ones. These files are never written.
//
// Loading is all or nothing, as for ProjectFile. A file that fits neither size, holds no
// board or more than three, or whose values do not fit the model (a cell count above the
// record's room, a cell outside the 15 x 15 grid, an unknown block kind) is refused
// (ProjectFile::loadBytes answers texts::ProjectFileDamaged); nothing is logged. After a legacy
// file was opened the project has no file name of its own: the caller must ask for a new one at the
// next save.
class LegacyProjectReader {
public:
    static constexpr int SmallRecordSize = 14164;
    static constexpr int LargeRecordSize = 52924;
    static constexpr int SmallCellRoom = 49;
    static constexpr int LargeCellRoom = 219;
    static constexpr int CellRecordSize = 228;

    // The conversion of the file's bytes as records of `recordSize`, into `project` (left as
    // far as it was converted when this answers false). Shows nothing.
    static bool convert(Project& project, const QByteArray& bytes, int recordSize);
};

}  // namespace trevalon
