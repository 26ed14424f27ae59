// The font chooser of the editor, print and keypad fonts.
#pragma once

#include <QFont>
#include <functional>
#include <optional>

class QWidget;

class CCalcFontDialog {
public:
    CCalcFontDialog(const QFont& initial, QWidget* parent);
    // True on OK; the chosen font is then SelectedFont().
    bool DoModal();
    const QFont& SelectedFont() const { return font_; }

    // Tests replace the dialog: the chooser gets the initial font and
    // answers the chosen font, or nothing for Cancel.
    using Chooser = std::function<std::optional<QFont>(const QFont& initial)>;
    static Chooser SetChooser(Chooser chooser);

private:
    QFont font_;
    QWidget* parent_;
};
