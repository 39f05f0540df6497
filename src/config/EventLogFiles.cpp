#include "config/EventLogFiles.h"

#include <QDir>
#include <algorithm>

#include "config/MessageSink.h"
#include "config/RegularFile.h"
#include "config/TextTable.h"
#include "config/Windows1250.h"

namespace trevalon {
namespace {

bool isLogFileName(const QString& name) {
    const qsizetype stem = name.size() - 3;
    return stem >= 0 && name.endsWith(QLatin1String("txt"), Qt::CaseInsensitive) &&
           QStringView(name).left(stem).contains(u'.');
}

constexpr QDir::Filters kFiles = QDir::Files | QDir::Hidden | QDir::System;

}  // namespace

EventLogFiles::EventLogFiles(QString folder) : m_folder(std::move(folder)) {}

QStringList EventLogFiles::list() const {
    QStringList names;
    const QStringList entries = QDir(m_folder).entryList(kFiles, QDir::NoSort);
    for (const QString& name : entries) {
        if (isLogFileName(name)) {
            names.append(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

QString EventLogFiles::pathOf(const QString& name) const {
    return QDir::toNativeSeparators(QDir(m_folder).filePath(name));
}

QString EventLogFiles::load(const QString& name) const {
    // The listing names pipes and devices too; they are refused here, unopened.
    const RegularFile::Contents file = RegularFile::read(pathOf(name), MaxFileSize);
    if (!file.ok()) {
        return {};
    }
    QString text = Windows1250::decode(file.bytes);
    if (text.isNull()) {
        text = QLatin1String("");  // an empty file is readable, unlike a missing one
    }
    return text;
}

bool EventLogFiles::open(MessageSink& sink, const TextTable& texts) {
    m_names = list();
    m_selected.clear();
    m_text.clear();
    if (m_names.isEmpty()) {
        sink.showMessage(MessageSink::Close, MessageSink::Information,
                         texts.text(texts::EventLogNoFiles));
        return false;
    }
    return select(m_names.last(), sink, texts);
}

bool EventLogFiles::select(const QString& name, MessageSink& sink, const TextTable& texts) {
    const QString text = load(name);
    if (text.isNull()) {
        reportUnreadable(name, sink, texts);
        return false;
    }
    m_selected = name;
    m_text = text;
    return true;
}

void EventLogFiles::reportUnreadable(const QString& name, MessageSink& sink,
                                     const TextTable& texts) const {
    sink.showMessage(MessageSink::Close, MessageSink::Warning,
                     texts.text(texts::EventLogLoadProblem) + pathOf(name) + QStringLiteral(".\r") +
                         texts.text(texts::EventLogFileDamaged));
}

bool EventLogFiles::clearOthers(MessageSink& sink, const TextTable& texts) {
    if (m_selected.isEmpty()) {
        return false;  // nothing chosen to keep: clearing would empty the folder
    }
    if (sink.showMessage(MessageSink::YesNoCancel, MessageSink::Question,
                         texts.text(texts::EventLogConfirmClear)) != MessageSink::ResultYes) {
        return false;
    }
    QDir folder(m_folder);
    for (const QString& name : folder.entryList(kFiles, QDir::NoSort)) {
        if (name != m_selected) {
            folder.remove(name);
        }
    }
    m_names = QStringList{m_selected};
    return true;
}

}  // namespace trevalon
