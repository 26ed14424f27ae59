// What the keypad may ask of the document.
#pragma once

#include <QString>

// Values are part of the keypad contract.
enum CalcCommand : int {
    ClearAll = 0,
    DeleteBack = 1,
    CalculateCell = 2,
    CalculateAll = 3,
    FreeMemory = 4,
};

class ICmdReceiver {
public:
    // One of CalcCommand; any other code does nothing.
    virtual void ExecuteCommand(int command) = 0;
    // Replaces the editor's selection by the text as an undoable edit.
    virtual void InsertText(const QString& text) = 0;

protected:
    ~ICmdReceiver() = default;
};
