#include "toolkit/TaDialog.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QRadialGradient>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "toolkit/MessageBoxTypes.h"
#include "toolkit/TaAccessible.h"
#include "toolkit/TaButton.h"
#include "toolkit/TaColor.h"
#include "toolkit/TaCompositing.h"
#include "toolkit/TaControl.h"
#include "toolkit/TaFonts.h"
#include "toolkit/TaLink.h"
#include "toolkit/TaShadow.h"
#include "toolkit/TaText.h"

namespace {

bool animationsEnabled = true;

// A rounded rectangle in pixel-centre coordinates whose corner arcs have diameter d.
QPainterPath RoundedPath(const QRectF& rect, qreal d) {
    QPainterPath path;
    path.addRoundedRect(rect, d / 2.0, d / 2.0);
    return path;
}

}  // namespace

void TaDialog::SetAnimationsEnabled(bool enabled) { animationsEnabled = enabled; }
bool TaDialog::AnimationsEnabled() { return animationsEnabled; }

TaDialog::TaDialog(int templateId, const TaFonts& fonts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint),
      templateId_(templateId),
      fonts_(fonts) {
    setMouseTracking(true);
    setAttribute(Qt::WA_NoSystemBackground);
    connect(qApp, &QApplication::focusChanged, this, &TaDialog::OnFocusChanged);
}

TaDialog::~TaDialog() {
    // QDialog's destructor hides the window, which moves the focus: the
    // application's signal must not reach this half-destroyed dialog.
    disconnect(qApp, &QApplication::focusChanged, this, &TaDialog::OnFocusChanged);
    if (animation_) animation_->stop();
    delete shadow_.data();
}

// --- modal run -------------------------------------------------------------

int TaDialog::DoModal() {
    QWidget* owner = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
    // Application modality blocks the owner and the main window without
    // greying them out; they are usable again when the run ends.
    setWindowModality(Qt::ApplicationModal);
    if (!initialized_ && !Initialize()) return -1;

    closing_ = false;
    SetReveal(animationsEnabled ? 0.0 : 1.0);
    if (shadow_) {
        // Shown first, so that the dialog ends up in front of it.
        shadow_->SetReveal(animationsEnabled ? 0.0 : 1.0);
        shadow_->show();
    }
    QTimer::singleShot(0, this, &TaDialog::StartOpening);
    const int result = exec();
    TaNotifyAccessible(this, QAccessible::DialogEnd);

    if (animation_) animation_->stop();
    if (shadow_) shadow_->hide();
    hide();
    delete shadow_.data();
    initialized_ = false;
    if (wasActive_ && owner != nullptr && owner->isVisible()) owner->activateWindow();
    return result;
}

QWidget* TaDialog::ActiveOwner() {
    QWidget* owner = QApplication::activeWindow();
    if (owner == nullptr) owner = QApplication::activePopupWidget();
    while (owner != nullptr && owner->windowType() == Qt::Popup)
        owner = owner->parentWidget() != nullptr ? owner->parentWidget()->window() : nullptr;
    ClosePopups();
    return owner;
}

void TaDialog::ClosePopups() {
    // Bounded: a popup may refuse to close.
    for (int i = 0; i < 8 && QApplication::activePopupWidget() != nullptr; ++i)
        QApplication::activePopupWidget()->close();
}

bool TaDialog::Initialize() {
    composited_ = TaCompositingActive();
    if (!testAttribute(Qt::WA_WState_Created))
        setAttribute(Qt::WA_TranslucentBackground, composited_);
    // Wayland places top-level windows itself, so a separate shadow window
    // could not be kept under the dialog there.
    const bool canPlaceShadow = QGuiApplication::platformName() != QLatin1String("wayland");
    if (composited_ && canPlaceShadow && !shadow_) {
        QWidget* owner = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
        shadow_ = new TaShadow(this, owner);
    }
    // False from the initialisation means the content has set the focus
    // itself, not that anything failed.
    focusFromContent_ = !OnInitDialog();
    initialized_ = true;
    return true;
}

