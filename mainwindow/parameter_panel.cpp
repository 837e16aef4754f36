#include "parameter_panel.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "number_box.h"
#include "parameter_text.h"
#include "translations/captions.h"

namespace lumetra {

ParameterPanel::ParameterPanel(AppState& state, QWidget* parent) : QWidget(parent), state_(state)
{
    auto* group = new QGroupBox(tr("Settings"), this);
    auto* groupLayout = new QVBoxLayout(group);
    for (const ParameterInfo& info : kParameters) groupLayout->addWidget(BuildRow(info));

    checkBlur_ = new QCheckBox(tr("Blur"), group);
    checkSharpen_ = new QCheckBox(tr("Sharpen"), group);
    checkAdjust_ = new QCheckBox(tr("Adjust sketch depth"), group);
    checkColorSketch_ = new QCheckBox(tr("Color Sketch"), group);
    checkMixColor_ = new QCheckBox(tr("Mix similar color"), group);
    for (QCheckBox* box : {checkBlur_, checkSharpen_, checkAdjust_, checkColorSketch_, checkMixColor_})
        groupLayout->addWidget(box);
    // Blur and Sharpen exclude each other; both may be clear.
    connect(checkBlur_, &QCheckBox::toggled, this, [this](bool on) {
        if (on) checkSharpen_->setChecked(false);
    });
    connect(checkSharpen_, &QCheckBox::toggled, this, [this](bool on) {
        if (on) checkBlur_->setChecked(false);
    });
    connect(checkAdjust_, &QCheckBox::toggled, checkColorSketch_, &QWidget::setEnabled);
    connect(checkMixColor_, &QCheckBox::toggled, this, [this](bool on) {
        Slider(ParameterId::BrushWidth)->setEnabled(on);
        TextBox(ParameterId::BrushWidth)->setEnabled(on);
    });
    // After the rules above, so the shared options see their outcome.
    for (QCheckBox* box : {checkBlur_, checkSharpen_, checkAdjust_, checkColorSketch_, checkMixColor_})
        connect(box, &QCheckBox::toggled, this, &ParameterPanel::UpdateOptions);

    cmdReset_ = new QPushButton(tr("Reset"), group);
    groupLayout->addWidget(cmdReset_, 0, Qt::AlignRight);
    connect(cmdReset_, &QPushButton::clicked, this, &ParameterPanel::Reset);

    cmdGenerate_ = new QPushButton(tr("Generate"), this);
    cmdGenerate_->setDefault(true);
    cmdGenerate_->setMinimumHeight(cmdGenerate_->sizeHint().height() * 3 / 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(cmdGenerate_);
    layout->addStretch(1);
}

QWidget* ParameterPanel::BuildRow(const ParameterInfo& info)
{
    auto* row = new QWidget(this);
    auto* rowLayout = new QVBoxLayout(row);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    rowLayout->setSpacing(2);
    const QString caption = ParameterCaption(info);
    rowLayout->addWidget(new QLabel(caption, row));

    auto* controls = new QHBoxLayout;
    Row& r = rows_[static_cast<int>(info.id)];
    r.slider = new QSlider(Qt::Horizontal, row);
    r.slider->setRange(info.minimum, info.maximum);
    r.slider->setSingleStep(1);
    r.slider->setPageStep(info.maximum - info.minimum >= 10 ? 5 : 1);
    r.text = new NumberBox(row);
    r.text->setFixedWidth(r.text->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    r.text->setAlignment(Qt::AlignRight);
    // Both carry the caption (without its colon), so screen readers can tell the rows apart.
    const QString name = caption.endsWith(u':') ? caption.chopped(1) : caption;
    r.slider->setAccessibleName(name);
    r.text->setAccessibleName(name);
    controls->addWidget(r.slider, 1);
    controls->addWidget(r.text);
    rowLayout->addLayout(controls);

    const ParameterId id = info.id;
    connect(r.slider, &QSlider::valueChanged, this, [this, id](int value) {
        const QString text = QString::number(value);
        if (TextBox(id)->text() != text) TextBox(id)->setText(text);
    });
    connect(r.text, &QLineEdit::textChanged, this, [this, id] { TextChanged(id); });
    return row;
}

void ParameterPanel::TextChanged(ParameterId id)
{
    const ParameterInfo& info = Parameter(id);
    NumberBox* box = TextBox(id);
    const int value = ParseParameterText(box->text(), info);
    const QString text = QString::number(value);
    if (box->text() != text) box->setText(text);  // runs this handler again, which then finds nothing to change
    Slider(id)->setValue(value);
    SetShownValue(state_.params, id, value);
    emit changed();
}

void ParameterPanel::UpdateOptions()
{
    EngineOptions& o = state_.options;
    o.blur = checkBlur_->isChecked();
    o.sharpen = checkSharpen_->isChecked();
    o.adjust = checkAdjust_->isChecked();
    o.colorSketch = checkColorSketch_->isChecked();
    o.colorSketchEnabled = o.adjust;  // "Color Sketch" is enabled exactly while adjust is on
    o.mix = checkMixColor_->isChecked();
    emit changed();
}

void ParameterPanel::Reset()
{
    state_.params = EngineParams{};
    for (const ParameterInfo& info : kParameters) {
        const QString text = QString::number(ShownValue(state_.params, info.id));
        NumberBox* box = TextBox(info.id);
        if (box->text() == text)
            TextChanged(info.id);  // the slider and engine follow even when the text stands
        else
            box->setText(text);
    }
    checkBlur_->setChecked(false);
    checkSharpen_->setChecked(false);
    checkAdjust_->setChecked(true);
    checkMixColor_->setChecked(true);
    checkColorSketch_->setChecked(false);
    // The enabling rules also hold when a box already had its reset value.
    checkColorSketch_->setEnabled(checkAdjust_->isChecked());
    Slider(ParameterId::BrushWidth)->setEnabled(true);
    TextBox(ParameterId::BrushWidth)->setEnabled(true);
    UpdateOptions();
}

}  // namespace lumetra
