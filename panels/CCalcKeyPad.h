// The keypad panel (dialog 101): 64 buttons that type the calculation
// language into the editor and send the document's service commands, in
// four drawing styles with three colour groups and a font of its own.
#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

#include "panels/KeypadLayout.h"
#include "panels/KeypadSettings.h"
#include "panels/KeypadTable.h"

class CColorButton;
class ICmdReceiver;

// Holds the receiver of the keypad's text and commands; attached once.
class ICmdSender {
public:
    void SetReceiver(ICmdReceiver* receiver) { receiver_ = receiver; }
    ICmdReceiver* Receiver() const { return receiver_; }

protected:
    ~ICmdSender() = default;
    ICmdReceiver* receiver_ = nullptr;
};

class CCalcKeyPad : public QWidget, public ICmdSender {
    Q_OBJECT
public:
    // Asks a question the way the platform's message box does: text,
    // MB_* type flags, help context; answers IDOK, IDYES, ...
    using MessageFunction = std::function<int(const QString& text, unsigned type, unsigned help)>;
    // Picks a colour starting from the given one; nothing for Cancel.
    using ColorChooser = std::function<std::optional<QColor>(const QColor& initial)>;

    // Reads "GUI/Keypad" and lays the keypad out. `message` shows the
    // warning about a stored font that cannot be made.
    explicit CCalcKeyPad(QWidget* parent = nullptr, MessageFunction message = {});
    // Writes "GUI/Keypad".
    ~CCalcKeyPad() override;

    // --- command model ------------------------------------------------------
    // What pressing the button with this control id does.
    void OnButton(int controlId);
    // Relabels the 30 notation-dependent buttons and lays the keypad out
    // again, unless `notation` is already in force.
    void ApplyNotation(int notation);
    int NotationIndex() const { return notation_; }

    // --- appearance commands (Set > Keypad) ----------------------------------
    // Carries out one of the CommandId::Keypad* commands; false for other ids.
    bool OnCommand(int command);
    struct CommandState {
        bool enabled = true;
        bool checked = false;
    };
    CommandState StateOf(int command) const;

    void SetStyle(int style);
    int StoredStyle() const { return appearance_.style; }
    int EffectiveStyle() const;

    void SetGroupTextColor(Keypad::Group group, const QColor& color);
    void SetGroupFaceColor(Keypad::Group group, const QColor& color);
    void UseSystemTextColor();
    void UseSystemFaceColor();
    void DefaultTextColors();
    void DefaultFaceColors();
    const Keypad::Appearance& CurrentAppearance() const { return appearance_; }

    // Font dialog; then the chosen font.
    void SelectFont();
    // The keypad dialog's own font.
    void UseSystemFont();
    void UseDefaultFont();
    QFont KeypadFont() const { return font_; }
    bool FontIsDefault() const { return fontIsDefault_; }
    bool FontIsSystem() const { return fontIsSystem_; }

    // Colour dialogs go through this (CCalcColorDialog when unset).
    void SetColorChooser(ColorChooser chooser) { colorChooser_ = std::move(chooser); }

    // --- pieces -------------------------------------------------------------
    CColorButton* Button(int index) const { return buttons_[static_cast<size_t>(index)]; }
    CColorButton* ButtonById(int controlId) const;
    const Keypad::Gaps& TemplateGaps() const { return gaps_; }
    const Keypad::Metrics& LayoutMetrics() const { return metrics_; }

    // Screen-reader names follow the notation and AppendPower.
    void RefreshAccessibleNames();

    // The natural size, laid out from the keypad font; given less room the
    // keypad draws itself smaller, down to minimumSizeHint().
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // The height of the keypad drawn at the scale that `width` allows.
    int heightForWidth(int width) const override;
    // The share of the natural size the keypad is drawn at now, and the
    // smallest it may be drawn at on its screen.
    double Scale() const { return scale_; }
    double SmallestScale() const { return smallestScale_; }

signals:
    // The keypad was laid out again; the hosting bar takes the new size.
    void layoutChanged(const QSize& size);
    // A panel-wide key (accelerator table 130) the keypad leaves to the
    // frame: bar toggles, focus commands except its own, file commands.
    void panelCommand(int command);
    // F1 over a button: the help context to show.
    void helpRequested(uint32_t context);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateButtons();
    void LoadFont();
    void SetDefaultFont();
    void ApplyFont(const QFont& font, const Keypad::LogicalFont& description);
    void DecideFontFlags();
    void LayOutKeypad();
    // Places the buttons at the scale the keypad's present size allows.
    void ArrangeButtons();
    void ApplyGroupTextColors();
    void ApplyGroupFaceColors();
    void ChooseColor(Keypad::Group group, bool text);
    bool HandleKey(CColorButton* button, QKeyEvent* event);
    void MoveFocus(int from, int key);
    void Execute(int command);
    Keypad::LogicalFont DialogFontDescription() const;

    MessageFunction message_;
    ColorChooser colorChooser_;
    std::array<CColorButton*, Keypad::ButtonCount> buttons_{};
    int notation_ = Keypad::East;
    QString scratch_;
    Keypad::Appearance appearance_;
    QFont font_;
    bool fontIsDefault_ = false;
    bool fontIsSystem_ = false;
    Keypad::Gaps gaps_;
    Keypad::Metrics metrics_;
    QSize size_;
    QSize smallest_;
    double scale_ = 1.0;
    double smallestScale_ = Keypad::kSmallestScale;
    int lastFocused_ = 0;
};
