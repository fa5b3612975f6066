#include "QtPage.h"

#include "DisplayScale.h"
#include "EditSteps.h"
#include "EqualizerView.h"
#include "Languages.h"
#include "QtControl.h"
#include "UIEqualizer.h"

#include <QLineEdit>

namespace dravo {
namespace {

constexpr const char* kCurveName = "equalizer";

// Edit boxes whose value steps up and down (arrow keys, wheel, arrows).
constexpr const char* kSteppedEdits[] = {"eq_freq_", "eq_q_", "eq_gain_", "hp_freq", "lp_freq", "edit_main_volume",
                                         "edit_acc", "edit_ch_volume", "edit_ch_delay_", "spk_delay_"};

bool reports(const QString& name)
{
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

StepArrows arrowsOf(const QLineEdit* edit)
{
    const QString how = edit->property("stepArrows").toString();
    if (how == QLatin1String("always"))
        return StepArrows::Always;
    if (how == QLatin1String("hover"))
        return StepArrows::OnHover;
    return StepArrows::None;
}

bool stepped(const QString& name)
{
    for (const char* prefix : kSteppedEdits)
        if (name.startsWith(QLatin1String(prefix)))
            return true;
    return false;
}

} // namespace

QtPage::QtPage(QWidget* root) : mRoot(root)
{
    // The layout's style sheet was scaled after the loader had read it once;
    // Qt keeps the first reading for widgets not shown yet, so the page
    // hands it over again (at 150 % the texts would stay at their 100 % size).
    if (mRoot && !mRoot->styleSheet().isEmpty()) {
        const QString sheet = mRoot->styleSheet();
        mRoot->setStyleSheet(QString());
        mRoot->setStyleSheet(sheet);
    }
    Rescan();
    for (const auto& [name, widget] : mWidgets) {
        auto* edit = qobject_cast<QLineEdit*>(widget.data());
        if (edit && stepped(edit->objectName()))
            AddEditSteps(edit, arrowsOf(edit));
    }
    // The main page draws each output's phase with its curve.
    if (auto* curve = qobject_cast<UIEqualizer*>(widget(kCurveName)))
        curve->setPhaseShown(true);
}

QtPage::~QtPage() = default;

void QtPage::Rescan()
{
    mWidgets.clear();
    if (!mRoot)
        return;
    if (reports(mRoot->objectName()))
        mWidgets[mRoot->objectName().toStdString()] = mRoot.data();
    const auto widgets = mRoot->findChildren<QWidget*>();
    for (QWidget* w : widgets)
        if (reports(w->objectName()))
            mWidgets.emplace(w->objectName().toStdString(), w);
    // Controls whose widget went away are forgotten.
    for (auto it = mControls.begin(); it != mControls.end();) {
        const auto found = mWidgets.find(it->first);
        if (found == mWidgets.end() || found->second != it->second->widget())
            it = mControls.erase(it);
        else
            ++it;
    }
}

QWidget* QtPage::widget(const std::string& name) const
{
    const auto it = mWidgets.find(name);
    return it == mWidgets.end() ? nullptr : it->second.data();
}

QtControl* QtPage::control(const std::string& name)
{
    if (const auto it = mControls.find(name); it != mControls.end() && it->second->widget())
        return it->second.get();
    QWidget* w = widget(name);
    if (!w)
        return nullptr;
    auto& slot = mControls[name];
    slot = std::make_unique<QtControl>(w);
    return slot.get();
}

Control* QtPage::find(const std::string& name)
{
    return control(name);
}

EqualizerView* QtPage::equalizer()
{
    return dynamic_cast<EqualizerView*>(widget(kCurveName));
}

std::string QtPage::text(const std::string& languageId)
{
    return GetText(QString::fromStdString(languageId)).toStdString();
}

int QtPage::scale() const
{
    return CurrentDisplayScale().imagePercent();
}

void QtPage::Retranslate()
{
    for (auto& [name, control] : mControls)
        control->retranslate();
}

} // namespace dravo
