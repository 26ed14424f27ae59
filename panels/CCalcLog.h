// The log panel: the errors and warnings of the latest calculation run.
// It is the engine's log receiver; the frame hosts it in the "Log" bar.
#pragma once

#include <QWidget>

#include "engine/Diagnostics.h"

class QTreeWidget;

class CCalcLog : public QWidget, public NCalculatorText::ILogReceiver {
    Q_OBJECT
public:
    enum Column { NumberColumn, StatusColumn, ContextColumn, DescriptionColumn, ColumnCount };
    static constexpr int ListId = 1055;

    // Reads the column widths of "GUI/Log".
    explicit CCalcLog(QWidget* parent = nullptr);
    // Writes the column widths back.
    ~CCalcLog() override;

    // ILogReceiver
    void AddMessage(const NCalculatorText::Diagnostic& record) override;
    void Clear() override;

    QTreeWidget* List() const { return list_; }
    // The severity kept with a row.
    int RowSeverity(int row) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A message arrived with LogPopup on: the frame shows the log's bar if it
    // is hidden, at once and without moving the focus.
    void PopupRequested();
    // An error row was double-clicked (or activated): show where it happened.
    void ErrorActivated();
    // Any row was double-clicked (or activated): show where it came from.
    void RowActivated(int row);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QTreeWidget* list_;
};
