// The toolkit's modal dialog: a frameless window with per-pixel alpha that
// draws its own rounded frame, caption band, caption icon and round close
// button, casts a soft shadow through a separate window, and opens and
// closes with a short animation from its centre.
#pragma once

#include <QAccessible>
#include <QDialog>
#include <QHash>
#include <QImage>
#include <QPainterPath>
#include <QPointer>
#include <QVector>

#include "toolkit/TaImage.h"
#include "toolkit/TaShadow.h"

class QPropertyAnimation;
class QVariantAnimation;
class TaControl;
class TaFonts;

class TaDialog : public QDialog {
    Q_OBJECT
    Q_PROPERTY(qreal reveal READ Reveal WRITE SetReveal)
public:
    enum class Hit { Nowhere, SystemMenu, Close, Caption, Client, Border };

    // Nothing is created before the modal run.
    TaDialog(int templateId, const TaFonts& fonts, QWidget* parent = nullptr);
    ~TaDialog() override;

    // Shows the dialog modally; the result id (IDOK, IDCANCEL, ...).
    int DoModal();
    // The owner for a dialog of the active window: that window, never a
    // popup. Open popups are closed first: they would keep the input, and a
    // menu that deletes itself on closing would take its children along.
    static QWidget* ActiveOwner();
    // Closes the open popups, the innermost first.
    static void ClosePopups();

    int TemplateId() const { return templateId_; }
    unsigned HelpId() const { return helpId_; }
    void SetHelpId(unsigned id) { helpId_ = id; }
    const TaFonts& Fonts() const { return fonts_; }

    int CaptionHeight() const { return captionHeight_; }
    int CornerRadius() const { return (captionHeight_ * 10 + 16) / 32; }
    int CaptionIconId() const { return captionIconId_; }
    void SetCaptionIconId(int id) { captionIconId_ = id; }
    QRgb BackgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(QRgb argb) { backgroundColor_ = argb; }
    int DpiX() const { return dpiX_; }
    int DpiY() const { return dpiY_; }

    // Initialisation without the modal loop (the modal run calls it too);
    // true once initialised.
    bool Initialize();
    bool Initialized() const { return initialized_; }
    // Whether the window blends per-pixel alpha; otherwise it is an opaque
    // window shaped by a mask and has no shadow window.
    bool Composited() const { return composited_; }
    TaShadow* Shadow() const { return shadow_; }

    // The whole window, as last rendered.
    const QImage& BackBuffer() const { return backBuffer_; }
    void Render();

    // Window coordinates.
    Hit HitTest(const QPoint& point) const;
    QRectF CloseButtonBox() const;
    const TaImage& CaptionIcon() const { return captionIcon_; }
    QPainterPath Shape() const;
    QRect ClientRect() const;

    bool CloseHovered() const { return closeHovered_; }
    bool ClosePressed() const { return closePressed_; }
    bool ActiveLook() const { return activeNow_; }
    // A new activation state; redraws the caption and close button when it changed.
    void SetActiveLook(bool active);

    // A control's look changed: draw it on the next paint.
    void ControlChanged(TaControl* control);
    // The command of a button (its id).
    virtual void OnCommand(int id);

    // The dialog's default button (set by the content); the focused push
    // button is the default while it has the focus.
    void SetDefaultControl(TaControl* control);
    TaControl* DefaultControl() const { return defaultControl_; }
    TaControl* CurrentDefault() const { return currentDefault_; }

    // Share of the window shown while opening and closing (0..1).
    qreal Reveal() const { return reveal_; }
    void SetReveal(qreal reveal);
    bool Closing() const { return closing_; }

    // What the accessibility bus shows of the dialog besides its caption and
    // controls: its role, the text that describes it, and the images it
    // draws with what each shows.
    struct AccessibleImage {
        const TaImage* image;
        QString name;
    };
    virtual QAccessible::Role AccessibleRole() const { return QAccessible::Dialog; }
    virtual QString AccessibleDescription() const { return {}; }
    virtual QVector<AccessibleImage> AccessibleImages() const { return {}; }

    // Off in tests that only need the results.
    static void SetAnimationsEnabled(bool enabled);
    static bool AnimationsEnabled();
    static constexpr int OpenMilliseconds = 190;
    static constexpr int CloseMilliseconds = 180;

    void accept() override;  // OK
    void reject() override;  // Esc, the close button, the window being closed

protected:
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // Draws the derived dialog's controls; default: nothing.
    virtual bool DrawContent(QPainter& painter);
    // Positions the derived dialog's controls; default: 1. Returns 0 when it
    // has given the focus to a control itself (the default button then does
    // not take it when the dialog opens).
    virtual int LayoutContent();
    // Draws the controls whose look changed; default: every dirty TaControl,
    // on the background where it was and where it is now.
    virtual void DrawChangedContent(QPainter& painter);

    // Animates the shadow and then the dialog closed, then ends with `result`.
    void EndAnimated(int result);
    // Moves the window's centre to the centre of the desktop.
    void CenterOnDesktop();

    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    void RenderCaption();
    void DrawCloseButton(QPainter& painter) const;
    void DrawFrame(QPainter& painter) const;
    void UpdateMask();
    void StartOpening();
    void OnFocusChanged(QWidget* old, QWidget* now);
    void ApplyDefault(TaControl* control);
    void SetCloseState(bool hovered, bool pressed);
    bool InCloseCircle(const QPoint& point) const;
    bool InIconCircle(const QPoint& point) const;
    static QRect DrawnArea(const TaControl* control);
    QPropertyAnimation* Animate(QObject* target, qreal from, qreal to, int ms);

    int templateId_;
    const TaFonts& fonts_;
    unsigned helpId_ = 0;
    int captionHeight_ = 50;
    int captionIconId_ = 141;
    QRgb backgroundColor_ = 0xFFF8F8F8;
    int dpiX_ = 96;
    int dpiY_ = 96;
    bool initialized_ = false;
    bool focusFromContent_ = false;
    bool composited_ = true;
    // Where each control was last drawn into the back buffer.
    QHash<const TaControl*, QRect> drawnAreas_;

    QImage backBuffer_;
    QImage captionBuffer_;
    TaImage captionIcon_;
    int iconCenter2X_ = -1, iconCenter2Y_ = -1, iconRadius2_ = -1;
    int closeCenter2X_ = -1, closeCenter2Y_ = -1, closeRadius2_ = -1;

    bool closeHovered_ = false;
    bool closePressed_ = false;
    bool closeCaptured_ = false;
    bool leaveTracking_ = false;
    bool activeDrawn_ = false;
    bool activeNow_ = true;

    QPointer<TaShadow> shadow_;
    int shadowMarginX_ = 64;
    int shadowMarginY_ = 64;

    TaControl* defaultControl_ = nullptr;
    TaControl* currentDefault_ = nullptr;

    qreal reveal_ = 1.0;
    bool closing_ = false;
    QPointer<QVariantAnimation> animation_;
    bool wasActive_ = false;
    bool dragging_ = false;
    QPoint dragOffset_;
};