void TaDialog::StartOpening() {
    if (closing_) return;
    activateWindow();
    // In front of the shadow window, where the platform stacks windows.
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal")) raise();
    if (currentDefault_ != nullptr && !focusFromContent_)
        currentDefault_->setFocus(Qt::OtherFocusReason);
    // A screen reader hears the dialog come up, then where the focus is.
    TaNotifyAccessible(this, QAccessible::DialogStart);
    if (AccessibleRole() == QAccessible::AlertMessage) TaNotifyAccessible(this, QAccessible::Alert);
    if (QWidget* focused = focusWidget()) TaNotifyAccessible(focused, QAccessible::Focus);
    if (!animationsEnabled) {
        SetReveal(1.0);
        if (shadow_) shadow_->SetReveal(1.0);
        return;
    }
    QPropertyAnimation* open = Animate(this, reveal_, 1.0, OpenMilliseconds);
    connect(open, &QAbstractAnimation::finished, this, [this] {
        if (closing_ || !shadow_) return;
        Animate(shadow_, shadow_->Reveal(), 1.0, OpenMilliseconds);
    });
}

QPropertyAnimation* TaDialog::Animate(QObject* target, qreal from, qreal to, int ms) {
    if (animation_) animation_->stop();
    auto* animation = new QPropertyAnimation(target, "reveal", this);
    animation->setStartValue(from);
    animation->setEndValue(to);
    animation->setDuration(ms);
    animation_ = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
    return animation;
}

void TaDialog::EndAnimated(int result) {
    if (closing_) return;
    closing_ = true;
    wasActive_ = isActiveWindow();
    if (!animationsEnabled || !isVisible()) {
        if (shadow_) shadow_->hide();
        QDialog::done(result);
        return;
    }
    auto closeDialog = [this, result] {
        QPropertyAnimation* shrink = Animate(this, reveal_, 0.0, CloseMilliseconds);
        connect(shrink, &QAbstractAnimation::finished, this, [this, result] {
            if (shadow_) shadow_->hide();
            QDialog::done(result);
        });
    };
    if (shadow_ && shadow_->isVisible()) {
        QPropertyAnimation* fade = Animate(shadow_, shadow_->Reveal(), 0.0, CloseMilliseconds);
        connect(fade, &QAbstractAnimation::finished, this, closeDialog);
    } else {
        closeDialog();
    }
}

void TaDialog::accept() { OnOK(); }
void TaDialog::reject() { OnCancel(); }
void TaDialog::OnOK() { EndAnimated(IDOK); }
void TaDialog::OnCancel() { EndAnimated(IDCANCEL); }

void TaDialog::OnCommand(int id) {
    if (closing_) return;
    if (id == IDOK)
        OnOK();
    else if (id == IDCANCEL)
        OnCancel();
}

// --- initialisation --------------------------------------------------------

bool TaDialog::OnInitDialog() {
    dpiX_ = logicalDpiX();
    dpiY_ = logicalDpiY();
    captionHeight_ = (dpiY_ * 17 + 24) / 48;

    if (captionIconId_ != 0) {
        int c = captionHeight_ * 23 / 32;
        if ((c & 1) != (captionHeight_ & 1)) ++c;
        const int d = captionHeight_ - c;
        captionIcon_.Load(captionIconId_, c, c, devicePixelRatioF());
        captionIcon_.SetPosition(d / 2 + 1, d / 2 + 2);
        const int even = d & ~1;
        iconCenter2X_ = even + 2 * (c / 2) + 2;
        iconCenter2Y_ = even + 2 * (c / 2) + 4;
        if (captionHeight_ % 2 == 0) --iconCenter2X_, --iconCenter2Y_;
        iconRadius2_ = c * c;
    } else {
        iconCenter2X_ = iconCenter2Y_ = iconRadius2_ = -1;
    }

    const int result = LayoutContent();

    shadowMarginX_ = (dpiX_ * 8 + 9) / 18;
    shadowMarginY_ = (dpiY_ * 8 + 9) / 18;
    if (shadow_) {
        shadow_->SetMargins(shadowMarginX_, shadowMarginY_);
        shadow_->Follow(geometry());
        shadow_->Render();
    }
    activeDrawn_ = !activeNow_;  // the first rendering draws the caption
    Render();
    UpdateMask();
    return result != 0;
}

