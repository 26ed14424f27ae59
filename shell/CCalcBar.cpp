#include "shell/CCalcBar.h"

#include <QMainWindow>
#include <QPainter>
#include <QPointer>
#include <QResizeEvent>
#include <QSettings>
#include <QTimer>

#include "shell/Placement.h"
#include "shell/core/SettingsStore.h"

namespace {

QList<CCalcBar*>& BarList() {
    static QList<CCalcBar*> bars;
    return bars;
}

QSize AtLeast(const QSize& size, const QSize& minimum) { return size.expandedTo(minimum); }

}  // namespace

// The bar's window in the framework's sense: its size is the state size and
// its margins are the borders and the gripper band; the hosted panel fills
// what is left.
class CCalcBarBody : public QWidget {
public:
    explicit CCalcBarBody(CCalcBar* bar) : QWidget(bar), bar_(bar) {
        setObjectName(QStringLiteral("BarBody"));
    }

    QSize sizeHint() const override { return bar_->StateSize(); }
    QSize minimumSizeHint() const override { return minimumSize(); }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        bar_->RecordBodySize(event->size());
        // A shrinkable fixed-size bar's thickness follows its length.
        if (bar_->IsFixedSize() && event->oldSize().width() != event->size().width())
            bar_->ApplyStateSize();
        bar_->OnBodyResized();
    }

private:
    CCalcBar* bar_;
};

// The handle a docked bar is dragged by: a gripper band along the bar's
// left edge in a horizontal dock, along its top in a vertical one. Mouse
// presses pass through to the dock widget, which drags, floats and docks.
class CCalcBarGripper : public QWidget {
public:
    static constexpr int kThickness = 8;

    explicit CCalcBarGripper(CCalcBar* bar) : QWidget(bar), bar_(bar) {
        setObjectName(QStringLiteral("Gripper"));
    }

    QSize sizeHint() const override { return QSize(kThickness, kThickness); }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override {
        // A raised bar three pixels wide running the bar's length.
        QPainter painter(this);
        const bool alongLeft = bar_->features() & QDockWidget::DockWidgetVerticalTitleBar;
        const QRect grip = alongLeft ? QRect(3, 3, 3, height() - 6) : QRect(3, 3, width() - 6, 3);
        painter.fillRect(grip, palette().button());
        painter.setPen(palette().light().color());
        painter.drawLine(grip.topLeft(), grip.topRight());
        painter.drawLine(grip.topLeft(), grip.bottomLeft());
        painter.setPen(palette().dark().color());
        painter.drawLine(grip.bottomLeft(), grip.bottomRight());
        painter.drawLine(grip.topRight(), grip.bottomRight());
    }

private:
    CCalcBar* bar_;
};

CCalcBar::CCalcBar(QWidget* parent)
    : QDockWidget(parent), body_(new CCalcBarBody(this)), gripper_(new CCalcBarGripper(this)) {
    setWidget(body_);
    setTitleBarWidget(gripper_);
    BarList().append(this);
    connect(this, &QDockWidget::topLevelChanged, this, &CCalcBar::OnTopLevelChanged);
    connect(this, &QDockWidget::dockLocationChanged, this, &CCalcBar::OnLocationChanged);
}

CCalcBar::~CCalcBar() { BarList().removeOne(this); }

const QList<CCalcBar*>& CCalcBar::AllBars() { return BarList(); }

void CCalcBar::ShowWithoutFocus() {
    // A floating bar is a window: it comes up on top but leaves the active
    // window and its focus alone.
    setAttribute(Qt::WA_ShowWithoutActivating, true);
    show();
    raise();
    setAttribute(Qt::WA_ShowWithoutActivating, false);
}

