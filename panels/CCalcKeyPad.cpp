#include "panels/CCalcKeyPad.h"

#include <QKeyEvent>
#include <QResizeEvent>
#include <QSettings>
#include <climits>

#include "document/CCalcColorDialog.h"
#include "document/CCalcFontDialog.h"
#include "document/ICmdReceiver.h"
#include "engine/Preferences.h"
#include "panels/CColorButton.h"
#include "panels/KeypadPainter.h"
#include "shell/core/CommandIds.h"
#include "shell/core/DialogUnits.h"
#include "shell/core/SettingsStore.h"
#include "toolkit/MessageBoxTypes.h"
#include "toolkit/TaColor.h"

using namespace Keypad;

CCalcKeyPad::CCalcKeyPad(QWidget* parent, MessageFunction message)
    : QWidget(parent), message_(std::move(message)) {
    setObjectName(QStringLiteral("keypad"));
    setWindowTitle(tr("Keypad"));
    setAccessibleName(tr("Keypad"));
    setAutoFillBackground(true);
    // Drawn smaller, it is lower too.
    QSizePolicy policy = sizePolicy();
    policy.setHeightForWidth(true);
    setSizePolicy(policy);

    CreateButtons();

    // The gaps of the dialog template, in pixels of the keypad's own font.
    gaps_ = GapsForDialogFont(DialogFont());

    {
        const std::unique_ptr<QSettings> settings = OpenSettingsStore();
        appearance_ = ReadAppearance(*settings, logicalDpiY());
    }
    appearance_.font.height =
        FitFontHeight(appearance_.font, logicalDpiY(), notation_, gaps_, LargestWorkArea());
    LoadFont();
    LayOutKeypad();

    if (appearance_.textSystem)
        UseSystemTextColor();
    else
        ApplyGroupTextColors();
    if (appearance_.faceSystem)
        UseSystemFaceColor();
    else
        ApplyGroupFaceColors();
    for (CColorButton* button : buttons_) button->SetStyle(appearance_.style);

    RefreshAccessibleNames();
}

CCalcKeyPad::~CCalcKeyPad() {
    const std::unique_ptr<QSettings> settings = OpenSettingsStore();
    WriteAppearance(*settings, appearance_);
    settings->sync();
}

void CCalcKeyPad::CreateButtons() {
    // The template's East captions; π, −, ×, → and ← replace its plain
    // stand-ins from the start.
    for (int i = 0; i < ButtonCount; ++i) {
        auto* button =
            new CColorButton(Buttons()[static_cast<size_t>(i)].id, Caption(i, East), this);
        button->installEventFilter(this);
        connect(button, &QAbstractButton::clicked, this,
                [this, button] { OnButton(button->ControlId()); });
        buttons_[static_cast<size_t>(i)] = button;
    }
    for (int i = 1; i < ButtonCount; ++i)
        setTabOrder(buttons_[static_cast<size_t>(i - 1)], buttons_[static_cast<size_t>(i)]);
    setFocusProxy(buttons_[0]);
}

CColorButton* CCalcKeyPad::ButtonById(int controlId) const {
    const int index = IndexOfId(controlId);
    return index < 0 ? nullptr : buttons_[static_cast<size_t>(index)];
}

// --- command model ---------------------------------------------------------

void CCalcKeyPad::OnButton(int controlId) {
    if (!receiver_) return;
    const int index = IndexOfId(controlId);
    if (index < 0) return;
    const ButtonInfo& info = Buttons()[static_cast<size_t>(index)];
    switch (info.action) {
        case Action::InsertName:
        case Action::Power:
            // AppendPower is read at each press.
            scratch_ = InsertedText(index, notation_, Preferences.AppendPower != 0);
            receiver_->InsertText(scratch_);
            break;
        case Action::Insert:
            receiver_->InsertText(QString::fromUtf16(info.text));
            break;
        case Action::Command:
            receiver_->ExecuteCommand(info.command);
            break;
    }
}

void CCalcKeyPad::ApplyNotation(int notation) {
    notation = notation == East ? East : West;
    if (notation == notation_) return;
    notation_ = notation;
    for (const FunctionName& row : FunctionTable())
        ButtonById(row.id)->setText(QString::fromUtf16(notation == West ? row.west : row.east));
    LayOutKeypad();
    RefreshAccessibleNames();
    update();
}

void CCalcKeyPad::Execute(int command) {
    if (receiver_) receiver_->ExecuteCommand(command);
}

void CCalcKeyPad::RefreshAccessibleNames() {
    const bool appendPower = Preferences.AppendPower != 0;
    for (int i = 0; i < ButtonCount; ++i)
        buttons_[static_cast<size_t>(i)]->setAccessibleName(
            AccessibleName(i, notation_, appendPower));
}

