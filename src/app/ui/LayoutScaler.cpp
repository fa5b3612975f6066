#include "LayoutScaler.h"

#include "DisplayScale.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLayout>
#include <QWidget>

namespace dravo {
namespace {

int scaleLimit(const DisplayScale& scale, int value, int unlimited)
{
    return value <= 0 || value >= unlimited ? value : scale.scale(value);
}

void scaleWidget(QWidget* w, bool placedByHand, const DisplayScale& scale)
{
    if (placedByHand)
        w->setGeometry(scale.scale(w->geometry()));
    const QSize min = w->minimumSize();
    if (!min.isNull())
        w->setMinimumSize(scaleLimit(scale, min.width(), QWIDGETSIZE_MAX),
                          scaleLimit(scale, min.height(), QWIDGETSIZE_MAX));
    const QSize max = w->maximumSize();
    if (max != QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX))
        w->setMaximumSize(scaleLimit(scale, max.width(), QWIDGETSIZE_MAX),
                          scaleLimit(scale, max.height(), QWIDGETSIZE_MAX));
    if (w->testAttribute(Qt::WA_SetFont))
        w->setFont(scale.scale(w->font()));
    if (!w->styleSheet().isEmpty())
        w->setStyleSheet(scale.scaleStyleSheet(w->styleSheet()));
}

void scaleLayout(QLayout* layout, const DisplayScale& scale)
{
    layout->setContentsMargins(scale.scale(layout->contentsMargins()));
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        grid->setHorizontalSpacing(scale.scale(grid->horizontalSpacing()));
        grid->setVerticalSpacing(scale.scale(grid->verticalSpacing()));
    } else if (layout->spacing() > 0) {
        layout->setSpacing(scale.scale(layout->spacing()));
    }
    for (int i = 0; i < layout->count(); ++i) {
        if (QSpacerItem* spacer = layout->itemAt(i)->spacerItem()) {
            const QSize hint = spacer->sizeHint();
            const QSizePolicy policy = spacer->sizePolicy();
            spacer->changeSize(scale.scale(hint.width()), scale.scale(hint.height()), policy.horizontalPolicy(),
                               policy.verticalPolicy());
        }
    }
    layout->invalidate();
}

} // namespace

void ScaleWidgetTree(QWidget* root, const DisplayScale& scale)
{
    if (!root || scale.dpi() == DisplayScale::kBaseDpi)
        return;
    scaleWidget(root, true, scale);
    const auto widgets = root->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        const QWidget* parent = w->parentWidget();
        scaleWidget(w, !w->isWindow() && parent && !parent->layout(), scale);
    }
    const auto layouts = root->findChildren<QLayout*>();
    for (QLayout* layout : layouts)
        scaleLayout(layout, scale);
}

} // namespace dravo
