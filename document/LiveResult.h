// What Calculate would write for the cell at the caret, worked out a moment
// after typing stops, without touching the text, the memory, rslt, the log
// or the undo history.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "engine/CalculateText.h"

class CCalcView;
class QTextDocument;

class LiveResult : public QObject {
    Q_OBJECT
public:
    explicit LiveResult(CCalcView* view);

    void SetEnabled(bool enabled);
    bool IsEnabled() const { return enabled_; }

    // Works the result out at once (a calculation or another change the
    // text does not show has happened).
    void Update();
    const QString& Text() const { return text_; }

    // "= " and the result, the error of a failing cell, or nothing.
    static QString TextOf(const NCalculatorText::CellPreview& preview);
    // Every diagnostic, one a line.
    static QString TipOf(const NCalculatorText::CellPreview& preview);

    // The text a preview of the cell at `position` needs and the position
    // in it: the cells around it, or the whole text when a "/*" is open.
    // Without `blockComments` the text is known to hold no "/*".
    struct Window {
        std::u16string text;
        int32_t position = 0;
    };
    static Window WindowAround(const QTextDocument* document, int position,
                               bool blockComments = true);
    // Texts up to this many code units are previewed whole.
    static constexpr int kWholeTextUnits = 1 << 20;

    // Typing must have paused this long.
    static constexpr int kDelayMs = 120;

signals:
    void Changed(const QString& text, const QString& tip);

private:
    static Window WindowAroundLines(const QTextDocument* document, int position);
    // One past the last ";" outside comments of each line (-1 for none), and
    // whether the text leaves a "/*" open.
    struct CellEnds {
        std::vector<int> lastCut;
        bool closed = true;
    };
    static CellEnds ReadCellEnds(const QTextDocument* document);
    static Window WindowFromCellEnds(const QTextDocument* document, const CellEnds& ends,
                                     int position);

    enum class Comments { Unknown, None, Some };
    Comments comments_ = Comments::Unknown;
    quint64 edits_ = 0;  // changes of the text so far
    std::unique_ptr<CellEnds> cellEnds_;
    quint64 cellEndsEdits_ = 0;
    CCalcView* view_;
    QTimer timer_;
    bool enabled_ = false;
    QString text_;
};
