#include "panels/KeypadPainter.h"

#include <QApplication>
#include <QHash>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QWidget>
#include <cmath>
#include <memory>

#include "toolkit/TaColor.h"

namespace Keypad {
namespace {

QColor WithAlpha(QColor color, int alpha) {
    color.setAlpha(alpha);
    return color;
}

QColor Scaled(const QColor& color, double factor) {
    return QColor::fromRgba(TaScaleLightness(color.rgba(), factor));
}

// The colour `share` of the way from a to b, alpha included.
QColor Mix(const QColor& a, const QColor& b, double share) {
    auto lerp = [share](int x, int y) {
        return static_cast<int>(std::lround(x + (y - x) * share));
    };
    return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
                  lerp(a.alpha(), b.alpha()));
}

// The end of the diagonal light gradient: the origin mirrored in the
// button's other diagonal.
QPointF GlintEnd(qreal w, qreal h) {
    const qreal d = w * w + h * h;
    return QPointF(2 * w * h * h / d, 2 * w * w * h / d);
}

QPainterPath RoundRect(const QRectF& r, qreal diameter) {
    const qreal d = diameter;
    QPainterPath path;
    path.moveTo(r.left() + d / 2, r.top());
    path.arcTo(QRectF(r.right() - d, r.top(), d, d), 90, -90);
    path.arcTo(QRectF(r.right() - d, r.bottom() - d, d, d), 0, -90);
    path.arcTo(QRectF(r.left(), r.bottom() - d, d, d), -90, -90);
    path.arcTo(QRectF(r.left(), r.top(), d, d), 180, -90);
    path.closeSubpath();
    return path;
}

void Stroke(QPainter& p, const QPainterPath& path, const QBrush& brush) {
    p.strokePath(path, QPen(brush, 1.0));
}

// The style that stands for the platform's classic frame drawing.
QStyle* ClassicStyle() {
    static std::unique_ptr<QStyle> style(QStyleFactory::create(QStringLiteral("Windows")));
    return style ? style.get() : QApplication::style();
}

QStyle* ThemeStyle(const QWidget* widget) {
    return widget ? widget->style() : QApplication::style();
}

void DrawCaption(QPainter& p, const ButtonLook& look, const QColor& color, QPoint offset = {}) {
    p.setFont(look.font);
    p.setPen(color);
    p.drawText(QRect(offset, look.size), Qt::AlignCenter | Qt::TextSingleLine, look.caption);
}

// Windows' theme states for a push button, most urgent first.
enum class ThemeState { Normal, Hot, Pressed, Disabled, Defaulted };

ThemeState StateOf(const ButtonLook& look) {
    if (look.pressed) return ThemeState::Pressed;
    if (look.disabled) return ThemeState::Disabled;
    if (look.hot) return ThemeState::Hot;
    if (look.focused || look.isDefault) return ThemeState::Defaulted;
    return ThemeState::Normal;
}

QStyleOptionButton ThemeOption(const ButtonLook& look, const QWidget* widget) {
    QStyleOptionButton option;
    if (widget) option.initFrom(widget);
    option.rect = QRect(QPoint(0, 0), look.size);
    option.palette = look.palette;
    option.fontMetrics = QFontMetrics(look.font);
    option.state = QStyle::State_None;
    option.features = QStyleOptionButton::None;
    const ThemeState state = StateOf(look);
    if (state != ThemeState::Disabled) option.state |= QStyle::State_Enabled;
    option.state |= state == ThemeState::Pressed ? QStyle::State_Sunken : QStyle::State_Raised;
    if (state == ThemeState::Hot) option.state |= QStyle::State_MouseOver;
    if (state == ThemeState::Defaulted) {
        option.features |= QStyleOptionButton::DefaultButton;
        if (look.focused) option.state |= QStyle::State_HasFocus;
    }
    return option;
}

void DrawThemeBackground(QPainter& p, const ButtonLook& look, const QWidget* widget) {
    const QStyleOptionButton option = ThemeOption(look, widget);
    ThemeStyle(widget)->drawControl(QStyle::CE_PushButtonBevel, &option, &p, widget);
}

void DrawThemeText(QPainter& p, const ButtonLook& look, const QWidget* widget) {
    const QStyleOptionButton option = ThemeOption(look, widget);
    QStyle* style = ThemeStyle(widget);
    const QRect content = style->subElementRect(QStyle::SE_PushButtonContents, &option, widget);
    p.setFont(look.font);
    style->drawItemText(&p, content.isValid() ? content : option.rect,
                        Qt::AlignCenter | Qt::TextSingleLine, look.palette, !look.disabled,
                        look.caption, QPalette::ButtonText);
}

void DrawFocusRect(QPainter& p, const ButtonLook& look, const QWidget* widget, QStyle* style,
                   int inset) {
    QStyleOptionFocusRect option;
    if (widget) option.initFrom(widget);
    option.rect = QRect(QPoint(0, 0), look.size).adjusted(inset, inset, -inset, -inset);
    option.palette = look.palette;
    option.state =
        QStyle::State_Enabled | QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
    option.backgroundColor = look.face;
    style->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, widget);
}