// --- keyboard --------------------------------------------------------------

bool CCalcKeyPad::eventFilter(QObject* watched, QEvent* event) {
    auto* button = qobject_cast<CColorButton*>(watched);
    if (!button || button->parentWidget() != this) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::KeyPress:
            if (HandleKey(button, static_cast<QKeyEvent*>(event))) return true;
            break;
        case QEvent::FocusIn:
            // The keypad gets its focus back where it left it.
            lastFocused_ = IndexOfId(button->ControlId());
            setFocusProxy(button);
            if (Buttons()[static_cast<size_t>(lastFocused_)].action == Action::Power)
                button->setAccessibleName(
                    AccessibleName(lastFocused_, notation_, Preferences.AppendPower != 0));
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

bool CCalcKeyPad::HandleKey(CColorButton* button, QKeyEvent* event) {
    // Panel-wide keys come first.
    const int command = PanelCommandForKey(event->key(), event->modifiers());
    if (command != 0) {
        switch (command) {
            case CommandId::Calculate:
                Execute(CalculateCell);
                break;
            case CommandId::CalculateAll:
                Execute(CalculateAll);
                break;
            case CommandId::FocusKeypad:
                break;  // already here
            default:
                emit panelCommand(command);
                break;
        }
        return true;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier) return false;
    switch (event->key()) {
        case Qt::Key_F1:
            emit helpRequested(button->HelpContext());
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
            MoveFocus(IndexOfId(button->ControlId()), event->key());
            return true;
        default:
            return false;
    }
}

// Arrow keys move to the nearest button in that direction.
void CCalcKeyPad::MoveFocus(int from, int key) {
    const QRect origin = buttons_[static_cast<size_t>(from)]->geometry();
    const QPoint c0 = origin.center();
    int best = -1;
    long long bestScore = LLONG_MAX;
    for (int i = 0; i < ButtonCount; ++i) {
        if (i == from) continue;
        const QRect r = buttons_[static_cast<size_t>(i)]->geometry();
        const QPoint c = r.center();
        const bool horizontal = key == Qt::Key_Left || key == Qt::Key_Right;
        long long along = 0, across = 0;
        if (horizontal) {
            if (r.bottom() < origin.top() || r.top() > origin.bottom()) continue;
            along = key == Qt::Key_Right ? c.x() - c0.x() : c0.x() - c.x();
            across = std::abs(c.y() - c0.y());
        } else {
            if (r.right() < origin.left() || r.left() > origin.right()) continue;
            along = key == Qt::Key_Down ? c.y() - c0.y() : c0.y() - c.y();
            across = std::abs(c.x() - c0.x());
        }
        if (along <= 0) continue;
        const long long score = along * 4096 + across;
        if (score < bestScore) bestScore = score, best = i;
    }
    if (best >= 0) buttons_[static_cast<size_t>(best)]->setFocus(Qt::TabFocusReason);
}

// --- layout ----------------------------------------------------------------

void CCalcKeyPad::LayOutKeypad() {
    metrics_ = MeasureFont(font_, notation_);
    size_ = LayOut(metrics_, gaps_).size;
    smallestScale_ = Keypad::SmallestScale(devicePixelRatioF());
    smallest_ = LayOut(Scaled(metrics_, smallestScale_), Scaled(gaps_, smallestScale_)).size;
    setMinimumSize(smallest_);
    setMaximumSize(size_);
    // Whole until its host says otherwise.
    resize(size_);
    ArrangeButtons();
    updateGeometry();
    emit layoutChanged(size_);
}

void CCalcKeyPad::ArrangeButtons() {
    scale_ = FitScale(size_, size(), smallestScale_);
    const bool whole = scale_ >= 1.0;
    const Metrics metrics = whole ? metrics_ : Scaled(metrics_, scale_);
    const Geometry geometry =
        whole ? LayOut(metrics_, gaps_) : LayOut(metrics, Scaled(gaps_, scale_));
    const QFont caption = whole ? font_ : ScaledFont(font_, scale_, notation_, metrics);
    for (int i = 0; i < ButtonCount; ++i) {
        CColorButton* button = buttons_[static_cast<size_t>(i)];
        button->setGeometry(geometry.buttons[static_cast<size_t>(i)]);
        if (button->font() != caption) button->setFont(caption);
    }
}

void CCalcKeyPad::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ArrangeButtons();
}

QSize CCalcKeyPad::sizeHint() const { return size_; }

QSize CCalcKeyPad::minimumSizeHint() const { return smallest_; }

int CCalcKeyPad::heightForWidth(int width) const {
    const double scale = FitScale(size_, QSize(width, size_.height()), smallestScale_);
    if (scale >= 1.0) return size_.height();
    return LayOut(Scaled(metrics_, scale), Scaled(gaps_, scale)).size.height();
}

