// A long piece of work on the GUI thread (opening, executing or calculating a
// large text). After a moment it shows its progress over the editor and keeps
// the window painting; Esc calls it off. Until it ends, all other input to the
// program is held back, so that nothing changes the text under the work.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

class QFrame;
class QLabel;
class QProgressBar;
class QWidget;

class LongTask : public QObject {
    Q_OBJECT
public:
    // `over`: the widget the progress is shown over; `what`: what is being done.
    LongTask(QWidget* over, const QString& what);
    ~LongTask() override;
    LongTask(const LongTask&) = delete;
    LongTask& operator=(const LongTask&) = delete;

    // The work has come to done of total; false once it was called off.
    bool Step(qint64 done, qint64 total);
    bool Cancelled() const { return cancelled_; }
    // Whether the progress has been shown (the work took more than a moment).
    bool Shown() const { return panel_ != nullptr; }

    // How long "a moment" is, in milliseconds (tests shorten it).
    static void SetDelay(int milliseconds);
    // How often the window is served while the work runs (tests: every step).
    static void SetEventInterval(int milliseconds);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show();

    QPointer<QWidget> over_;
    QString what_;
    QElapsedTimer clock_;
    qint64 lastEvents_ = 0;
    bool cancelled_ = false;
    QFrame* panel_ = nullptr;
    QProgressBar* bar_ = nullptr;
};