int TaDialog::LayoutContent() { return 1; }
bool TaDialog::DrawContent(QPainter&) { return true; }

void TaDialog::CenterOnDesktop() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect desktop = screen->availableGeometry();
    move(desktop.x() + (desktop.width() - width()) / 2,
         desktop.y() + (desktop.height() - height()) / 2);
}

// --- geometry --------------------------------------------------------------

QPainterPath TaDialog::Shape() const {
    const qreal d = 2.0 * CornerRadius() - 1.25;
    return RoundedPath(QRectF(0, 0, width() - 1, height() - 1), d);
}

QRect TaDialog::ClientRect() const {
    return QRect(2, captionHeight_ + 4, width() - 4, height() - captionHeight_ - 6);
}

QRectF TaDialog::CloseButtonBox() const {
    int k = captionHeight_ / 2;
    if ((k & 1) != (captionHeight_ & 1)) ++k;
    const int m = (captionHeight_ - k) / 2;
    return QRectF(width() - m - k - 3, m + 2, k, k);
}

bool TaDialog::InIconCircle(const QPoint& p) const {
    if (iconRadius2_ < 0) return false;
    const int dx = 2 * p.x() - iconCenter2X_;
    const int dy = 2 * p.y() - iconCenter2Y_;
    return dx * dx + dy * dy <= iconRadius2_;
}

bool TaDialog::InCloseCircle(const QPoint& p) const {
    const QRectF box = CloseButtonBox();
    const int k = static_cast<int>(box.width());
    const int cx = 2 * static_cast<int>(box.x()) + k;
    const int cy = 2 * static_cast<int>(box.y()) + k;
    const int r = k - 2;  // radius (k - 2) / 2, doubled
    const int dx = 2 * p.x() - cx;
    const int dy = 2 * p.y() - cy;
    return dx * dx + dy * dy <= r * r;
}

TaDialog::Hit TaDialog::HitTest(const QPoint& p) const {
    if (!rect().contains(p)) return Hit::Nowhere;
    if (p.y() < captionHeight_ + 4) {
        if (InIconCircle(p)) return Hit::SystemMenu;
        if (InCloseCircle(p)) return Hit::Close;
        return Hit::Caption;
    }
    if (p.x() >= 2 && p.x() < width() - 2 && p.y() < height() - 2) return Hit::Client;
    return Hit::Border;
}

// --- rendering -------------------------------------------------------------

void TaDialog::DrawFrame(QPainter& painter) const {
    const int h = height();
    const qreal d = 2.0 * CornerRadius() - 1.25;
    const QPainterPath outer = RoundedPath(QRectF(0, 0, width() - 1, h - 1), d);
    const QPainterPath inner = RoundedPath(QRectF(1, 1, width() - 3, h - 3), d - 2.0);

    QLinearGradient outerPen(0, 0, 0, h);
    outerPen.setColorAt(0.0, TaArgb(0xFFCCCCCC));
    outerPen.setColorAt(1.0, TaArgb(0xFFB0B0B0));
    QLinearGradient innerPen(0, 0, 0, h);
    innerPen.setColorAt(0.0, TaArgb(0x40FFFFFF));
    innerPen.setColorAt(1.0, TaArgb(0x80FFFFFF));

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QBrush(outerPen), 1.0));
    painter.drawPath(outer);
    painter.setPen(QPen(QBrush(innerPen), 1.0));
    painter.drawPath(inner);
}

void TaDialog::RenderCaption() {
    const int w = width();
    const int band = captionHeight_ + 3;
    captionBuffer_ =
        TaMakeImage(QSize(w, band), devicePixelRatioF(), dpiX_, dpiY_, Qt::transparent);
    QPainter painter(&captionBuffer_);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    const bool active = activeNow_;

    painter.save();
    painter.translate(0.5, 0.5);
    QLinearGradient fill(0, 1, 0, captionHeight_ + 2);
    fill.setColorAt(0.0, TaArgb(active ? 0xFFE4E4E4 : 0xFFF0F0F0));
    fill.setColorAt(1.0, TaArgb(active ? 0xFFCCCCCC : 0xFFD8D8D8));
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(Shape());  // the buffer's height cuts it to the band
    DrawFrame(painter);
    painter.setPen(QPen(TaArgb(active ? 0xFFC8C8C8 : 0xFFD4D4D4), 1.0));
    painter.drawLine(QPointF(1, captionHeight_ + 2), QPointF(w - 2, captionHeight_ + 2));
    painter.restore();

    captionIcon_.Draw(painter);

    const QFont font = fonts_.Font(TaFace::Bold, 11.0, TaFontStyle::Bold);
    TaDrawText(painter, font, windowTitle(), QRectF(2, 2, w - 4, captionHeight_),
               TaArgb(active ? 0xFEE0E0E0 : 0xFEF0F0F0), TaArgb(active ? 0xFE404040 : 0xFE787878));
    activeDrawn_ = active;
}

