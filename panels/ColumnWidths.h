// Column widths of a panel's list, kept in the panel's settings section:
// read once when the list is set up, written back when the panel goes.
#pragma once

#include <QString>
#include <QVector>

class QTreeView;

struct ColumnWidthKey {
    QString key;            // value name in the section
    QString measuringText;  // the default width fits this text
};

// The width a column needs to show `text` in `view`'s font, item margins included.
int MeasuredColumnWidth(const QTreeView* view, const QString& text);

// A stored width as a column can show it: a negative one is the measured
// default; otherwise at least `minimum` (the title stays readable, so a column
// never vanishes for good) and at most `screen` (a column never pushes the
// rest off the screen). The screen wins when the two disagree.
int ClampColumnWidth(int stored, int measured, int minimum, int screen);

// Each column's stored width within what ClampColumnWidth allows, or its
// measured default when none is stored; the minimum fits the column's title.
QVector<int> ReadColumnWidths(const QString& section, const QVector<ColumnWidthKey>& keys,
                              const QTreeView* view);

// The view's current widths, written in the order of `keys`.
void WriteColumnWidths(const QString& section, const QVector<ColumnWidthKey>& keys,
                       const QTreeView* view);
