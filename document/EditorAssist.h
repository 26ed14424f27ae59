// The editor's helpers together: colours, the bracket paired with the one
// at the caret, completion and the live result, with their two switches
// (section "GUI/Editor": "Highlighting" and "LiveResult", both on at first).
#pragma once

#include <QObject>

class CCalcView;
class CalcCompleter;
class CalcHighlighter;
class LiveResult;
class QSettings;

class EditorAssist : public QObject {
    Q_OBJECT
public:
    explicit EditorAssist(CCalcView* view);

    void LoadSettings(QSettings& settings);
    void SaveSettings(QSettings& settings) const;

    void SetHighlighting(bool on);
    bool Highlighting() const;
    void SetLiveResult(bool on);
    bool LiveResultShown() const;

    CalcHighlighter* Highlighter() const { return highlighter_; }
    CalcCompleter* Completer() const { return completer_; }
    LiveResult* Live() const { return live_; }

    // Marks the bracket that pairs with the one beside the caret.
    void MarkMatchingBracket();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CCalcView* view_;
    CalcHighlighter* highlighter_;
    CalcCompleter* completer_;
    LiveResult* live_;
};
