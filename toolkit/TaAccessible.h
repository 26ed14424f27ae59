// What screen readers hear of the toolkit: accessible interfaces for the
// controls and dialogs that draw themselves, so their texts, buttons and
// images reach the accessibility bus like the platform's own widgets.
#pragma once

#include <QAccessible>
#include <QString>

class QObject;

// Installs the interfaces' factory; calls after the first do nothing.
void TaInstallAccessibility();

// Tells the accessibility bus that `object` changed (NameChanged, DialogStart, ...).
void TaNotifyAccessible(QObject* object, QAccessible::Event event);
// Tells the bus that the given state of `object` changed.
void TaNotifyAccessibleState(QObject* object, const QAccessible::State& changed);

// Tests see the toolkit's own notices here: without a listening reader the
// platform drops them before any handler.
using TaAccessibleNoticeHook = void (*)(QAccessibleEvent* event);
void TaSetAccessibleNoticeHook(TaAccessibleNoticeHook hook);

// A caption as it is spoken: "&&" stands for "&", a single "&" marks the mnemonic.
QString TaSpokenText(const QString& caption);
