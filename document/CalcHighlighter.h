// Colours the editor's text by role (see CalcSyntax), lazily: a line is
// coloured when it is edited or comes into view, and the state carried from
// line to line (an open comment, a cell running on) is worked out only as
// far as the lines in view need it. Very long lines stay plain.
#pragma once

#include <QObject>
#include <QTextCharFormat>
#include <QTimer>
#include <array>

#include "document/CalcSyntax.h"

class CCalcView;
class QTextBlock;

class CalcHighlighter : public QObject {
    Q_OBJECT
public:
    explicit CalcHighlighter(CCalcView* view);

    void SetEnabled(bool enabled);
    bool IsEnabled() const { return enabled_; }

    // The format of a role, made from the view's palette.
    QTextCharFormat Format(CalcSyntax::Role role) const { return formats_[static_cast<int>(role)]; }
    // Takes the colours from the palette again (after a palette change).
    void UpdateColours();

    // Colours the lines in view that need it; runs by itself after edits,
    // scrolling and resizing.
    void HighlightVisible();

    // Lines longer than this are left plain.
    static constexpr int kLongLine = 8192;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnContentsChange(int position, int removed, int added);
    // The state at the start of `block`, working out the lines before it as
    // far as needed.
    int EntryState(const QTextBlock& block);
    void Colour(QTextBlock& block, int entry);
    // The same with the state the line before left; a part of a long line
    // stays plain and needs none.
    void Colour(QTextBlock& block);
    void ClearAll();

    CCalcView* view_;
    QWidget* viewport_;  // the view's, as it was when watched
    bool enabled_ = false;
    // Every line up to this one has a state that follows from the lines before.
    int validUpTo_ = -1;
    QTimer visibleTimer_;
    std::array<QTextCharFormat, CalcSyntax::kRoleCount> formats_;
};
