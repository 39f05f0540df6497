#pragma once

#include <QWidget>
#include <array>
#include <functional>

class QLabel;
class QSlider;

namespace trevalon {

class TextTable;

// The run's speed beside the run buttons: a caption and a slider from full speed (top) down to
// one block every two seconds. It may be moved during a run.
class SpeedControl : public QWidget {
public:
    // How long each watched speed shows a block, in milliseconds; level 0 is full speed.
    static constexpr std::array<int, 6> BlockMillis{0, 100, 250, 500, 1000, 2000};

    SpeedControl(const TextTable& texts, QWidget* parent);

    int level() const;
    void setLevel(int level);
    void applyTexts();

    std::function<void(int level)> onChanged;

private:
    void showLevel();

    const TextTable& m_texts;
    QLabel* m_caption = nullptr;
    QSlider* m_slider = nullptr;
};

}  // namespace trevalon
