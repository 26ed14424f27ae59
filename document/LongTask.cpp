#include "document/LongTask.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>

namespace {
// Work shorter than this shows nothing and takes no input in between.
int delay = 400;
// Between two turns of the event loop: often enough to paint and see Esc,
// seldom enough to cost the work nothing to speak of.
qint64 eventInterval = 50;
}  // namespace

void LongTask::SetDelay(int milliseconds) { delay = milliseconds; }
void LongTask::SetEventInterval(int milliseconds) { eventInterval = milliseconds; }

LongTask::LongTask(QWidget* over, const QString& what) : over_(over), what_(what) {
    clock_.start();
    qApp->installEventFilter(this);
}

LongTask::~LongTask() {
    qApp->removeEventFilter(this);
    if (panel_ != nullptr && over_ != nullptr) delete panel_;
}

bool LongTask::Step(qint64 done, qint64 total) {
    const qint64 now = clock_.elapsed();
    if (now < delay) return !cancelled_;
    const bool first = panel_ == nullptr;
    if (first) Show();
    if (panel_ != nullptr && over_ != nullptr)  // centred, as the window may have grown
        panel_->move((over_->width() - panel_->width()) / 2,
                     (over_->height() - panel_->height()) / 2);
    if (bar_ != nullptr)
        bar_->setValue(
            total > 0 ? static_cast<int>(std::clamp<qint64>(done * 1000 / total, 0, 1000)) : 0);
    if (first || now - lastEvents_ >= eventInterval) {
        lastEvents_ = now;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return !cancelled_;
}

void LongTask::Show() {
    if (over_ == nullptr) return;
    panel_ = new QFrame(over_);
    panel_->setObjectName(QStringLiteral("LongTaskProgress"));
    panel_->setFrameShape(QFrame::StyledPanel);
    panel_->setAutoFillBackground(true);
    // The program's own face, not the editor's.
    panel_->setFont(QApplication::font());
    auto* layout = new QVBoxLayout(panel_);
    auto* label = new QLabel(what_ + QLatin1Char('\n') + tr("Press Esc to cancel."), panel_);
    bar_ = new QProgressBar(panel_);
    bar_->setRange(0, 1000);
    bar_->setTextVisible(false);
    bar_->setAccessibleName(what_);
    layout->addWidget(label);
    layout->addWidget(bar_);
    const int width = std::max(120, std::min(over_->width() - 40, 420));
    panel_->resize(width, panel_->sizeHint().height());
    panel_->move((over_->width() - panel_->width()) / 2, (over_->height() - panel_->height()) / 2);
    panel_->show();
    panel_->raise();
}

bool LongTask::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) cancelled_ = true;
            return true;
        case QEvent::ShortcutOverride:
            // Taken, so that no shortcut fires and the key comes here as a press.
            event->accept();
            return true;
        case QEvent::Close:
            if (watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
                event->ignore();
                return true;
            }
            return false;
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            return true;
        default:
            return false;
    }
}
