#include "toolkit/TaAccessible.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

#include "toolkit/TaButton.h"
#include "toolkit/TaButtonBitmap.h"
#include "toolkit/TaControl.h"
#include "toolkit/TaDialog.h"
#include "toolkit/TaLink.h"
#include "toolkit/TaStatic.h"

namespace {

// TaStatic, TaButton and TaLink: the widget is only the control's place; the
// dialog draws it, so name and states come from the control itself.
class ControlAccessible : public QAccessibleWidget {
public:
    ControlAccessible(TaControl* control, QAccessible::Role role)
        : QAccessibleWidget(control, role) {}

    TaControl* Control() const { return static_cast<TaControl*>(widget()); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            if (!widget()->accessibleName().isEmpty()) return widget()->accessibleName();
            return TaSpokenText(Control()->Text());
        }
        if (t == QAccessible::Description) {
            if (auto* link = qobject_cast<TaLink*>(widget())) return link->Target();
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (role() == QAccessible::StaticText) {
            s.readOnly = true;
            s.focusable = false;
        } else {
            s.defaultButton = Control()->IsDefaultButton();
            if (role() == QAccessible::Link) s.linked = true;
            if (auto* button = qobject_cast<TaButton*>(widget())) s.pressed = button->IsPressed();
        }
        return s;
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (role() != QAccessible::StaticText && widget()->isEnabled())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& name) override {
        if (name != pressAction()) {
            QAccessibleWidget::doAction(name);
            return;
        }
        if (auto* button = qobject_cast<TaButton*>(widget()))
            button->Click();
        else if (auto* link = qobject_cast<TaLink*>(widget()))
            link->Activate();
    }

    QStringList keyBindingsForAction(const QString& name) const override {
        if (name == pressAction() && role() == QAccessible::PushButton)
            return {QStringLiteral("space")};
        return QAccessibleWidget::keyBindingsForAction(name);
    }
};

// The round image buttons paint themselves; they still need the default
// state and a press that clicks at once.
class ButtonBitmapAccessible : public QAccessibleWidget {
public:
    explicit ButtonBitmapAccessible(TaButtonBitmap* button)
        : QAccessibleWidget(button, QAccessible::PushButton) {}

    TaButtonBitmap* Button() const { return static_cast<TaButtonBitmap*>(widget()); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            if (!widget()->accessibleName().isEmpty()) return widget()->accessibleName();
            if (!Button()->text().isEmpty()) return TaSpokenText(Button()->text());
            return TaSpokenText(widget()->toolTip());
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.defaultButton = Button()->IsDefault();
        s.pressed = Button()->isDown();
        return s;
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (widget()->isEnabled()) names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& name) override {
        if (name != pressAction()) {
            QAccessibleWidget::doAction(name);
            return;
        }
        if (widget()->isEnabled()) Button()->click();
    }
};

// An image the dialog draws: no widget of its own, so it is a child the
// dialog's interface hands out, found again by its index.
class ImageAccessible : public QAccessibleInterface {
public:
    ImageAccessible(TaDialog* dialog, int index) : dialog_(dialog), index_(index) {}

    bool isValid() const override { return dialog_ && index_ < dialog_->AccessibleImages().size(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return dialog_ ? dialog_->windowHandle() : nullptr; }

    QAccessibleInterface* parent() const override {
        return dialog_ ? QAccessible::queryAccessibleInterface(dialog_.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (!isValid()) return {};
        if (t == QAccessible::Name || t == QAccessible::Description)
            return dialog_->AccessibleImages().at(index_).name;
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        if (!isValid()) return {};
        const TaImage* image = dialog_->AccessibleImages().at(index_).image;
        return QRect(dialog_->mapToGlobal(image->Position()),
                     QSize(image->Width(), image->Height()));
    }
    QAccessible::Role role() const override { return QAccessible::Graphic; }
    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid() || !dialog_->isVisible()) s.invisible = true;
        s.readOnly = true;
        return s;
    }

private:
    QPointer<TaDialog> dialog_;
    int index_;
};

// The dialog: its caption, its description and role from the dialog, its
// drawn images first (they stand above the text), then its controls.
class DialogAccessible : public QAccessibleWidget {
public:
    explicit DialogAccessible(TaDialog* dialog) : QAccessibleWidget(dialog, QAccessible::Dialog) {}
    ~DialogAccessible() override {
        for (QAccessible::Id id : std::as_const(images_))
            QAccessible::deleteAccessibleInterface(id);
    }

