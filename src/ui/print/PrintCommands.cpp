#include "ui/print/PrintCommands.h"

#include <QFileDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>

#include "config/MessageSink.h"
#include "config/SettingsStore.h"
#include "config/TextIds.h"
#include "exec/Workspace.h"
#include "ui/main/MainHost.h"
#include "ui/print/PrintChoiceDialog.h"
#include "ui/print/PrintDocument.h"
#include "ui/print/WorksheetTables.h"

namespace trevalon {

PrintCommands::PrintCommands(Workspace& workspace, SettingsStore& settings, MainHost& host)
    : m_ws(workspace), m_settings(settings), m_host(host) {}

std::optional<PrintRequest> PrintCommands::choose(const QString& title, bool singlePicture) {
    if (askChoice) {
        return askChoice(singlePicture);
    }
    return PrintChoiceDialog::ask(&m_host.widget(), m_ws.texts(), title, singlePicture);
}

PrintSource PrintCommands::source(const PrintRequest& request) const {
    const QString name = m_ws.projectName();
    return {
        m_ws.project(), m_ws.texts(), name, m_settings.values().schemaShowsVariables,
        request.withCheck ? checkReportLines(m_ws.project(), m_ws.texts(), name) : QStringList()};
}

bool PrintCommands::hasContent(const PrintSource& source, const PrintRequest& request) {
    if (PrintDocument::hasContent(source, request)) {
        return true;
    }
    m_ws.messages().showMessage(MessageSink::Close, MessageSink::Information,
                                m_ws.texts().text(texts::NothingToPrint));
    return false;
}

void PrintCommands::print() {
    const std::optional<PrintRequest> request = choose(m_ws.texts().text(texts::PrintTitle), false);
    if (!request) {
        return;
    }
    const PrintSource document = source(*request);
    if (!hasContent(document, *request)) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    PrintDocument::preparePage(printer);
    printer.setDocName(PrintDocument::title(document, *request));
    QPrintPreviewDialog preview(&printer, &m_host.widget());
    preview.setObjectName(QStringLiteral("TFPodglad"));
    preview.setWindowTitle(m_ws.texts().text(texts::PrintTitle));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&document, &request](QPrinter* target) {
                         PrintDocument::print(*target, document, *request);
                     });
    preview.exec();
}

void PrintCommands::exportTo(Format format) {
    const TextTable& texts = m_ws.texts();
    const bool svg = format == Format::Svg;
    const QString title = texts.text(svg ? texts::ExportSvgTitle : texts::ExportPdfTitle);
    const std::optional<PrintRequest> request = choose(title, svg);
    if (!request || !hasContent(source(PrintRequest{request->content, false}), *request)) {
        return;
    }
    const QString suffix = svg ? QStringLiteral(".svg") : QStringLiteral(".pdf");
    QString path = askSavePath ? askSavePath(format)
                               : QFileDialog::getSaveFileName(
                                     &m_host.widget(), title, m_ws.projectName() + suffix,
                                     texts.text(svg ? texts::FilterSvg : texts::FilterPdf));
    if (path.isEmpty()) {
        return;
    }
    if (!path.endsWith(suffix, Qt::CaseInsensitive)) {
        path += suffix;
    }
    writeFile(path, *request, format);
}

bool PrintCommands::writeFile(const QString& path, const PrintRequest& request, Format format) {
    const PrintSource document = source(request);
    const QByteArray bytes = format == Format::Svg ? PrintDocument::svg(document, request)
                                                   : PrintDocument::pdf(document, request);
    // QSaveFile writes beside the file and renames at the end: a failed write leaves an
    // existing file as it was.
    QSaveFile file(path);
    const bool written = !bytes.isEmpty() && file.open(QIODevice::WriteOnly) &&
                         file.write(bytes) == bytes.size() && file.commit();
    if (!written) {
        m_ws.messages().showMessage(MessageSink::Close, MessageSink::Warning,
                                    m_ws.texts()
                                        .text(texts::ExportFailed)
                                        .arg(path + QStringLiteral("\n") + file.errorString()));
    }
    return written;
}

}  // namespace trevalon
