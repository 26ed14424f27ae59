// The main window's commands as data: what each action shows, which keys it
// answers and whether it carries a check mark. The texts are untranslated
// sources of the "CCalcMainFrame" context; the frame translates them when
// it makes the actions.
#pragma once

#include <QKeyCombination>
#include <span>

// The fields keep the order of the table's columns; a few padding bytes a row
// are not worth a harder-to-read table.
struct CommandEntry {         // NOLINT(clang-analyzer-optin.performance.Padding)
    int id;                   // a CommandId
    const char* text;         // menu text; nullptr when the frame fills it in later
    QKeyCombination keys[2];  // main key first; QKeyCombination() stands for none
    const char* prompt;       // status-bar prompt, nullptr for none
    const char* tip;          // tool tip, nullptr for Qt's default (the menu text)
    bool checkable;
};

// Every command the frame makes an action for, in the order they are made.
std::span<const CommandEntry> CommandTable();