bool WantsFocusRect(const ButtonLook& look) { return look.focused && !look.noFocusRect; }

QColor BorderHint(const ButtonLook& look) {
    return look.palette.color(look.disabled ? QPalette::Disabled : QPalette::Active, QPalette::Mid);
}
QColor AccentHint(const ButtonLook& look) { return look.palette.color(QPalette::Highlight); }

// A 1-pixel frame inside the rectangle, as the platform's FrameRect.
void FrameRect(QPainter& p, const QRect& r, const QColor& color) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(color);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.restore();
}

void PaintClassic(QPainter& p, const ButtonLook& look, const QWidget* widget) {
    const QRect r(QPoint(0, 0), look.size);
    const bool emphasised = look.focused || look.isDefault;
    QStyle* classic = ClassicStyle();
    if (look.pressed) {
        p.fillRect(r, look.face);
        FrameRect(p, r.adjusted(1, 1, -1, -1), look.palette.color(QPalette::Dark));
    } else {
        const QRect frame = emphasised ? r.adjusted(1, 1, -1, -1) : r;
        QStyleOptionButton option;
        option.rect = frame;
        option.palette = look.palette;
        option.state = QStyle::State_Raised;
        if (!look.disabled) option.state |= QStyle::State_Enabled;
        classic->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &p, nullptr);
        if (!look.disabled) p.fillRect(frame.adjusted(1, 1, -2, -2), look.face);
    }
    if (emphasised) FrameRect(p, r, QColor(0x15, 0x00, 0x00));

    if (look.disabled) {
        DrawCaption(p, look, look.palette.color(QPalette::Light), QPoint(1, 0));
        DrawCaption(p, look, look.palette.color(QPalette::Dark), QPoint(0, -1));
    } else {
        DrawCaption(p, look, look.textColor, look.pressed ? QPoint(1, 0) : QPoint(0, -1));
    }
    if (WantsFocusRect(look)) DrawFocusRect(p, look, widget, classic, 4);
}

// The capsule drawing without its caption: the same for every button of a
// size, colour and state.
void PaintTarvikFace(QPainter& p, const ButtonLook& look) {
    const qreal w = look.size.width();
    const qreal h = look.size.height();
    const QColor systemFace = look.palette.color(QPalette::Button);
    const bool lightSystem = IsLightColor(systemFace);
    const QColor& F = look.face;

    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(QRectF(0, 0, w, h), WithAlpha(systemFace, 255));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);

    std::array<QPainterPath, 13> paths = TarvikPaths(look.size);

    if (lightSystem) {
        QLinearGradient glint(QPointF(0, 0), GlintEnd(w, h));
        glint.setColorAt(0, QColor::fromRgba(0x28000000));
        glint.setColorAt(1, QColor(255, 255, 255));
        Stroke(p, paths[1], glint);
        Stroke(p, paths[2], glint);
    }
    const QColor green(0, 255, 0);
    if (look.focused || look.isDefault) {
        Stroke(p, paths[0], WithAlpha(green, 0x40));
        Stroke(p, paths[1], WithAlpha(green, 0x80));
        Stroke(p, paths[2], WithAlpha(green, 0xFF));
    } else if (!lightSystem) {
        Stroke(p, paths[0], WithAlpha(green, 0x28));
        Stroke(p, paths[1], WithAlpha(green, 0x50));
        Stroke(p, paths[2], WithAlpha(green, 0xA0));
    }

    const QColor c1 = Scaled(F, 1.8);
    const QColor c2 = Scaled(F, 0.4);
    const QColor c3 = Scaled(F, 2.0);
    const qreal middle = h / 2 - 0.5;

    QLinearGradient upper(QPointF(0, 3), QPointF(0, middle));
    upper.setColorAt(0, c2);
    upper.setColorAt(1, F);
    p.fillPath(paths[11], upper);
    QLinearGradient lower(QPointF(0, middle), QPointF(0, h - 3));
    lower.setColorAt(0, F);
    lower.setColorAt(1, c1);
    p.fillPath(paths[12], lower);

    const qreal shift = look.pressed ? 1 : 0;
    QLinearGradient highlight(QPointF(0, 3 + shift), QPointF(0, h / 2 + 1 + shift));
    highlight.setColorAt(0, WithAlpha(c3, 255));
    highlight.setColorAt(1, WithAlpha(F, 0x40));
    p.fillPath(paths[10].translated(0, shift), highlight);

    const QColor yellow(255, 255, 0);
    if (look.pressed) {
        static constexpr int kAlpha[] = {0xFF, 0xC0, 0x80, 0x60, 0x40, 0x20};
        for (int i = 0; i < 6; ++i) Stroke(p, paths[4 + i], WithAlpha(yellow, kAlpha[i]));
    } else if (look.hot && look.inShape) {
        static constexpr int kAlpha[] = {0xFF, 0xA0, 0x40};
        for (int i = 0; i < 3; ++i) Stroke(p, paths[4 + i], WithAlpha(yellow, kAlpha[i]));
    }
    Stroke(p, paths[3], WithAlpha(F, 255));
}

