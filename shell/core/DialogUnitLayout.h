// Controls placed in dialog units and turned into pixels once the base units
// are final: a font wider than the one a template was drawn for widens the
// horizontal unit until every caption fits.
#pragma once

#include <QRect>
#include <QSize>
#include <functional>
#include <vector>

class QWidget;

class DialogUnitLayout {
public:
    explicit DialogUnitLayout(QSize baseUnits)
        : baseX_(baseUnits.width()), baseY_(baseUnits.height()) {}

    template <typename Widget>
    Widget* Place(Widget* widget, int x, int y, int w, int h) {
        placed_.push_back({widget, QRect(x, y, w, h)});
        return widget;
    }

    // Widens the horizontal unit until each widget's needed width fits its
    // box; a widget whose need is 0 does not count.
    void FitWidths(const std::function<int(const QWidget* widget)>& needed);

    // Gives every widget its box in pixels. A widget whose height (given the
    // box's) differs from the box's keeps that height, centred on its line.
    void Apply(const std::function<int(const QWidget* widget, int boxHeight)>& height) const;

    QRect Pixels(const QRect& units) const {
        return QRect(units.x() * baseX_ / 4, units.y() * baseY_ / 8, units.width() * baseX_ / 4,
                     units.height() * baseY_ / 8);
    }
    int BaseX() const { return baseX_; }
    int BaseY() const { return baseY_; }

private:
    struct Placed {
        QWidget* widget;
        QRect units;
    };
    std::vector<Placed> placed_;
    int baseX_;
    int baseY_;
};
