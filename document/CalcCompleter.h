// Completion in the editor: two letters of a function name offer the
// names of both notations that begin with them, each with a line about it;
// inside "mem[" or "memory[" the names of the memory cells. Tab or Enter
// takes the chosen entry, Esc closes the list, Enter with nothing chosen
// still breaks the line; Ctrl+Space opens the list anywhere.
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringView>

#include "document/CCalcView.h"

class QCompleter;
class QModelIndex;
class QStandardItemModel;

class CalcCompleter : public QObject, public IEditorKeys {
    Q_OBJECT
public:
    explicit CalcCompleter(CCalcView* view);
    ~CalcCompleter() override;

    struct Offer {
        QString name;     // what the entry completes to
        QString insert;   // what taking it inserts in place of the typed part
        QString display;  // the entry as the list shows it
    };
    // What the list offers for the text before the caret; `typed` is how much
    // of it the entry replaces. `asked`: Ctrl+Space, even with fewer letters.
    static QList<Offer> OffersFor(QStringView before, QStringView after, bool asked, int& typed);

    bool IsOpen() const;
    // Opens (or refreshes) the list for the text at the caret; closes it when
    // nothing matches.
    void Open(bool asked);
    void Close();
    QCompleter* Completer() const { return completer_; }

    // IEditorKeys
    bool BeforeKey(QKeyEvent* event) override;
    void AfterKey(QKeyEvent* event) override;

private:
    void Accept(int row);

    CCalcView* view_;
    QStandardItemModel* model_;
    QCompleter* completer_;
    int typed_ = 0;
};
