#include "ui/main/SpeedControl.h"

#include <QLabel>
#include <QLocale>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "config/TextTable.h"
#include "ui/widgets/Palette.h"

namespace trevalon {

SpeedControl::SpeedControl(const TextTable& texts, QWidget* parent)
    : QWidget(parent), m_texts(texts) {
    setObjectName(QStringLiteral("PTempo"));
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("LTempo"));
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setStyleSheet(
        QStringLiteral("color: %1; font-size: 8pt;").arg(palette::css(palette::stripInk)));
    m_slider = new QSlider(Qt::Vertical, this);
    m_slider->setObjectName(QStringLiteral("STempo"));
    m_slider->setRange(0, static_cast<int>(BlockMillis.size()) - 1);
    m_slider->setInvertedAppearance(true);  // full speed at the top
    m_slider->setInvertedControls(true);
    m_slider->setTickPosition(QSlider::TicksRight);
    m_slider->setPageStep(1);
    m_slider->setFocusPolicy(Qt::NoFocus);  // the keys stay with the boards and the menus
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_caption);
    layout->addWidget(m_slider, 1, Qt::AlignHCenter);
    QObject::connect(m_slider, &QSlider::valueChanged, this, [this](int value) {
        showLevel();
        if (onChanged) {
            onChanged(value);
        }
    });
    applyTexts();
}

int SpeedControl::level() const {
    return m_slider->value();
}

void SpeedControl::setLevel(int level) {
    const QSignalBlocker quiet(m_slider);
    m_slider->setValue(level);
    showLevel();
}

void SpeedControl::applyTexts() {
    m_caption->setText(m_texts.text(texts::SpeedCaption));
    showLevel();
}

// The hint names the speed chosen: "pełna szybkość" or how long each block is shown.
void SpeedControl::showLevel() {
    const int level = m_slider->value();
    const QString speed =
        level == 0 ? m_texts.text(texts::SpeedFull)
                   : m_texts.text(texts::SpeedBlockEvery)
                         .arg(QLocale(m_texts.language() == QLatin1String("ang") ? QLocale::English
                                                                                 : QLocale::Polish)
                                  .toString(BlockMillis[static_cast<std::size_t>(level)] / 1000.0));
    const QString hint = m_texts.text(texts::SpeedHint).arg(speed);
    setToolTip(hint);
    m_slider->setToolTip(hint);
}

}  // namespace trevalon