// --- font ------------------------------------------------------------------

LogicalFont CCalcKeyPad::DialogFontDescription() const {
    return LogicalFontOf(font(), logicalDpiY());
}

void CCalcKeyPad::ApplyFont(const QFont& font, const LogicalFont& description) {
    font_ = font;
    appearance_.font = description;
    for (CColorButton* button : buttons_) button->setFont(font_);
}

void CCalcKeyPad::DecideFontFlags() {
    const LogicalFont& current = appearance_.font;
    const LogicalFont standard = DefaultFont(logicalDpiY());
    fontIsDefault_ = current.height == standard.height && current.weight == standard.weight &&
                     current.italic == standard.italic && current.face == QLatin1String("Arial");
    fontIsSystem_ = !fontIsDefault_ && current == DialogFontDescription();
}

void CCalcKeyPad::LoadFont() {
    const std::optional<QFont> font = CreateKeypadFont(appearance_.font, logicalDpiY());
    if (!font) {
        if (message_) message_(tr("Cannot load the selected font.\nUsing default font."), MB_OK, 0);
        SetDefaultFont();
        return;
    }
    ApplyFont(*font, appearance_.font);
    DecideFontFlags();
}

void CCalcKeyPad::SetDefaultFont() {
    const LogicalFont description = DefaultFont(logicalDpiY());
    const std::optional<QFont> font = CreateKeypadFont(description, logicalDpiY());
    if (!font) {
        UseSystemFont();
        return;
    }
    ApplyFont(*font, description);
    fontIsDefault_ = true;
    fontIsSystem_ = false;
}

void CCalcKeyPad::UseDefaultFont() {
    SetDefaultFont();
    LayOutKeypad();
    update();
}

void CCalcKeyPad::UseSystemFont() {
    const LogicalFont description = DialogFontDescription();
    ApplyFont(CreateKeypadFont(description, logicalDpiY()).value_or(font()), description);
    fontIsSystem_ = true;
    fontIsDefault_ = false;
    LayOutKeypad();
    update();
}

void CCalcKeyPad::SelectFont() {
    CCalcFontDialog dialog(font_, this);
    if (!dialog.DoModal()) return;
    const LogicalFont description = LogicalFontOf(dialog.SelectedFont(), logicalDpiY());
    const std::optional<QFont> font = CreateKeypadFont(description, logicalDpiY());
    if (!font) return;
    ApplyFont(*font, description);
    fontIsDefault_ = false;
    fontIsSystem_ = false;
    LayOutKeypad();
    update();
}

// --- colours and style -------------------------------------------------------

void CCalcKeyPad::ApplyGroupTextColors() {
    for (int i = 0; i < ButtonCount; ++i) {
        const int group = static_cast<int>(Buttons()[static_cast<size_t>(i)].group);
        buttons_[static_cast<size_t>(i)]->SetTextColor(
            QColor::fromRgb(TaFromColorRef(appearance_.text[group])));
    }
}

void CCalcKeyPad::ApplyGroupFaceColors() {
    for (int i = 0; i < ButtonCount; ++i) {
        const int group = static_cast<int>(Buttons()[static_cast<size_t>(i)].group);
        buttons_[static_cast<size_t>(i)]->SetFaceColor(
            QColor::fromRgb(TaFromColorRef(appearance_.face[group])));
    }
}

void CCalcKeyPad::SetGroupTextColor(Group group, const QColor& color) {
    const auto g = static_cast<size_t>(group);
    appearance_.text[g] = TaToColorRef(color.rgb());
    appearance_.textSystem = false;
    for (int i = 0; i < ButtonCount; ++i)
        if (Buttons()[static_cast<size_t>(i)].group == group)
            buttons_[static_cast<size_t>(i)]->SetTextColor(
                QColor::fromRgb(TaFromColorRef(appearance_.text[g])));
}

void CCalcKeyPad::SetGroupFaceColor(Group group, const QColor& color) {
    const auto g = static_cast<size_t>(group);
    appearance_.face[g] = TaToColorRef(color.rgb());
    appearance_.faceSystem = false;
    for (int i = 0; i < ButtonCount; ++i)
        if (Buttons()[static_cast<size_t>(i)].group == group)
            buttons_[static_cast<size_t>(i)]->SetFaceColor(
                QColor::fromRgb(TaFromColorRef(appearance_.face[g])));
}

void CCalcKeyPad::UseSystemTextColor() {
    for (CColorButton* button : buttons_) button->UseSystemTextColor();
    appearance_.textSystem = true;
}

void CCalcKeyPad::UseSystemFaceColor() {
    for (CColorButton* button : buttons_) button->UseSystemFaceColor();
    appearance_.faceSystem = true;
}

