#include "shell/core/DialogUnitLayout.h"

#include <QWidget>
#include <algorithm>

void DialogUnitLayout::FitWidths(const std::function<int(const QWidget* widget)>& needed) {
    for (const Placed& p : placed_) {
        const int width = needed(p.widget);
        if (width <= 0 || p.units.width() <= 0) continue;
        baseX_ = std::max(baseX_, (width * 4 + p.units.width() - 1) / p.units.width());
    }
}

void DialogUnitLayout::Apply(
    const std::function<int(const QWidget* widget, int boxHeight)>& height) const {
    for (const Placed& p : placed_) {
        const QRect box = Pixels(p.units);
        const int h = height(p.widget, box.height());
        if (h == box.height())
            p.widget->setGeometry(box);
        else
            p.widget->setGeometry(box.x(), box.center().y() - h / 2, box.width(), h);
    }
}
