// What the panels need from the application without linking the shell:
// the message box (questions and warnings) and the settings store.
#pragma once

#include <QSettings>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>

class QWidget;

// Called like the platform's message box: text, type flags (buttons, icon,
// default button) and help context; answers IDYES, IDNO, IDOK, ...
using PanelAsk = std::function<int(const QString& text, unsigned type, unsigned help)>;

// The application's own message box, used when a panel was given none.
PanelAsk DefaultPanelAsk();

// The per-user settings store, opened on the section `group`.
std::unique_ptr<QSettings> OpenPanelSettings(const QString& group);

// Dialog units to pixels with the base units of the widget's font.
QSize PanelDialogUnits(const QWidget* widget, int x, int y);
