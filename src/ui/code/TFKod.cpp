#include "ui/code/TFKod.h"

#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QScrollBar>
#include <QShowEvent>
#include <QTextBlock>
#include <algorithm>
#include <iterator>

#include "codegen/CodeGenerator.h"
#include "config/MessageSink.h"
#include "config/SettingsStore.h"
#include "config/TextIds.h"
#include "exec/Workspace.h"
#include "ui/code/CodeHighlighter.h"
#include "ui/dialogs/DialogParts.h"
#include "ui/widgets/Palette.h"
#include "ui/widgets/TJetButton.h"

namespace trevalon {
namespace {

using codegen::Target;

constexpr int ButtonHeight = 26;
constexpr int CopyWidth = 96;
constexpr int SaveWidth = 110;
constexpr int ListWidth = 140;
constexpr int ListHeight = 24;
constexpr int Gap = 6;

// The list's entries, in the order the settings number them.
constexpr Target kTargets[] = {Target::Python, Target::Cpp, Target::Pseudo};
constexpr int kTargetNames[] = {texts::CodeLanguagePython, texts::CodeLanguageCpp,
                                texts::CodeLanguagePseudo};
constexpr int kTargetFilters[] = {texts::CodeFilterPython, texts::CodeFilterCpp,
                                  texts::CodeFilterPseudo};
constexpr const char* kSuffixes[] = {".py", ".cpp", ".txt"};

// The words pseudo-code is written with, in the interface's language.
constexpr int kPseudoKeywords[] = {
    texts::CodeAlgorithm, texts::CodeVariables, texts::CodeBegin,    texts::CodeEnd,
    texts::CodeProcedure, texts::CodeIf,        texts::CodeThen,     texts::CodeElse,
    texts::CodeWhile,     texts::CodeDo,        texts::CodeRepeat,   texts::CodeUntil,
    texts::CodeForever,   texts::CodeBreak,     texts::CodeContinue, texts::CodeRead,
    texts::CodeWrite,     texts::CodeAsk,       texts::CodeRandom,   texts::CodeCall,
    texts::CodeReturn,    texts::CodeStop,      texts::CodeError,    texts::CodeNot,
    texts::CodeGoTo,      texts::CodeEndIf,     texts::CodeEndWhile, texts::CodeEndRepeat,
};

int indexOf(Target target) {
    return static_cast<int>(target);
}

}  // namespace

TFKod::TFKod(Workspace& workspace, SettingsStore& settings, WindowHost& host, QWidget* parent)
    : CompanionPanel(host, QStringLiteral("TFKod"), DefaultSize, MinimumSize, parent),
      m_ws(workspace),
      m_settings(settings) {
    // Many changes of one event (a drag, a deleted board) make one translation.
    m_timer.setSingleShot(true);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, [this] { refreshNow(); });
    buildControls();
    m_target = kTargets[settings.values().codeLanguage];
    applyTexts();
}

void TFKod::buildControls() {
    m_language = new QComboBox(this);
    m_language->setObjectName(QStringLiteral("CBJezyk"));
    m_language->setStyleSheet(dialogparts::fieldStyle());
    for (int i = 0; i < static_cast<int>(std::size(kTargets)); ++i) {
        m_language->addItem(QString());
    }
    connect(m_language, &QComboBox::activated, this,
            [this](int index) { setLanguage(kTargets[index]); });

    m_view = new QPlainTextEdit(this);
    m_view->setObjectName(QStringLiteral("TKod"));
    m_view->setReadOnly(true);
    m_view->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_view->setStyleSheet(dialogparts::fieldStyle());
    QFont mono(QStringLiteral("DejaVu Sans Mono"));
    mono.setStyleHint(QFont::Monospace);
    m_view->setFont(mono);
    m_highlighter = new CodeHighlighter(m_view->document());

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("LStan"));
    m_status->setTextFormat(Qt::PlainText);  // a refusal names the pupil's blocks
    m_status->setWordWrap(true);

    const QString face = QStringLiteral("przycisk");
    m_copy =
        dialogparts::pictureButton(this, "ButKopiuj", face, QRect(0, 0, CopyWidth, ButtonHeight));
    m_copy->onClicked = [this](int) { copyCode(); };
    m_save =
        dialogparts::pictureButton(this, "ButZapisz", face, QRect(0, 0, SaveWidth, ButtonHeight));
    m_save->onClicked = [this](int) { saveCode(); };
}

void TFKod::applyTexts() {
    const TextTable& texts = m_ws.texts();
    setTitles(texts, texts.text(texts::CodeWindowTitle));
    for (int i = 0; i < m_language->count(); ++i) {
        m_language->setItemText(i, texts.text(kTargetNames[i]));
    }
    m_language->setCurrentIndex(indexOf(m_target));
    m_language->setToolTip(texts.text(texts::CodeWindowLanguageHint));
    m_copy->setCaption(texts.text(texts::CodeWindowCopy));
    m_copy->setToolTip(texts.text(texts::CodeWindowCopyHint));
    m_save->setCaption(texts.text(texts::CodeWindowSave));
    m_save->setToolTip(texts.text(texts::CodeWindowSaveHint));
    // Pseudo-code and the generated comments speak the interface's language.
    m_highlighter->setLanguage(m_target, pseudoKeywords());
    projectChanged();
}

QStringList TFKod::pseudoKeywords() const {
    QStringList words;
    for (const int text : kPseudoKeywords) {
        words << m_ws.texts().text(text);
    }
    return words;
}