    TaDialog* Dialog() const { return static_cast<TaDialog*>(widget()); }

    QAccessible::Role role() const override { return Dialog()->AccessibleRole(); }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return widget()->windowTitle();
        if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty())
            return Dialog()->AccessibleDescription();
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return ImageCount() + QAccessibleWidget::childCount(); }

    QAccessibleInterface* child(int index) const override {
        const int images = ImageCount();
        if (index < 0) return nullptr;
        if (index < images) return Image(index);
        return QAccessibleWidget::child(index - images);
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr) return -1;
        for (auto it = images_.cbegin(); it != images_.cend(); ++it) {
            if (QAccessible::accessibleInterface(it.value()) == child) return it.key();
        }
        const int index = QAccessibleWidget::indexOfChild(child);
        return index < 0 ? -1 : index + ImageCount();
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        if (QAccessibleInterface* control = QAccessibleWidget::childAt(x, y)) return control;
        // NOLINTNEXTLINE(clang-analyzer-cplusplus.NewDeleteLeaks): Qt owns what Image registers
        for (int i = 0; i < ImageCount(); ++i) {
            QAccessibleInterface* image = Image(i);
            if (image->rect().contains(x, y)) return image;
        }
        return nullptr;
    }

private:
    int ImageCount() const { return static_cast<int>(Dialog()->AccessibleImages().size()); }

    QAccessibleInterface* Image(int index) const {
        auto it = images_.constFind(index);
        if (it != images_.cend()) return QAccessible::accessibleInterface(it.value());
        auto* image = new ImageAccessible(Dialog(), index);
        images_.insert(index, QAccessible::registerAccessibleInterface(image));
        return image;
    }

    mutable QHash<int, QAccessible::Id> images_;
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
    // Asked with each class name from the most derived one up; the first
    // answer is kept, so the toolkit's classes answer for their subclasses.
    if (auto* dialog = qobject_cast<TaDialog*>(object)) return new DialogAccessible(dialog);
    if (auto* button = qobject_cast<TaButton*>(object))
        return new ControlAccessible(button, QAccessible::PushButton);
    if (auto* link = qobject_cast<TaLink*>(object))
        return new ControlAccessible(link, QAccessible::Link);
    if (auto* label = qobject_cast<TaStatic*>(object))
        return new ControlAccessible(label, QAccessible::StaticText);
    if (auto* bitmap = qobject_cast<TaButtonBitmap*>(object))
        return new ButtonBitmapAccessible(bitmap);
    return nullptr;
}

// Before any widget exists, so no toolkit object is ever given another interface.
[[maybe_unused]] const bool installedAtStart = (TaInstallAccessibility(), true);

TaAccessibleNoticeHook noticeHook = nullptr;

}  // namespace

void TaSetAccessibleNoticeHook(TaAccessibleNoticeHook hook) { noticeHook = hook; }

void TaInstallAccessibility() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(&Factory);
}

void TaNotifyAccessible(QObject* object, QAccessible::Event event) {
    QAccessibleEvent notice(object, event);
    if (noticeHook != nullptr) noticeHook(&notice);
    QAccessible::updateAccessibility(&notice);
}

void TaNotifyAccessibleState(QObject* object, const QAccessible::State& changed) {
    QAccessibleStateChangeEvent notice(object, changed);
    if (noticeHook != nullptr) noticeHook(&notice);
    QAccessible::updateAccessibility(&notice);
}

QString TaSpokenText(const QString& caption) {
    QString spoken;
    spoken.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) {
                spoken += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        spoken += caption[i];
    }
    return spoken;
}
