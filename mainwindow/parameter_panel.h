#pragma once
// The parameter panel on the right of the main window: the "Settings" group with the
// five number parameters (a slider and a text box each, always agreeing), the five
// option check boxes and "Reset", and the "Generate" button below the group. The
// panel keeps the shared engine parameters and options equal to what it shows.

#include <QWidget>
#include <array>

#include "app_state.h"

class QCheckBox;
class QPushButton;
class QSlider;

namespace lumetra {

class NumberBox;

class ParameterPanel : public QWidget {
    Q_OBJECT
public:
    ParameterPanel(AppState& state, QWidget* parent = nullptr);

    // Every parameter and option back to its default, the engine values with them.
    void Reset();

    QSlider* Slider(ParameterId id) const { return rows_[static_cast<int>(id)].slider; }
    NumberBox* TextBox(ParameterId id) const { return rows_[static_cast<int>(id)].text; }

    QCheckBox* CheckBlur() const { return checkBlur_; }
    QCheckBox* CheckSharpen() const { return checkSharpen_; }
    QCheckBox* CheckAdjust() const { return checkAdjust_; }
    QCheckBox* CheckColorSketch() const { return checkColorSketch_; }
    QCheckBox* CheckMixColor() const { return checkMixColor_; }
    QPushButton* CmdReset() const { return cmdReset_; }
    QPushButton* CmdGenerate() const { return cmdGenerate_; }

signals:
    // A parameter or an option changed; the shared values already hold the new ones.
    void changed();

private:
    struct Row {
        QSlider* slider = nullptr;
        NumberBox* text = nullptr;
    };

    QWidget* BuildRow(const ParameterInfo& info);
    void TextChanged(ParameterId id);
    void UpdateOptions();

    AppState& state_;
    std::array<Row, kParameters.size()> rows_;
    QCheckBox* checkBlur_ = nullptr;
    QCheckBox* checkSharpen_ = nullptr;
    QCheckBox* checkAdjust_ = nullptr;
    QCheckBox* checkColorSketch_ = nullptr;
    QCheckBox* checkMixColor_ = nullptr;
    QPushButton* cmdReset_ = nullptr;
    QPushButton* cmdGenerate_ = nullptr;
};

}  // namespace lumetra