QImage BlankImage(QSize size, qreal ratio) {
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

void SetDrawingHints(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
}

// Everything a capsule face depends on.
struct FaceKey {
    QSize size;
    qreal ratio = 1;
    quint64 face = 0;
    quint64 system = 0;
    int state = 0;
    bool operator==(const FaceKey&) const = default;
};

size_t qHash(const FaceKey& key, size_t seed = 0) {
    return qHashMulti(seed, key.size.width(), key.size.height(), key.ratio, key.face, key.system,
                      key.state);
}

// Drawn faces, kept for the run: a keypad has a handful of distinct ones,
// and drawing the 64 at start-up was most of the keypad's first paint.
QHash<FaceKey, QImage>& FaceCache() {
    static QHash<FaceKey, QImage> cache;
    return cache;
}

QImage TarvikFace(const ButtonLook& look, qreal ratio) {
    const FaceKey key{look.size, ratio, look.face.rgba64(),
                      look.palette.color(QPalette::Button).rgba64(),
                      (look.pressed ? 1 : 0) | (look.hot && look.inShape ? 2 : 0) |
                          (look.focused || look.isDefault ? 4 : 0)};
    QHash<FaceKey, QImage>& cache = FaceCache();
    const auto found = cache.constFind(key);
    if (found != cache.constEnd()) return *found;
    QImage face = BlankImage(look.size, ratio);
    {
        QPainter p(&face);
        SetDrawingHints(p);
        PaintTarvikFace(p, look);
    }
    // Colour and size changes leave faces behind; a full cache starts again.
    if (cache.size() >= 512) cache.clear();
    cache.insert(key, face);
    return face;
}

void PaintXPFace(QPainter& p, const ButtonLook& look, ThemeState state) {
    const qreal w = look.size.width();
    const qreal h = look.size.height();

    QLinearGradient glint(QPointF(0, 0), GlintEnd(w, h));
    glint.setColorAt(0, QColor::fromRgba(0x18000000));
    glint.setColorAt(1, QColor::fromRgba(0xC0FFFFFF));
    Stroke(p, RoundRect(QRectF(0, 0, w - 1, h - 1), 3), glint);

    const QPainterPath inner = RoundRect(QRectF(1, 1, w - 3, h - 3), 5);
    const QColor a = Scaled(look.face, 1.15);
    const QColor b = Scaled(a, 0.8);
    const bool pressed = state == ThemeState::Pressed;
    const QColor T = pressed ? b : a;
    const QColor B = pressed ? a : b;

    const qreal edgeY = 4.0 / (h - 4);
    QLinearGradient body(QPointF(2, 2), QPointF(2, h - 2));
    body.setColorAt(0, T);
    body.setColorAt(edgeY, Mix(T, B, pressed ? 0.3 : 0.15));
    body.setColorAt(1 - edgeY, Mix(T, B, 0.4));
    body.setColorAt(1, B);
    p.fillPath(inner, body);

    const qreal leftX = 2.0 / (w - 4);
    const qreal rightX = 1 - 3.0 / (w - 4);
    QLinearGradient light(QPointF(2, 2), QPointF(w - 2, 2));
    light.setColorAt(0, WithAlpha(T, 0x40));
    light.setColorAt(leftX, WithAlpha(T, 0));
    light.setColorAt(rightX, WithAlpha(T, 0));
    light.setColorAt(1, WithAlpha(T, 0));
    p.fillPath(inner, light);
    QLinearGradient dark(QPointF(2, 2), QPointF(w - 2, 2));
    dark.setColorAt(0, WithAlpha(B, 0));
    dark.setColorAt(leftX, WithAlpha(B, 0));
    dark.setColorAt(rightX, WithAlpha(B, 0));
    dark.setColorAt(1, WithAlpha(B, 255));
    p.fillPath(inner, dark);

    if (state == ThemeState::Hot || state == ThemeState::Defaulted) {
        QLinearGradient accent(QPointF(0, 2), QPointF(0, h - 3));
        accent.setColorAt(0, WithAlpha(AccentHint(look), 0xA0));
        accent.setColorAt(1, WithAlpha(AccentHint(look), 0xF0));
        QPainterPath rings;
        rings.addRect(QRectF(2, 2, w - 5, h - 5));
        rings.addRect(QRectF(3, 3, w - 7, h - 7));
        Stroke(p, rings, accent);
    }
    Stroke(p, inner, BorderHint(look));
}

void PaintVistaFace(QPainter& p, const ButtonLook& look, ThemeState state) {
    const qreal w = look.size.width();
    const qreal h = look.size.height();
    const qreal middle = (h - 1) / 2;

    QColor color = look.face;
    int top = 0x00, bottom = 0x20;
    if (state == ThemeState::Hot) {
        color = Scaled(look.face, 0.8);
        top = 0x20, bottom = 0x40;
    } else if (state == ThemeState::Pressed) {
        color = Scaled(look.face, 0.6);
        top = 0x30, bottom = 0x50;
    }

    QLinearGradient upper(QPointF(3, 3), QPointF(3, middle));
    upper.setColorAt(0, WithAlpha(color, top));
    upper.setColorAt(1, WithAlpha(color, bottom));
    p.fillPath(RoundRect(QRectF(3, 3.5, w - 6, middle - 3.5), 1), upper);

    QLinearGradient lower(QPointF(3, middle), QPointF(3, h - 4));
    lower.setColorAt(0, WithAlpha(color, 0x80));
    lower.setColorAt(1, WithAlpha(color, 0xFF));
    p.fillPath(RoundRect(QRectF(3, middle, w - 6, h - 3.5 - middle), 1), lower);

    if (state == ThemeState::Defaulted) {
        QPainterPath ring;
        ring.addRect(QRectF(2, 2, w - 5, h - 5));
        Stroke(p, ring, AccentHint(look));
    }
    Stroke(p, RoundRect(QRectF(1, 1, w - 3, h - 3), 5), BorderHint(look));
}

// XP and Vista with the theme open, drawn off-screen.
void PaintThemedOwn(QPainter& p, const ButtonLook& look, const QWidget* widget, Drawing drawing) {
    p.fillRect(QRect(QPoint(0, 0), look.size), look.parentBackground);
    const ThemeState state = StateOf(look);
    if (look.useSystemFace)
        DrawThemeBackground(p, look, widget);
    else if (drawing == Drawing::XP)
        PaintXPFace(p, look, state);
    else
        PaintVistaFace(p, look, state);
    if (look.useSystemText)
        DrawThemeText(p, look, widget);
    else
        DrawCaption(p, look, look.textColor);
    if (WantsFocusRect(look)) DrawFocusRect(p, look, widget, ThemeStyle(widget), 3);
}

void PaintPurelyThemed(QPainter& p, const ButtonLook& look, const QWidget* widget) {
    p.fillRect(QRect(QPoint(0, 0), look.size), look.parentBackground);
    DrawThemeBackground(p, look, widget);
    DrawThemeText(p, look, widget);
    if (WantsFocusRect(look)) DrawFocusRect(p, look, widget, ThemeStyle(widget), 3);
}

}  // namespace

