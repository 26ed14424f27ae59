// The program's message dialog: one of four kinds (informs, asks, warns,
// stops) with its image, one or two lines of text and a row of buttons.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>

#include "toolkit/TaDialog.h"

class TaButton;
class TaStatic;

class TaMessageDialog : public TaDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 108;

    enum class Kind { Stops, Asks, Warns, Informs };
    struct ButtonEntry {
        int captionId;  // string id of the caption
        int result;     // the answer it gives
    };

    // `type`: the platform's message-box flags; `helpId` is kept as the
    // dialog's help id when nonzero.
    TaMessageDialog(const QString& text, unsigned type, unsigned helpId, const TaFonts& fonts,
                    QWidget* parent = nullptr);
    ~TaMessageDialog() override;

    // The tables behind the dialog.
    static Kind KindOf(unsigned type);
    static int CaptionIdOf(Kind kind);
    static int ImageIdOf(Kind kind);
    static QVector<ButtonEntry> ButtonsOf(unsigned type);
    static int DefaultButtonOf(unsigned type);
    // Before the first line feed, and after it up to a further one.
    static QPair<QString, QString> SplitLines(const QString& text, bool* twoLines = nullptr);
    // `line` in pieces no wider than `maxWidth` (as `widthOf` measures),
    // broken after a path separator or a space where one fits, else between
    // characters; a line that fits comes back whole.
    static QStringList BreakLine(const QString& line, int maxWidth,
                                 const std::function<int(const QString&)>& widthOf);
    // The help id for a prompt's string id: 0x10000 + id, or 128 without one.
    static unsigned HelpIdFor(unsigned promptId) {
        return promptId != 0 ? 0x10000u + promptId : 128u;
    }

    Kind MessageKind() const { return kind_; }
    unsigned Type() const { return type_; }
    const QString& MessageText() const { return text_; }
    // Valid after initialisation: the lines as shown, a message line too
    // wide for the screen broken into several; null past the last.
    TaStatic* Line(int index) const {
        return index >= 0 && index < lines_.size() ? lines_[index] : nullptr;
    }
    int LineCount() const { return static_cast<int>(lines_.size()); }
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TaButton* Button(int index) const { return buttons_[index]; }
    const TaImage& KindImage() const { return kindImage_; }
    int DefaultIndex() const { return defaultIndex_; }

    void OnCommand(int id) override;

    // The index of the only button whose shown caption starts with the
    // letter `text` (either case), -1 when none or several do.
    int ButtonForLetter(const QString& text) const;
    // "Question", "Warning", "Information" or "Stop": what the kind image shows.
    static QString KindImageName(Kind kind);

    // Warnings and stops are alerts; the caption is the name, the message the description.
    QAccessible::Role AccessibleRole() const override;
    QString AccessibleDescription() const override { return text_; }
    QVector<AccessibleImage> AccessibleImages() const override;

protected:
    // A letter chooses the button it begins, as in the platform's message boxes.
    void keyPressEvent(QKeyEvent* event) override;
    int LayoutContent() override;
    bool DrawContent(QPainter& painter) override;

private:
    QString text_;
    unsigned type_;
    Kind kind_;
    TaImage kindImage_;
    QVector<TaStatic*> lines_;
    QVector<TaButton*> buttons_;
    QVector<ButtonEntry> table_;
    int defaultIndex_ = 0;
};

// The application's message-box operation: beeps, shows the message dialog
// modally over `owner` and answers the button pressed (IDOK, IDCANCEL, ...).
// `promptId`: the string id the text came from, 0 when none.
int TaMessageBox(QWidget* owner, const QString& text, unsigned type, unsigned promptId,
                 const TaFonts& fonts);