void TaDialog::DrawCloseButton(QPainter& painter) const {
    const QRectF box = CloseButtonBox();
    const qreal k = box.width();
    const bool active = activeDrawn_;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(0.5, 0.5);

    QLinearGradient fill(0, box.top(), 0, box.bottom());
    if (active) {
        fill.setColorAt(0.0, TaArgb(0xFFF00000));
        fill.setColorAt(0.32, TaArgb(0xFFFF0000));
    } else {
        fill.setColorAt(0.0, TaArgb(0xFFB85050));
        fill.setColorAt(0.41, TaArgb(0xFFC85050));
    }
    fill.setColorAt(1.0, TaArgb(0xFFF0D8E0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawEllipse(box);

    const QPointF centre = box.center();
    if (closePressed_) {
        QRadialGradient shade(centre, k / 2.0);
        shade.setColorAt(0.0, TaArgb(0xC0700000));
        shade.setColorAt(0.7, TaArgb(0x80800000));
        shade.setColorAt(1.0, TaArgb(0x20800000));
        painter.setBrush(shade);
        painter.drawEllipse(box);
    } else if (closeHovered_) {
        QRadialGradient glow(QPointF(centre.x(), box.top() + k * 0.6), k * 0.5);
        glow.setColorAt(0.0, TaArgb(0xC0FFFFFF));
        glow.setColorAt(0.6, TaArgb(0x50FFFFFF));
        glow.setColorAt(1.0, TaArgb(0x00FFFFFF));
        painter.setBrush(glow);
        painter.drawEllipse(box);
    }

    // Dark-red rim fading to lighter tones towards the bottom.
    QLinearGradient rim(0, box.top(), 0, box.bottom());
    rim.setColorAt(0.0, TaArgb(active ? 0xFF800000 : 0xFF804040));
    rim.setColorAt(1.0, TaArgb(active ? 0xFFC87070 : 0xFFC09090));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QBrush(rim), 1.0));
    painter.drawEllipse(box);

    // Two highlights.
    painter.setPen(Qt::NoPen);
    QLinearGradient glossFill(0, box.top() + 1.5, 0, box.top() + k * 0.48);
    glossFill.setColorAt(0.0, TaArgb(0x60FFFFFF));
    glossFill.setColorAt(1.0, TaArgb(0x08FFFFFF));
    painter.setBrush(glossFill);
    painter.drawEllipse(QRectF(box.left() + k * 0.2, box.top() + 1.5, k * 0.6, k * 0.42));
    painter.setBrush(TaArgb(0xA0FFFFFF));
    painter.drawEllipse(QRectF(box.left() + k * 0.3, box.top() + k * 0.14, k * 0.2, k * 0.14));

    if (closeHovered_ && !closePressed_) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(TaArgb(0x20FFFFFF), 1.0));
        painter.drawEllipse(box.adjusted(-1, -1, 1, 1));
        painter.setPen(QPen(TaArgb(0x10FFFFFF), 1.0));
        painter.drawEllipse(box.adjusted(-2, -2, 2, 2));
    }
    painter.restore();
}