bool ThemesActive() {
    return QApplication::style()->name().compare(QLatin1String("windows"), Qt::CaseInsensitive) !=
           0;
}

int EffectiveStyle(int style, bool themesActive) {
    switch (style) {
        case 0:
            return themesActive ? 3 : 0;
        case 2:
            return themesActive ? 2 : 1;
        case 3:
            return themesActive ? 3 : 1;
        default:
            return 1;
    }
}

Drawing DrawingFor(int style, bool themeData) {
    switch (style) {
        case 0:
            return themeData ? Drawing::Vista : Drawing::Classic;
        case 2:
            return themeData ? Drawing::XP : Drawing::Tarvik;
        case 3:
            return themeData ? Drawing::Vista : Drawing::Tarvik;
        default:
            return Drawing::Tarvik;
    }
}

QPainterPath CapsulePath(QSize size) {
    const qreal w = size.width(), h = size.height();
    const qreal corner = std::max<qreal>(h - 6, 0);
    QPainterPath path;
    path.addRoundedRect(QRectF(3, 3, w - 6, h - 6), corner / 2, corner / 2);
    return path;
}

bool InCapsule(QSize size, QPoint point) {
    return CapsulePath(size).contains(QPointF(point.x() + 0.5, point.y() + 0.5));
}

std::array<QPainterPath, 13> TarvikPaths(QSize size) {
    const qreal w = size.width();
    const qreal h = size.height();
    std::array<QPainterPath, 13> paths;

    for (int i = 0; i < 10; ++i) {
        const qreal side = h - 1.25 - 2 * i;
        if (side <= 0) break;
        QPainterPath& path = paths[i];
        path.moveTo(h / 2, i);
        path.lineTo(w - h / 2 - 1, i);
        path.arcTo(QRectF(w + i - h, i, side, side), 90, -180);
        path.lineTo(h / 2, h - i - 1);
        path.arcTo(QRectF(i, i, side, side), -90, -180);
        path.closeSubpath();
    }

    // The highlight shares the centres of the body's corner circles.
    const qreal side = h - 7.25;
    const qreal leftCentre = 3 + side / 2;
    const qreal rightCentre = w - h + 3 + side / 2;
    const qreal d = h / 2 - 3 - 1.25;
    if (d > 0) {
        QPainterPath& path = paths[10];
        path.moveTo(leftCentre, 3);
        path.lineTo(rightCentre, 3);
        path.arcTo(QRectF(rightCentre - d / 2, 3, d, d), 90, -180);
        path.lineTo(leftCentre, 3 + d);
        path.arcTo(QRectF(leftCentre - d / 2, 3, d, d), -90, -180);
        path.closeSubpath();
    }

    if (side > 0) {
        const qreal middle = h / 2 - 0.5;
        QPainterPath& top = paths[11];
        top.moveTo(3, middle);
        top.arcTo(QRectF(3, 3, side, side), 180, -90);
        top.arcTo(QRectF(w - h + 3, 3, side, side), 90, -90);
        top.lineTo(w - h + 3 + side, middle);
        top.closeSubpath();

        const qreal lowTop = h - 4 - side;
        QPainterPath& bottom = paths[12];
        bottom.moveTo(3, middle);
        bottom.lineTo(w - h + 3 + side, middle);
        bottom.arcTo(QRectF(w - h + 3, lowTop, side, side), 0, -90);
        bottom.arcTo(QRectF(3, lowTop, side, side), -90, -90);
        bottom.closeSubpath();
    }
    return paths;
}