void CCalcKeyPad::DefaultTextColors() {
    appearance_.text = Keypad::DefaultTextColors;
    appearance_.textSystem = false;
    ApplyGroupTextColors();
}

void CCalcKeyPad::DefaultFaceColors() {
    appearance_.face = Keypad::DefaultFaceColors;
    appearance_.faceSystem = false;
    ApplyGroupFaceColors();
}

void CCalcKeyPad::ChooseColor(Group group, bool text) {
    const auto g = static_cast<size_t>(group);
    const QColor initial =
        QColor::fromRgb(TaFromColorRef(text ? appearance_.text[g] : appearance_.face[g]));
    std::optional<QColor> chosen;
    if (colorChooser_) {
        chosen = colorChooser_(initial);
    } else {
        CCalcColorDialog dialog(initial, this);
        if (dialog.DoModal()) chosen = dialog.SelectedColor();
    }
    if (!chosen) return;
    if (text)
        SetGroupTextColor(group, *chosen);
    else
        SetGroupFaceColor(group, *chosen);
}

void CCalcKeyPad::SetStyle(int style) {
    appearance_.style = style;
    for (CColorButton* button : buttons_) button->SetStyle(style);
}

int CCalcKeyPad::EffectiveStyle() const {
    return Keypad::EffectiveStyle(appearance_.style, ThemesActive());
}

// --- Set > Keypad --------------------------------------------------------------

bool CCalcKeyPad::OnCommand(int command) {
    switch (command) {
        case CommandId::KeypadStyle2000:
            SetStyle(Keypad::Style2000);
            break;
        case CommandId::KeypadStyleTarvik:
            SetStyle(Keypad::StyleTarvik);
            break;
        case CommandId::KeypadStyleXP:
            SetStyle(Keypad::StyleXP);
            break;
        case CommandId::KeypadStyleVista:
            SetStyle(Keypad::StyleVista);
            break;
        case CommandId::KeypadFontSelect:
            SelectFont();
            break;
        case CommandId::KeypadFontSystem:
            UseSystemFont();
            break;
        case CommandId::KeypadFontDefault:
            UseDefaultFont();
            break;
        case CommandId::KeypadTextFunction:
            ChooseColor(Group::Function, true);
            break;
        case CommandId::KeypadTextDigit:
            ChooseColor(Group::Digit, true);
            break;
        case CommandId::KeypadTextService:
            ChooseColor(Group::Service, true);
            break;
        case CommandId::KeypadTextSystem:
            UseSystemTextColor();
            break;
        case CommandId::KeypadTextDefault:
            DefaultTextColors();
            break;
        case CommandId::KeypadColorFunction:
            ChooseColor(Group::Function, false);
            break;
        case CommandId::KeypadColorDigit:
            ChooseColor(Group::Digit, false);
            break;
        case CommandId::KeypadColorService:
            ChooseColor(Group::Service, false);
            break;
        case CommandId::KeypadColorSystem:
            UseSystemFaceColor();
            break;
        case CommandId::KeypadColorDefault:
            DefaultFaceColors();
            break;
        default:
            return false;
    }
    return true;
}

CCalcKeyPad::CommandState CCalcKeyPad::StateOf(int command) const {
    const bool themes = ThemesActive();
    const int effective = Keypad::EffectiveStyle(appearance_.style, themes);
    CommandState state;
    switch (command) {
        case CommandId::KeypadStyle2000:
            state.enabled = !themes;
            state.checked = effective == Keypad::Style2000;
            break;
        case CommandId::KeypadStyleTarvik:
            state.checked = effective == Keypad::StyleTarvik;
            break;
        case CommandId::KeypadStyleXP:
            state.enabled = themes;
            state.checked = effective == Keypad::StyleXP;
            break;
        case CommandId::KeypadStyleVista:
            state.enabled = themes;
            state.checked = effective == Keypad::StyleVista;
            break;
        case CommandId::KeypadFontDefault:
            state.checked = fontIsDefault_;
            break;
        case CommandId::KeypadFontSystem:
            state.checked = fontIsSystem_;
            break;
        case CommandId::KeypadTextSystem:
            state.checked = appearance_.textSystem;
            break;
        case CommandId::KeypadTextDefault:
            state.checked =
                !appearance_.textSystem && appearance_.text == Keypad::DefaultTextColors;
            break;
        case CommandId::KeypadColorSystem:
            state.checked = appearance_.faceSystem;
            break;
        case CommandId::KeypadColorDefault:
            state.checked =
                !appearance_.faceSystem && appearance_.face == Keypad::DefaultFaceColors;
            break;
        default:
            break;
    }
    return state;
}