void TFKod::setLanguage(Target target) {
    m_language->setCurrentIndex(indexOf(target));
    if (target == m_target) {
        return;
    }
    m_target = target;
    m_settings.setCodeLanguage(indexOf(target));
    m_highlighter->setLanguage(target, pseudoKeywords());
    // Another language is another text: the marked lines are found and shown anew.
    m_mark.reset();
    projectChanged();
}

void TFKod::projectChanged() {
    m_stale = true;
    schedule();
}

void TFKod::marksChanged() {
    schedule();
}

void TFKod::schedule() {
    if (isVisible()) {
        m_timer.start();
    }
}

void TFKod::refreshNow() {
    m_timer.stop();
    if (m_stale) {
        translate();
    }
    showMarks();
}

void TFKod::translate() {
    m_stale = false;
    if (projectOpen && !projectOpen()) {
        m_code = {};
        // An invitation, not a fault.
        m_status->setStyleSheet(palette::textColour(palette::ink));
        m_status->setText(m_ws.texts().text(texts::CodeWindowNoProject));
    } else {
        m_status->setStyleSheet(palette::textColour(palette::failed));
        const codegen::CodeGenerator generator(m_ws.project(), m_ws.texts(), m_target);
        m_code = generator.generate(m_ws.projectName());
        m_status->setText(m_code.ok() ? QString()
                                      : m_ws.texts()
                                            .text(texts::CodeExportFailed)
                                            .arg(m_code.status.message(m_ws.texts())));
    }
    m_status->setVisible(!m_status->text().isEmpty());
    const QString text = m_code.text();
    if (text != m_shownText) {
        // An edit keeps the reader's place in the code.
        // Another project or language opens at the flowchart's own code: the helpers above it
        // are there to be looked up, not read first. (The view scrolls by lines.)
        m_shownText = text;
        const QString shownFor = m_ws.projectName() + u'\n' + QString::number(indexOf(m_target));
        const int scrolled =
            shownFor == m_shownFor ? m_view->verticalScrollBar()->value() : m_code.ownCodeStart;
        m_shownFor = shownFor;
        m_view->setPlainText(text);
        m_view->verticalScrollBar()->setValue(scrolled);
        m_mark.reset();
    }
    m_copy->setEnabled(!m_code.lines.empty());
    m_save->setEnabled(!m_code.lines.empty());
}

// The marked lines are scrolled into view when the mark moves, not on every refresh, so that
// the pupil may scroll elsewhere while the mark stays.
void TFKod::showMarks() {
    const std::optional<Mark> mark = markedBlock ? markedBlock() : std::nullopt;
    m_marked = mark ? m_code.linesOf(mark->cell) : std::vector<int>{};
    QList<QTextEdit::ExtraSelection> selections;
    QTextDocument* document = m_view->document();
    for (const int line : m_marked) {
        QTextEdit::ExtraSelection selection;
        selection.cursor = QTextCursor(document->findBlockByNumber(line));
        selection.format.setBackground(mark->running ? palette::runTint : palette::lavender);
        selection.format.setProperty(QTextFormat::FullWidthSelection, true);
        selections.append(selection);
    }
    m_view->setExtraSelections(selections);
    if (mark == m_mark) {
        return;
    }
    m_mark = mark;
    if (!m_marked.empty()) {
        // Once the events of the moment are over: a window just shown has its size only then.
        QTimer::singleShot(0, this, [this] { scrollToMark(); });
    }
}

// The block's first line in the middle of the view, with the code around it.
void TFKod::scrollToMark() {
    if (!m_marked.empty()) {
        m_view->setTextCursor(QTextCursor(m_view->document()->findBlockByNumber(m_marked.front())));
        m_view->centerCursor();
    }
}

void TFKod::copyCode() {
    QGuiApplication::clipboard()->setText(m_code.text());
}

void TFKod::saveCode() {
    refreshNow();
    const TextTable& texts = m_ws.texts();
    const int index = indexOf(m_target);
    const QString suffix = QLatin1String(kSuffixes[index]);
    QString path = askSavePath
                       ? askSavePath()
                       : QFileDialog::getSaveFileName(this, texts.text(texts::CodeSaveTitle),
                                                      m_ws.projectName() + suffix,
                                                      texts.text(kTargetFilters[index]));
    if (path.isEmpty()) {
        return;
    }
    if (!path.endsWith(suffix, Qt::CaseInsensitive)) {
        path += suffix;
    }
    // QSaveFile writes beside the file and renames at the end: a failed write leaves an
    // existing file as it was.
    QSaveFile file(path);
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(m_code.text().toUtf8()) >= 0 && file.commit();
    if (!written) {
        m_ws.messages().showMessage(MessageSink::Close, MessageSink::Warning,
                                    texts.text(texts::CodeSaveFailed).arg(file.errorString()));
    }
}

void TFKod::layoutContent(const QSize& size) {
    const int w = size.width();
    const int h = size.height();
    const int inner = w - 2 * Margin;
    const int top = contentTop();
    m_language->setGeometry(Margin, top, ListWidth, ListHeight);
    const int barTop = h - Margin - ButtonHeight - 4;
    const int saveLeft = w - GripSize - Gap - SaveWidth;
    m_save->move(saveLeft, barTop);
    m_copy->move(saveLeft - Gap - CopyWidth, barTop);
    // The status line takes the bar's left, beside the buttons.
    m_status->setGeometry(Margin, barTop - 2, std::max(m_copy->x() - Gap - Margin, 0),
                          ButtonHeight + 4);
    const int viewTop = top + ListHeight + Gap;
    m_view->setGeometry(Margin, viewTop, inner, std::max(barTop - Gap - viewTop, 0));
}

void TFKod::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        followMainWindow();
        refreshNow();
    }
}

}  // namespace trevalon