bool IsLightColor(const QColor& color) {
    return 0.3 * color.red() / 255.0 + 0.59 * color.green() / 255.0 + 0.11 * color.blue() / 255.0 >
           0.5;
}

void ClearFaceCache() { FaceCache().clear(); }

int KeptFaceCount() { return static_cast<int>(FaceCache().size()); }

bool PurelyThemed(const ButtonLook& look) {
    const Drawing drawing = DrawingFor(look.style, look.themeData);
    if (drawing != Drawing::XP && drawing != Drawing::Vista) return false;
    return look.disabled || (look.useSystemFace && look.useSystemText);
}

void PaintButton(QPainter& painter, const ButtonLook& look, const QWidget* widget) {
    if (look.size.isEmpty()) return;
    if (PurelyThemed(look)) {
        painter.save();
        PaintPurelyThemed(painter, look, widget);
        painter.restore();
        return;
    }

    // Off-screen first, then one copy.
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const Drawing drawing = DrawingFor(look.style, look.themeData);
    QImage image =
        drawing == Drawing::Tarvik ? TarvikFace(look, ratio) : BlankImage(look.size, ratio);
    {
        QPainter p(&image);
        SetDrawingHints(p);
        switch (drawing) {
            case Drawing::Classic:
                p.setRenderHint(QPainter::Antialiasing, false);
                PaintClassic(p, look, widget);
                break;
            case Drawing::Tarvik:
                DrawCaption(p, look, look.textColor);
                break;
            case Drawing::XP:
                PaintThemedOwn(p, look, widget, Drawing::XP);
                break;
            case Drawing::Vista:
                PaintThemedOwn(p, look, widget, Drawing::Vista);
                break;
        }
    }
    painter.drawImage(QPoint(0, 0), image);
}

}  // namespace Keypad
