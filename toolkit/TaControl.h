// Base of the controls that live in a TaDialog. They do not paint
// themselves: the dialog draws them into its back buffer at their position,
// and a control whose look changed marks itself dirty and asks the dialog
// to paint again.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include "toolkit/TaFonts.h"

class QPainter;

class TaControl : public QWidget {
    Q_OBJECT
public:
    TaControl(int id, const QString& text, QWidget* parent);

    int Id() const { return id_; }
    const QString& Text() const { return text_; }
    void SetText(const QString& text);

    // The font: face of the dialog's font set, size in points, TaFontStyle flags.
    void SetFont(const TaFonts* fonts, TaFace face, qreal points, int style);
    // The font without a face of the set (the generic sans-serif family).
    void SetFallbackFont(qreal points, int style);
    QFont DrawFont() const;
    qreal FontSize() const { return size_; }
    int FontStyle() const { return style_; }

    // Draw position in window coordinates; the widget sits there too.
    QPoint Position() const { return pos(); }
    void SetPosition(int x, int y) { move(x, y); }

    // Sizes the widget to its text and returns the size.
    virtual QSize Measure() = 0;
    // Draws into a dialog's back buffer at the position; true on success.
    virtual bool Draw(QPainter& painter) = 0;

    bool Dirty() const { return dirty_; }
    void SetDirty(bool dirty) { dirty_ = dirty; }

    // Push-button-like controls take part in the dialog's default button.
    virtual bool IsPushButton() const { return false; }
    virtual void SetDefaultButton(bool isDefault);
    bool IsDefaultButton() const { return default_; }

protected:
    // The look changed: mark dirty and ask the dialog to paint.
    void Changed();
    void paintEvent(QPaintEvent* event) override;  // validates only
    QRectF TextBox() const;                        // the control's own box, from (0, 0)

    const TaFonts* fonts_ = nullptr;
    bool hasFace_ = false;
    TaFace face_ = TaFace::Regular;
    QString fallbackFamily_;

private:
    int id_;
    QString text_;
    qreal size_ = 12.0;
    int style_ = TaFontStyle::Regular;
    bool dirty_ = true;
    bool default_ = false;
};