bool CCalcBar::Create(const QString& caption, QMainWindow* parent, int defaultCx, int defaultCy,
                      bool withGripper, int id, unsigned style) {
    if (!parent) return false;
    style_ = style;
    id_ = id;
    gripperDepth_ = withGripper ? kGripperDepthWide : kGripperDepth;
    const QSize size(defaultCx, defaultCy);
    horizontal_ = vertical_ = floating_ = size;
    setParent(parent);
    parent->installEventFilter(this);
    setWindowTitle(caption);
    gripper_->setToolTip(caption);
    setObjectName(QStringLiteral("Bar%1").arg(id));
    setAllowedAreas(AllowedSides());
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);
    ApplyStateSize();
    return true;
}

Qt::DockWidgetAreas CCalcBar::AllowedSides() const {
    Qt::DockWidgetAreas areas;
    if (style_ & BarStyle::AlignLeft) areas |= Qt::LeftDockWidgetArea;
    if (style_ & BarStyle::AlignTop) areas |= Qt::TopDockWidgetArea;
    if (style_ & BarStyle::AlignRight) areas |= Qt::RightDockWidgetArea;
    if (style_ & BarStyle::AlignBottom) areas |= Qt::BottomDockWidgetArea;
    return areas;
}

CCalcBar::DockSide CCalcBar::Side() const {
    if (isFloating()) return DockSide::None;
    const auto* frame = qobject_cast<const QMainWindow*>(parentWidget());
    if (!frame) return DockSide::None;
    switch (frame->dockWidgetArea(const_cast<CCalcBar*>(this))) {
        case Qt::TopDockWidgetArea:
            return DockSide::Top;
        case Qt::LeftDockWidgetArea:
            return DockSide::Left;
        case Qt::RightDockWidgetArea:
            return DockSide::Right;
        case Qt::BottomDockWidgetArea:
            return DockSide::Bottom;
        default:
            return DockSide::None;
    }
}

QSize CCalcBar::StateSize() const {
    switch (Side()) {
        case DockSide::Top:
        case DockSide::Bottom:
            return horizontal_;
        case DockSide::Left:
        case DockSide::Right:
            return vertical_;
        case DockSide::None:
            break;
    }
    return floating_;
}

QRect CCalcBar::ClientRect() const {
    // A fixed-size bar has its state size until it shows; docked in a
    // narrow window it may be shorter.
    const QSize room =
        IsFixedSize()
            ? (isVisible() && !isFloating() ? body_->size().boundedTo(StateSize()) : StateSize())
            : body_->size();
    QRect rect(QPoint(0, 0), room);
    switch (Side()) {
        case DockSide::Top:
        case DockSide::Bottom:
            return rect.adjusted(kEdgeWidth + gripperDepth_, kEdgeWidth, -kEdgeWidth, -kEdgeWidth);
        case DockSide::Left:
        case DockSide::Right:
            return rect.adjusted(kEdgeWidth, kEdgeWidth + gripperDepth_, -kEdgeWidth, -kEdgeWidth);
        case DockSide::None:
            break;
    }
    // Floating: a sizeable bar keeps a thin frame of its own.
    return IsFixedSize() ? rect : rect.adjusted(2, 4, -2, -2);
}

void CCalcBar::SetSizes(const QSize& horizontal, const QSize& vertical, const QSize& floating,
                        const QSize& minimum) {
    minimum_ = minimum;
    // A fixed-size bar takes its sizes as given: they fit its window exactly.
    const bool clamp = !IsFixedSize();
    horizontal_ = clamp ? AtLeast(horizontal, minimum) : horizontal;
    vertical_ = clamp ? AtLeast(vertical, minimum) : vertical;
    floating_ = clamp ? AtLeast(floating, minimum) : floating;
    ApplyStateSize();
}

int CCalcBar::ThicknessFor(int /*length*/, bool horizontal) const {
    return horizontal ? StateSize().height() : StateSize().width();
}

