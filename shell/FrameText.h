// Texts of the main window: title and status panes.
#pragma once

#include <QString>
#include <cstdint>

// " Tarvik F — Calculation", with "°" after a changed document's title and
// ":n" for a numbered window; without a document " Tarvik F".
QString BuildFrameTitle(const QString& frameTitle, const QString& documentTitle, bool modified,
                        int windowNumber = 0);
QString BuildFrameTitle(const QString& frameTitle);

// "rslt = " and the result as the result digits preference writes it.
QString ResultPaneText(double result);
