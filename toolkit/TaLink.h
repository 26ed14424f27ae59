// A hyperlink drawn into its dialog's back buffer; activating it opens its
// target address with the desktop's default handler.
#pragma once

#include "toolkit/TaControl.h"

class TaLink : public TaControl {
    Q_OBJECT
public:
    TaLink(int id, const QString& text, const QString& target, QWidget* parent);

    const QString& Target() const { return target_; }
    void SetTarget(const QString& target);
    // Face name used when no face of the font set is given.
    void SetFallbackFace(const QString& name) { fallbackFamily_ = name; }
    QRgb TextColor() const { return textColor_; }
    void SetTextColor(QRgb argb) {
        textColor_ = argb;
        Changed();
    }
    QRgb BackgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(QRgb argb) {
        backgroundColor_ = argb;
        Changed();
    }

    QSize Measure() override;
    bool Draw(QPainter& painter) override;
    bool IsPushButton() const override { return true; }

    // Opens the target (wait cursor meanwhile); does nothing while disabled.
    bool Activate();

signals:
    void Activated(const QString& target);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    QString target_;
    QRgb textColor_ = 0xFE0000FF;
    QRgb backgroundColor_ = 0xFFFFFFFF;
    bool pressed_ = false;
};