void CCalcBar::ApplyStateSize() {
    if (IsFixedSize()) {
        // A fixed-size bar (the keypad) is never cut: docked, a narrow
        // window may take up to its allowance of its length, and its panel
        // is drawn smaller to fit, thickness and all.
        const QSize size = StateSize();
        QSize smallest = size;
        QSize largest = size;
        const DockSide side = Side();
        if (side == DockSide::Top || side == DockSide::Bottom) {
            // A low window takes some of its thickness too, down to the
            // smallest panel's.
            const int length = std::min(body_->width(), size.width());
            const int thickness = ThicknessFor(length, true);
            smallest = QSize(size.width() - shrink_.width(),
                             std::min(thickness, size.height() - shrink_.height()));
            largest = QSize(size.width(), thickness);
            if (body_->height() < thickness && !shrink_.isNull() && !regrowPending_) Regrow();
        } else if (side == DockSide::Left || side == DockSide::Right) {
            const int length = std::min(body_->height(), size.height());
            const int thickness = ThicknessFor(length, false);
            smallest = QSize(thickness, size.height() - shrink_.height());
            largest = QSize(thickness, size.height());
        }
        if (body_->minimumSize() != smallest) body_->setMinimumSize(smallest);
        if (body_->maximumSize() != largest) body_->setMaximumSize(largest);
    } else {
        body_->setMinimumSize(minimum_);
        body_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    body_->updateGeometry();
    if (isFloating()) {
        // The floating window wraps the body at the floating size.
        resize(size() - body_->size() + floating_);
    }
}

bool CCalcBar::eventFilter(QObject* watched, QEvent* event) {
    // A fixed-size bar squeezed by a low window takes its thickness back
    // when the window grows again.
    const QEvent::Type type = event->type();
    if (watched == parentWidget() && (type == QEvent::Resize || type == QEvent::Show) &&
        IsFixedSize() && !shrink_.isNull() && !regrowPending_)
        Regrow();
    return QDockWidget::eventFilter(watched, event);
}

void CCalcBar::Regrow() {
    const DockSide side = Side();
    if (side != DockSide::Top && side != DockSide::Bottom) return;
    regrowPending_ = true;
    QPointer<CCalcBar> self(this);
    QTimer::singleShot(0, this, [self] {
        if (!self) return;
        self->regrowPending_ = false;
        auto* frame = qobject_cast<QMainWindow*>(self->parentWidget());
        if (!frame || !self->isVisible() || self->isFloating()) return;
        const int wanted =
            self->ThicknessFor(std::min(self->body_->width(), self->StateSize().width()), true);
        if (self->body_->height() >= wanted) return;
        const int chrome = self->height() - self->body_->height();
        frame->resizeDocks({self.data()}, {wanted + chrome}, Qt::Vertical);
    });
}

void CCalcBar::RecordBodySize(const QSize& size) {
    // Sizes count only once the window shows, and not while the bar is
    // between two states.
    if (IsFixedSize() || settling_ || !isVisible() || !window()->isVisible()) return;
    if (!parentWidget() || !parentWidget()->isVisible()) return;
    // A resize on the way from one state to another still has the old
    // state's size: it counts only once the bar has settled in the new one.
    const DockSide side = Side();
    if (side != settledSide_) return;
    const QSize kept = AtLeast(size, minimum_);
    switch (side) {
        case DockSide::Top:
        case DockSide::Bottom:
            horizontal_ = kept;
            break;
        case DockSide::Left:
        case DockSide::Right:
            vertical_ = kept;
            break;
        case DockSide::None:
            floating_ = kept;
            break;
    }
}

void CCalcBar::Settle() {
    settling_ = true;
    ApplyStateSize();
    QPointer<CCalcBar> self(this);
    QTimer::singleShot(0, this, [self] {
        if (self) self->Settled();
    });
}

void CCalcBar::Settled() {
    settling_ = false;
    settledSide_ = Side();
    ApplyStateSize();
    if (IsFixedSize() || settledSide_ == DockSide::None || !isVisible()) return;
    auto* frame = qobject_cast<QMainWindow*>(parentWidget());
    if (!frame) return;
    // Docked, the row decides the length and the state the thickness.
    const QSize body = body_->size();
    const QSize chrome = size() - body;
    if (settledSide_ == DockSide::Top || settledSide_ == DockSide::Bottom) {
        horizontal_.setWidth(std::max(body.width(), minimum_.width()));
        if (body.height() != horizontal_.height())
            frame->resizeDocks({this}, {horizontal_.height() + chrome.height()}, Qt::Vertical);
    } else {
        vertical_.setHeight(std::max(body.height(), minimum_.height()));
        if (body.width() != vertical_.width())
            frame->resizeDocks({this}, {vertical_.width() + chrome.width()}, Qt::Horizontal);
    }
}

void CCalcBar::OnTopLevelChanged(bool floating) {
    // Floating, the bar is a window with its caption; docked, it shows the
    // gripper only.
    if (floating) setFeatures(features() & ~QDockWidget::DockWidgetVerticalTitleBar);
    if (floating && titleBarWidget() == gripper_) {
        setTitleBarWidget(nullptr);
        gripper_->hide();
    } else if (!floating && titleBarWidget() != gripper_) {
        setTitleBarWidget(gripper_);
        gripper_->show();
    }
    Settle();
}

void CCalcBar::OnLocationChanged(Qt::DockWidgetArea area) {
    // Along a horizontal dock the gripper stands at the bar's left, along a
    // vertical one at its top.
    const bool horizontalDock = area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea;
    QDockWidget::DockWidgetFeatures f = features();
    f.setFlag(QDockWidget::DockWidgetVerticalTitleBar, horizontalDock && !isFloating());
    if (f != features()) setFeatures(f);
    Settle();
}

QString CCalcBar::SectionName(const QString& base, int id) {
    return QStringLiteral("%1-Bar%2").arg(base).arg(id);
}

void CCalcBar::LoadState(QSettings& settings, const QString& base) {
    if (IsFixedSize()) return;
    settings.beginGroup(SectionName(base, id_));
    const auto read = [&](const char* key, int current) {
        return ReadProfileInt(settings, QString::fromLatin1(key), current);
    };
    // Each value defaults to the current one; the order is the stored order.
    const int hx = read("HorizontalX", horizontal_.width());
    const int hy = read("HorizontalY", horizontal_.height());
    const int vx = read("VerticalX", vertical_.width());
    const int vy = read("VerticalY", vertical_.height());
    const int fx = read("FloatingX", floating_.width());
    const int fy = read("FloatingY", floating_.height());
    settings.endGroup();
    // No size larger than the largest screen: a stored 2147483647 would be
    // laid out, crowd the editor out and be written back as it came.
    const std::optional<FrameExtent> limit = LargestWorkExtent(ScreenWorkAreas());
    const FrameExtent minimum{minimum_.width(), minimum_.height()};
    const auto clamped = [&](int cx, int cy) {
        const FrameExtent size = ClampBarSize(cx, cy, minimum, limit);
        return QSize(size.cx, size.cy);
    };
    SetSizes(clamped(hx, hy), clamped(vx, vy), clamped(fx, fy), minimum_);
}

void CCalcBar::SaveState(QSettings& settings, const QString& base) const {
    if (IsFixedSize()) return;
    settings.beginGroup(SectionName(base, id_));
    WriteProfileInt(settings, QStringLiteral("HorizontalX"), horizontal_.width());
    WriteProfileInt(settings, QStringLiteral("HorizontalY"), horizontal_.height());
    WriteProfileInt(settings, QStringLiteral("VerticalX"), vertical_.width());
    WriteProfileInt(settings, QStringLiteral("VerticalY"), vertical_.height());
    WriteProfileInt(settings, QStringLiteral("FloatingX"), floating_.width());
    WriteProfileInt(settings, QStringLiteral("FloatingY"), floating_.height());
    settings.endGroup();
}
