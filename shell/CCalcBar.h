// Dockable bars of the main window. A CCalcBar keeps one size per state
// (docked horizontally, docked vertically, floating), never lets any of them
// fall below its minimum, and stores the sizes of a sizeable bar in the
// settings.
//
// The dock areas, rows, separators and floating windows are QMainWindow's.
// The bar holds a body widget whose size is the state size: its size hint
// is the state size, so a bar that docks or floats takes the size of its
// new state, and its minimum size is the bar's minimum, so the main
// window's separators stop there. The separator between two bars of a row
// moves one edge against the other and keeps their sum; the separator
// toward the editor stops at the editor's minimum of 4 pixels (set by the
// frame) or at the minimum of a bar docked beside the editor. Whatever size
// a drag leaves becomes the size of the state. A docked fixed-size bar may
// give up to its shrink allowance of its length to a narrow window (its
// panel draws itself smaller), and its thickness then follows its length.
#pragma once

#include <QDockWidget>
#include <QList>
#include <QSize>
#include <QString>

class QMainWindow;
class QSettings;

// Control-bar style bits, with the docking framework's values.
namespace BarStyle {
inline constexpr unsigned SizeFixed = 0x0002;
inline constexpr unsigned SizeDynamic = 0x0004;
inline constexpr unsigned ToolTips = 0x0010;
inline constexpr unsigned FlyBy = 0x0020;
inline constexpr unsigned AlignLeft = 0x1000;
inline constexpr unsigned AlignTop = 0x2000;
inline constexpr unsigned AlignRight = 0x4000;
inline constexpr unsigned AlignBottom = 0x8000;
inline constexpr unsigned AlignAny = 0xF000;
inline constexpr unsigned Gripper = 0x00400000;
}  // namespace BarStyle

class CCalcBar : public QDockWidget {
    Q_OBJECT
public:
    enum class DockSide { None, Top, Left, Right, Bottom };

    static constexpr int kEdgeWidth = 5;
    static constexpr int kGripperDepth = 5;
    static constexpr int kGripperDepthWide = 12;

    explicit CCalcBar(QWidget* parent = nullptr);
    ~CCalcBar() override;

    // Keeps the style bits, sets the three state sizes to the default size
    // and gives the bar its caption and id. The bar joins `parent`, which
    // docks it later.
    virtual bool Create(const QString& caption, QMainWindow* parent, int defaultCx, int defaultCy,
                        bool withGripper, int id, unsigned style);

    int Id() const { return id_; }
    unsigned Style() const { return style_; }
    bool IsFixedSize() const { return (style_ & BarStyle::SizeFixed) != 0; }
    Qt::DockWidgetAreas AllowedSides() const;

    QSize HorizontalSize() const { return horizontal_; }
    QSize VerticalSize() const { return vertical_; }
    QSize FloatingSize() const { return floating_; }
    QSize MinimumSize() const { return minimum_; }
    int GripperDepth() const { return gripperDepth_; }

    // Where the bar is now; None while floating.
    DockSide Side() const;
    // The size of the current state.
    QSize StateSize() const;
    // The body's area left to the hosted window: the state size less the
    // borders and the gripper band.
    QRect ClientRect() const;
    // The body: the widget whose size the state sizes describe.
    QWidget* Body() const { return body_; }

    // "%s-Bar%d": the bar's own section under `base`.
    static QString SectionName(const QString& base, int id);
    // Six sizes of a sizeable bar, each read between the bar's minimum and the
    // largest work area; fixed-size bars store nothing.
    virtual void LoadState(QSettings& settings, const QString& base);
    virtual void SaveState(QSettings& settings, const QString& base) const;

    // Shows the bar (on top when floating) without taking the focus.
    void ShowWithoutFocus();

    // Every bar that exists, in creation order.
    static const QList<CCalcBar*>& AllBars();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Sets the state sizes; those of a sizeable bar are raised to the minimum.
    void SetSizes(const QSize& horizontal, const QSize& vertical, const QSize& floating,
                  const QSize& minimum);
    // The body has been resized: the hosted window follows.
    virtual void OnBodyResized() {}
    // How much a docked fixed-size bar may give up of its state size.
    void SetShrinkAllowance(const QSize& allowance) { shrink_ = allowance; }
    // The thickness of a docked fixed-size bar `length` long; the state's
    // thickness unless the hosted panel says otherwise.
    virtual int ThicknessFor(int length, bool horizontal) const;
    // Applies the current state to the body (fixed size or minimum) and asks
    // the main window for a new layout.
    void ApplyStateSize();

private:
    friend class CCalcBarBody;
    void OnTopLevelChanged(bool floating);
    void OnLocationChanged(Qt::DockWidgetArea area);
    void RecordBodySize(const QSize& size);
    void Settle();
    void Settled();
    void Regrow();

    QWidget* body_;
    QWidget* gripper_;
    int id_ = 0;
    unsigned style_ = 0;
    int gripperDepth_ = kGripperDepth;
    QSize horizontal_{200, 100};
    QSize vertical_{100, 200};
    QSize floating_{200, 100};
    QSize minimum_{100, 100};
    QSize shrink_{0, 0};
    bool regrowPending_ = false;
    // Set while the bar changes state: the body's sizes then are the old
    // state's, not the user's choice for the new one.
    bool settling_ = false;
    DockSide settledSide_ = DockSide::None;
};
