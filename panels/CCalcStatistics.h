// The statistics panel: six read-only boxes with the statistics of the
// memory cells the memory panel chose. The frame hosts it in the
// "Statistics" bar and shows that bar when new results arrive.
#pragma once

#include <QWidget>
#include <vector>

#include "panels/StatisticsMath.h"

class QLabel;
class QLineEdit;

class CCalcStatistics : public QWidget {
    Q_OBJECT
public:
    static constexpr int BoxIds[StatisticCount] = {1090, 1091, 1096, 1093, 1094, 1095};

    explicit CCalcStatistics(QWidget* parent = nullptr);

    // Computes over `values` (at least two), fills the boxes and asks for the bar.
    void Calculate(const std::vector<double>& values);
    // Writes the last results again, under the current result digits.
    void ShowValues();

    QLineEdit* Box(StatisticIndex index) const { return boxes_[index]; }
    QLabel* Label(StatisticIndex index) const { return labels_[index]; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // New results are in the boxes: the frame shows the statistics bar if hidden.
    void ShowRequested();

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Layout();
    // Pixels the widest label needs beyond the template's label column.
    int LabelOverflow() const;

    QLabel* labels_[StatisticCount];
    QLineEdit* boxes_[StatisticCount];
    Statistics shown_{};
    bool calculated_ = false;
};
