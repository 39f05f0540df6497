#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "ui/print/PrintRequest.h"

namespace trevalon {

class MainHost;
class SettingsStore;
class Workspace;

// File → Print…, Export to PDF…, Export to SVG…: asks what the document holds, then shows the
// print dialog with its preview or asks for a file. Files are written whole beside the target
// and renamed over it, so a failed export leaves an existing file as it was.
class PrintCommands {
public:
    enum class Format { Pdf, Svg };

    // Every argument must outlive the helper.
    PrintCommands(Workspace& workspace, SettingsStore& settings, MainHost& host);

    void print();
    void exportTo(Format format);

    // Writes the document of `request` to `path`; false (after telling the user) when nothing
    // could be written.
    bool writeFile(const QString& path, const PrintRequest& request, Format format);

    // Answer the choice and the file instead of the dialogs (tests); nothing or an empty path
    // cancels.
    std::function<std::optional<PrintRequest>(bool singlePicture)> askChoice;
    std::function<QString(Format format)> askSavePath;

private:
    std::optional<PrintRequest> choose(const QString& title, bool singlePicture);
    PrintSource source(const PrintRequest& request) const;
    // Tells the user when the chosen boards hold nothing; false then.
    bool hasContent(const PrintSource& source, const PrintRequest& request);

    Workspace& m_ws;
    SettingsStore& m_settings;
    MainHost& m_host;
};

}  // namespace trevalon