void TaDialog::Render() {
    if (width() <= 0 || height() <= 0) return;
    if (activeDrawn_ != activeNow_ || captionBuffer_.isNull() ||
        captionBuffer_.size() != QSize(width(), captionHeight_ + 3) * devicePixelRatioF())
        RenderCaption();

    backBuffer_ = TaMakeImage(size(), devicePixelRatioF(), dpiX_, dpiY_, Qt::transparent);
    QPainter painter(&backBuffer_);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);

    painter.save();
    painter.translate(0.5, 0.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(TaArgb(backgroundColor_));
    painter.drawPath(Shape());
    DrawFrame(painter);
    painter.restore();

    painter.drawImage(QRectF(0, 0, width(), captionHeight_ + 3), captionBuffer_);
    DrawCloseButton(painter);

    const QList<TaControl*> controls = findChildren<TaControl*>();
    for (TaControl* control : controls) control->SetDirty(true);
    DrawContent(painter);
    drawnAreas_.clear();
    for (TaControl* control : controls)
        if (control->isVisibleTo(this)) drawnAreas_.insert(control, DrawnArea(control));
}

QRect TaDialog::DrawnArea(const TaControl* control) {
    // The text's halo reaches a pixel beyond the control's box.
    return control->geometry().adjusted(-2, -2, 2, 2);
}

void TaDialog::DrawChangedContent(QPainter& painter) {
    const QList<TaControl*> controls = findChildren<TaControl*>();
    // Controls draw over what the buffer holds, so the area a changed control
    // covered before and covers now goes back to the background first.
    QRegion erased;
    for (TaControl* control : controls) {
        if (!control->Dirty() || !control->isVisible()) continue;
        erased += DrawnArea(control);
        const auto before = drawnAreas_.constFind(control);
        if (before != drawnAreas_.constEnd()) erased += before.value();
    }
    // Neighbours the erasing touches are erased whole and drawn again too
    // (text drawn twice over itself would come out heavier).
    for (bool grown = !erased.isEmpty(); grown;) {
        grown = false;
        for (TaControl* control : controls) {
            if (control->Dirty() || !control->isVisible() || !erased.intersects(DrawnArea(control)))
                continue;
            control->SetDirty(true);
            erased += DrawnArea(control);
            grown = true;
        }
    }
    erased &= ClientRect();
    if (!erased.isEmpty()) {
        painter.save();
        painter.setClipRegion(erased);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(erased.boundingRect(), TaArgb(backgroundColor_));
        painter.restore();
    }
    for (TaControl* control : controls) {
        if (!control->Dirty() || !control->isVisible()) continue;
        control->Draw(painter);
        drawnAreas_.insert(control, DrawnArea(control));
    }
}

void TaDialog::ControlChanged(TaControl*) {
    if (initialized_) update();
}

void TaDialog::UpdateMask() {
    if (composited_) {
        clearMask();
        return;
    }
    const int w = width();
    const int h = height();
    const qreal r = CornerRadius();
    QPainterPath shape;
    shape.addRoundedRect(QRectF(0, 0, w, h), r, r);
    QRegion region(shape.toFillPolygon().toPolygon(), Qt::WindingFill);
    const qreal rw = std::max(1.0, w * reveal_);
    const qreal rh = std::max(1.0, h * reveal_);
    region &= QRect(qRound((w - rw) / 2.0), qRound((h - rh) / 2.0), qRound(rw), qRound(rh));
    if (region.isEmpty())
        region = QRegion(w / 2, h / 2, 1, 1);  // an empty mask would show everything
    setMask(region);
}

void TaDialog::SetReveal(qreal reveal) {
    reveal_ = reveal;
    if (!composited_ && initialized_) UpdateMask();
    update();
}

void TaDialog::paintEvent(QPaintEvent*) {
    if (backBuffer_.isNull() || backBuffer_.size() != size() * devicePixelRatioF()) {
        Render();
    } else {
        QPainter buffer(&backBuffer_);
        buffer.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                              QPainter::SmoothPixmapTransform);
        DrawChangedContent(buffer);
    }
    QPainter painter(this);
    if (composited_) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(rect(), Qt::transparent);
    } else {
        // Edge pixels blend into the frame's colour instead of black.
        painter.fillRect(rect(), TaArgb(0xFFC0C0C0));
    }
    const qreal w = width() * reveal_;
    const qreal h = height() * reveal_;
    painter.setClipRect(QRectF((width() - w) / 2.0, (height() - h) / 2.0, w, h));
    painter.drawImage(QRectF(0, 0, width(), height()), backBuffer_);
}

