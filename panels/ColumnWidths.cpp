#include "panels/ColumnWidths.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTreeView>
#include <algorithm>

#include "panels/PanelServices.h"
#include "shell/core/SettingsStore.h"

int MeasuredColumnWidth(const QTreeView* view, const QString& text) {
    // What the item delegate asks for to show the text unelided, margins included.
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.font = view->font();
    option.fontMetrics = view->fontMetrics();
    option.text = text;
    option.features = QStyleOptionViewItem::HasDisplay;
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    const int delegateWidth =
        view->style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), view).width();
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    return std::max(delegateWidth, view->fontMetrics().horizontalAdvance(text) + 2 * margin) +
           2 * margin;
}

namespace {
int ScreenWidthLimit() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? std::max(screen->availableGeometry().width(), 64) : 4096;
}
}  // namespace

int ClampColumnWidth(int stored, int measured, int minimum, int screen) {
    if (stored < 0) return measured;
    return std::min(std::max(stored, minimum), screen);
}

QVector<int> ReadColumnWidths(const QString& section, const QVector<ColumnWidthKey>& keys,
                              const QTreeView* view) {
    const auto settings = OpenPanelSettings(section);
    QVector<int> widths;
    widths.reserve(keys.size());
    for (int column = 0; column < keys.size(); ++column) {
        const int measured = MeasuredColumnWidth(view, keys[column].measuringText);
        const QString title = view->model() != nullptr
                                  ? view->model()->headerData(column, Qt::Horizontal).toString()
                                  : QString();
        const int stored = ReadProfileInt(*settings, keys[column].key, measured);
        widths.append(ClampColumnWidth(stored, measured, MeasuredColumnWidth(view, title),
                                       ScreenWidthLimit()));
    }
    return widths;
}

void WriteColumnWidths(const QString& section, const QVector<ColumnWidthKey>& keys,
                       const QTreeView* view) {
    const auto settings = OpenPanelSettings(section);
    for (int column = 0; column < keys.size(); ++column)
        WriteProfileInt(*settings, keys[column].key, view->header()->sectionSize(column));
}
