#include "ui/dialogs/TFUstawienia.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSpinBox>
#include <QToolButton>

#include "config/EventLog.h"
#include "config/SettingsStore.h"
#include "config/TextIds.h"
#include "config/TextTable.h"
#include "ui/app/WindowPlacement.h"
#include "ui/dialogs/DialogParts.h"
#include "ui/widgets/ClickLabel.h"
#include "ui/widgets/DragLabel.h"
#include "ui/widgets/Palette.h"
#include "ui/widgets/TJetButton.h"
#include "ui/widgets/TitleStrip.h"
#include "ui/widgets/WindowTitle.h"

namespace trevalon {

TFUstawienia::TFUstawienia(const TextTable& texts, EventLog& log, SettingsStore& settings,
                           QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_texts(texts),
      m_log(log),
      m_settings(settings) {
    setObjectName(QStringLiteral("TFUstawienia"));
    setModal(true);
    setFixedSize(Width, Height);
    pickFolder = [this](const QString& caption, const QString& folder) {
        return QFileDialog::getExistingDirectory(this, caption, folder);
    };
    buildControls();
    applyTexts();
}

QCheckBox* TFUstawienia::checkBox(const char* name, int top) {
    auto* box = new QCheckBox(this);
    box->setObjectName(QLatin1String(name));
    box->setStyleSheet(palette::textColour(palette::ink));
    box->setGeometry(30, top, 390, 22);
    return box;
}

void TFUstawienia::buildControls() {
    auto* strip = new TitleStrip(*this, {.titleRight = 26});
    m_title = strip->title();
    m_closeMark =
        strip->addMark("LZamknij", "ikozamknij", {TitleStrip::Right, 22}, [this] { reject(); });
    strip->span(Width);

    m_warn = checkBox("ChBOstrzegaj", 48);
    m_hints = checkBox("ChBPokazujDymki", 80);
    m_schemaVariables = checkBox("ChBRysujZmienne", 112);
    m_logFiles = checkBox("ChBTworzPlikiZdarzen", 144);
    m_stepBlocks = checkBox("ChBKrokPoBlokach", 176);

    m_levelEdit = new QLineEdit(this);
    m_levelEdit->setObjectName(QStringLiteral("EPoziomZdarzen"));
    m_levelEdit->setReadOnly(true);
    m_levelEdit->setAlignment(Qt::AlignCenter);
    m_levelEdit->setGeometry(30, 222, 36, 22);
    m_arrows = new QWidget(this);
    m_arrows->setObjectName(QStringLiteral("UpZdarzenia"));
    m_arrows->setGeometry(67, 222, 17, 22);
    m_up = new QToolButton(m_arrows);
    m_up->setArrowType(Qt::UpArrow);
    m_up->setGeometry(0, 0, 17, 11);
    m_down = new QToolButton(m_arrows);
    m_down->setArrowType(Qt::DownArrow);
    m_down->setGeometry(0, 11, 17, 11);
    // The level stops at both ends; it never wraps round.
    connect(m_up, &QToolButton::clicked, this, [this] { setLevel(m_level + 1); });
    connect(m_down, &QToolButton::clicked, this, [this] { setLevel(m_level - 1); });
    m_levelCaption = new QLabel(this);
    m_levelCaption->setObjectName(QStringLiteral("LPoziomZdarzen"));
    m_levelCaption->setStyleSheet(palette::textColour(palette::ink));
    m_levelCaption->setGeometry(88, 222, 300, 22);

    m_folderCaption = new QLabel(this);
    m_folderCaption->setObjectName(QStringLiteral("Label1"));
    m_folderCaption->setStyleSheet(palette::textColour(palette::ink));
    m_folderCaption->setGeometry(30, 272, 380, 20);
    m_folder = new QLineEdit(this);
    m_folder->setObjectName(QStringLiteral("EFolder"));
    m_folder->setFrame(false);
    m_folder->setGeometry(30, 294, 350, 22);
    m_folderButton = dialogparts::pictureButton(this, "ButFolder", QStringLiteral("butfolder"),
                                                QRect(386, 294, 26, 22));
    m_folderButton->onClicked = [this](int) { chooseFolder(); };

    m_autosave = new QSpinBox(this);
    m_autosave->setObjectName(QStringLiteral("EAutozapis"));
    m_autosave->setRange(0, Settings::MaxAutosaveSeconds);
    m_autosave->setGeometry(30, 336, 64, 22);
    m_autosaveCaption = new QLabel(this);
    m_autosaveCaption->setObjectName(QStringLiteral("LAutozapis"));
    m_autosaveCaption->setStyleSheet(palette::textColour(palette::ink));
    m_autosaveCaption->setGeometry(100, 336, 320, 22);

    m_traceRows = new QSpinBox(this);
    m_traceRows->setObjectName(QStringLiteral("ESlad"));
    m_traceRows->setRange(Settings::MinTraceRows, Settings::MaxTraceRows);
    m_traceRows->setSingleStep(10000);
    m_traceRows->setGeometry(30, 372, 80, 22);
    m_traceRowsCaption = new QLabel(this);
    m_traceRowsCaption->setObjectName(QStringLiteral("LSlad"));
    m_traceRowsCaption->setStyleSheet(palette::textColour(palette::ink));
    m_traceRowsCaption->setGeometry(116, 372, 316, 22);

    m_enter = dialogparts::pictureButton(this, "ButWprowadz", QStringLiteral("przycisk"),
                                         QRect(170, Height - 35, 120, 26));
    m_enter->onClicked = [this](int) { apply(); };
    m_cancel = dialogparts::pictureButton(this, "ButAnuluj", QStringLiteral("przycisk"),
                                          QRect(303, Height - 35, 120, 26));
    m_cancel->onClicked = [this](int) { reject(); };
}

void TFUstawienia::applyTexts() {
    const TextTable& texts = m_texts;
    m_title->setText(QStringLiteral("  ") + texts.text(texts::SettingsTitle));
    nameWindow(*this, texts, texts.text(texts::SettingsTitle));
    m_closeMark->setToolTip(texts.text(texts::Close));
    m_warn->setText(texts.text(texts::SettingsWarnOnDelete));
    m_hints->setText(texts.text(texts::SettingsShowHints));
    m_schemaVariables->setText(texts.text(texts::SettingsSchemaVariables));
    m_logFiles->setText(texts.text(texts::SettingsLogFiles));
    m_stepBlocks->setText(texts.text(texts::SettingsStepSkipsConnectors));
    m_levelCaption->setText(texts.text(texts::SettingsLogLevel));
    m_folderCaption->setText(texts.text(texts::SettingsFolderCaption));
    m_folderButton->setToolTip(texts.text(texts::SettingsFolderHint));
    m_autosaveCaption->setText(texts.text(texts::SettingsAutosave));
    m_traceRowsCaption->setText(texts.text(texts::SettingsTraceRows));
    m_enter->setCaption(texts.text(texts::SettingsEnter));
    m_cancel->setCaption(texts.text(texts::SettingsCancel));
}

void TFUstawienia::setLevel(int level) {
    m_level = std::clamp(level, Settings::MinLogLevel, Settings::MaxLogLevel);
    m_levelEdit->setText(QString::number(m_level));
    m_up->setEnabled(m_level < Settings::MaxLogLevel);
    m_down->setEnabled(m_level > Settings::MinLogLevel);
}

void TFUstawienia::fill() {
    const Settings& values = m_settings.values();
    setLevel(values.logLevel);
    m_warn->setChecked(values.warnBeforeDelete);
    m_hints->setChecked(values.showHints);
    m_schemaVariables->setChecked(values.schemaShowsVariables);
    m_logFiles->setChecked(values.createLogFiles);
    m_stepBlocks->setChecked(values.stepSkipsConnectors);
    m_folder->setText(values.projectsFolder);
    m_autosave->setValue(values.autosaveSeconds);
    m_traceRows->setValue(values.traceRows);
}

bool TFUstawienia::showSettings(const QPoint& mainCorner) {
    applyTexts();
    fill();
    placement::moveOnScreen(*this, mainCorner + Offset, *parentWidget());
    m_log.logAbove(4, m_texts.text(texts::LogSettingsOpened));
    return exec() == QDialog::Accepted;
}

// The folder is taken into the field only; the setting changes when the dialog is applied.
void TFUstawienia::chooseFolder() {
    const QString chosen =
        pickFolder(m_texts.text(texts::SettingsPickFolder), m_settings.values().projectsFolder);
    if (chosen.isEmpty()) {
        return;
    }
    m_folder->setText(chosen);
    m_log.logAbove(4, m_texts.text(texts::LogFolderChosen));
}

void TFUstawienia::apply() {
    Settings& values = m_settings.values();
    values.logLevel = m_level;
    values.warnBeforeDelete = m_warn->isChecked();
    values.showHints = m_hints->isChecked();
    values.schemaShowsVariables = m_schemaVariables->isChecked();
    values.createLogFiles = m_logFiles->isChecked();
    values.stepSkipsConnectors = m_stepBlocks->isChecked();
    values.autosaveSeconds = m_autosave->value();
    values.traceRows = m_traceRows->value();
    const QString folder = m_folder->text();
    values.projectsFolder =
        folder.trimmed().isEmpty() ? m_settings.defaultProjectsFolder() : folder;
    // A file that cannot be written keeps the dialog open; the values stay in effect.
    if (!m_settings.writeAllSettings()) {
        return;
    }
    accept();
    onApplied();
    m_log.logAbove(3, m_texts.text(texts::LogSettingsApplied));
}

void TFUstawienia::paintEvent(QPaintEvent*) {
    QPainter p(this);
    dialogparts::paintBackground(p, QStringLiteral("ustawienia"), QRect(0, 0, Width, Height));
}

}  // namespace trevalon