// --- close button, caption and activation ----------------------------------

void TaDialog::SetCloseState(bool hovered, bool pressed) {
    if (hovered == closeHovered_ && pressed == closePressed_) return;
    closeHovered_ = hovered;
    closePressed_ = pressed;
    if (!initialized_) return;
    Render();
    update();
}

void TaDialog::SetActiveLook(bool active) {
    activeNow_ = active;
    if (activeDrawn_ != activeNow_ && initialized_) {
        Render();
        update();
    }
}

void TaDialog::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (dragging_) {
        move(event->globalPosition().toPoint() - dragOffset_);
        return;
    }
    const bool inside = InCloseCircle(point) && HitTest(point) == Hit::Close;
    if (closeCaptured_)
        SetCloseState(closeHovered_, inside);
    else
        SetCloseState(inside, false);
    leaveTracking_ = closeHovered_;
}

void TaDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || closing_) return;
    const QPoint point = event->position().toPoint();
    switch (HitTest(point)) {
        case Hit::Close:
            closeCaptured_ = true;
            SetCloseState(true, true);
            break;
        case Hit::Caption:
            if (windowHandle() == nullptr || !windowHandle()->startSystemMove()) {
                // No window manager to move us: follow the pointer ourselves.
                dragging_ = true;
                dragOffset_ = event->globalPosition().toPoint() - pos();
            }
            break;
        default:
            break;
    }
}

void TaDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragging_ = false;
    if (!closeCaptured_) return;
    closeCaptured_ = false;
    const bool inside = InCloseCircle(event->position().toPoint());
    SetCloseState(inside, false);
    if (inside) OnCancel();
}

void TaDialog::mouseDoubleClickEvent(QMouseEvent* event) {
    // The caption icon stands for the window menu: a double click closes.
    if (event->button() == Qt::LeftButton &&
        HitTest(event->position().toPoint()) == Hit::SystemMenu) {
        OnCancel();
        return;
    }
    mousePressEvent(event);
}

void TaDialog::leaveEvent(QEvent* event) {
    if (!closeCaptured_) SetCloseState(false, false);
    leaveTracking_ = false;
    QDialog::leaveEvent(event);
}

bool TaDialog::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate && closeCaptured_) {
        closeCaptured_ = false;  // the capture is gone
        SetCloseState(closeHovered_, false);
    }
    return QDialog::event(event);
}

void TaDialog::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange || event->type() == QEvent::EnabledChange)
        SetActiveLook(isActiveWindow() && isEnabled());
    QDialog::changeEvent(event);
}

void TaDialog::showEvent(QShowEvent* event) {
    if (shadow_) shadow_->Follow(geometry());
    QDialog::showEvent(event);
}

void TaDialog::moveEvent(QMoveEvent* event) {
    if (shadow_) shadow_->Follow(geometry());
    QDialog::moveEvent(event);
}

void TaDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (!initialized_) return;
    Render();
    UpdateMask();
    if (shadow_) shadow_->Follow(geometry());
}

// --- keyboard and default button -------------------------------------------

void TaDialog::keyPressEvent(QKeyEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    switch (event->key()) {
        case Qt::Key_Escape:
            event->accept();
            OnCancel();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();
            if (auto* link = qobject_cast<TaLink*>(currentDefault_)) {
                link->Activate();
            } else {
                OnCommand(currentDefault_ != nullptr ? currentDefault_->Id() : IDOK);
            }
            return;
        default:
            break;
    }
    QDialog::keyPressEvent(event);
}

void TaDialog::SetDefaultControl(TaControl* control) {
    defaultControl_ = control;
    ApplyDefault(control);
}

void TaDialog::ApplyDefault(TaControl* control) {
    currentDefault_ = control;
    for (TaControl* child : findChildren<TaControl*>()) {
        if (child->IsPushButton()) child->SetDefaultButton(child == control);
    }
}

void TaDialog::OnFocusChanged(QWidget*, QWidget* now) {
    if (now == nullptr || now->window() != this) return;
    auto* control = qobject_cast<TaControl*>(now);
    ApplyDefault(control != nullptr && control->IsPushButton() ? control : defaultControl_);
}
