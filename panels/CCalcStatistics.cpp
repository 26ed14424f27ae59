#include "panels/CCalcStatistics.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "panels/PanelServices.h"

namespace {
// Rows of the template, in dialog units.
constexpr int kRowTop[StatisticCount] = {3, 19, 35, 51, 67, 84};
}  // namespace

CCalcStatistics::CCalcStatistics(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CCalcStatistics"));
    static const char* const names[StatisticCount] = {
        QT_TR_NOOP("Mean (average)"),    QT_TR_NOOP("Variance"), QT_TR_NOOP("Standard deviation"),
        QT_TR_NOOP("Average deviation"), QT_TR_NOOP("Skewness"), QT_TR_NOOP("Kurtosis")};
    for (int index = 0; index < StatisticCount; ++index) {
        auto* label = new QLabel(tr(names[index]), this);
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("edit%1").arg(BoxIds[index]));
        box->setReadOnly(true);
        box->setAccessibleName(label->text());
        box->setFocusPolicy(Qt::StrongFocus);  // tab through the results and copy them
        label->setBuddy(box);
        box->installEventFilter(this);
        labels_[index] = label;
        boxes_[index] = box;
    }
    // Focusing the panel returns to the box last used, so the panel's own
    // focus key leaves the focus where it is.
    setFocusProxy(boxes_[0]);
    Layout();
}

void CCalcStatistics::Calculate(const std::vector<double>& values) {
    shown_ = ComputeStatistics(values);
    calculated_ = true;
    ShowValues();
    emit ShowRequested();
}

void CCalcStatistics::ShowValues() {
    if (!calculated_) return;
    for (int index = 0; index < StatisticCount; ++index) {
        boxes_[index]->setText(StatisticText(shown_[index]));
        boxes_[index]->setCursorPosition(0);
    }
}

int CCalcStatistics::LabelOverflow() const {
    const int column = PanelDialogUnits(this, 68 - 3, 0).width();
    int overflow = 0;
    for (const QLabel* label : labels_)
        overflow = std::max(overflow, label->sizeHint().width() - column);
    // A label that does not fit keeps a gap of 3 units before its box.
    return overflow > 0 ? overflow + PanelDialogUnits(this, 3, 0).width() : 0;
}

void CCalcStatistics::Layout() {
    // Template geometry: labels at x 3, boxes at x 68, 207 wide and 14 high;
    // the boxes move right when a (translated) label is wider than that.
    const QSize boxOrigin = PanelDialogUnits(this, 68, 0) + QSize(LabelOverflow(), 0);
    const QSize boxSize = PanelDialogUnits(this, 207, 14);
    const QSize labelLeft = PanelDialogUnits(this, 3, 0);
    for (int index = 0; index < StatisticCount; ++index) {
        const int top = PanelDialogUnits(this, 0, kRowTop[index]).height();
        boxes_[index]->setGeometry(boxOrigin.width(), top, boxSize.width(), boxSize.height());
        labels_[index]->setGeometry(labelLeft.width(), top, boxOrigin.width() - labelLeft.width(),
                                    boxSize.height());
        labels_[index]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
}

QSize CCalcStatistics::sizeHint() const {
    return PanelDialogUnits(this, 278, 101) + QSize(LabelOverflow(), 0);
}

QSize CCalcStatistics::minimumSizeHint() const { return sizeHint(); }

bool CCalcStatistics::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn)
        for (QLineEdit* box : boxes_)
            if (watched == box) setFocusProxy(box);
    return QWidget::eventFilter(watched, event);
}

void CCalcStatistics::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) Layout();
}
