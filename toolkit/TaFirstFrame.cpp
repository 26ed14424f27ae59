#include "toolkit/TaFirstFrame.h"

#include <QBackingStore>
#include <QEvent>
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <utility>

#if defined(Q_OS_LINUX)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

// Maps in every page of [data, data + size) for writing, without changing a
// byte, in one call.
void MapInForWriting(const uchar* data, qsizetype size) {
#if defined(Q_OS_LINUX)
    constexpr int kPopulateWrite = 23;  // MADV_POPULATE_WRITE (Linux 5.14); older kernels refuse it
    const auto page = static_cast<quintptr>(sysconf(_SC_PAGESIZE));
    if (data == nullptr || size <= 0 || page == 0) return;
    const quintptr begin = reinterpret_cast<quintptr>(data) & ~(page - 1);
    const quintptr end = reinterpret_cast<quintptr>(data) + static_cast<quintptr>(size);
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the address is the image's own
    madvise(reinterpret_cast<void*>(begin), end - begin, kPopulateWrite);
#else
    Q_UNUSED(data);
    Q_UNUSED(size);
#endif
}

class ExposureFilter : public QObject {
public:
    ExposureFilter(QWindow* window, std::function<void()> work)
        : QObject(window), work_(std::move(work)) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = qobject_cast<QWindow*>(watched);
        if (event->type() == QEvent::Expose && window != nullptr && window->isExposed()) {
            window->removeEventFilter(this);
            deleteLater();
            if (work_) std::exchange(work_, nullptr)();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> work_;
};

// The store is sized now rather than as the paint begins, so that its memory
// can be mapped in before the first pixel is written.
void PrepareStore(QWidget* window) {
    QBackingStore* store = window->backingStore();
    if (store == nullptr) return;
    const QSize size = window->size();
    if (store->size() != size) {
        store->resize(size);
        window->update();  // all of it is painted into the new store
    }
    QPaintDevice* device = store->paintDevice();
    if (device == nullptr || device->devType() != QInternal::Image) return;
    const auto* image = static_cast<const QImage*>(device);
    MapInForWriting(image->constBits(), image->sizeInBytes());
}

}  // namespace

void TaOnFirstExposure(QWindow* window, std::function<void()> work) {
    new ExposureFilter(window, std::move(work));
}

void TaPrepareFirstFrame(QWidget* window) {
    if (window == nullptr) return;
    window->winId();  // the native window the filter watches
    TaOnFirstExposure(window->windowHandle(), [window = QPointer<QWidget>(window)] {
        if (window != nullptr) PrepareStore(window);
    });
}
