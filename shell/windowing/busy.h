#pragma once
// A long piece of work on the user-interface thread that the user can stop: after half a second
// a progress window with "Cancelar" appears (Esc cancels too) and the window system is served
// while the work goes on.
#include <QElapsedTimer>
#include <QString>
#include <functional>
#include <memory>

class QProgressDialog;

namespace busy {

class Watch {
  public:
    // `text` says what is being done; `cancel` is the button's caption.
    Watch(const QString& text, const QString& cancel);
    ~Watch();
    Watch(const Watch&) = delete;
    Watch& operator=(const Watch&) = delete;

    // Called often by the work: false once the user has cancelled.
    bool keepGoing();
    // The same for work that knows its size: the window's bar shows `done` of `total`.
    bool keepGoing(qint64 done, qint64 total);
    bool cancelled() const { return cancelled_; }

  private:
    QString text_, cancel_;
    QElapsedTimer started_, served_;
    std::unique_ptr<QProgressDialog> window_;
    bool cancelled_ = false;
    qint64 done_ = 0, total_ = 0;
};

// Test hooks: the delay before the window appears (500 ms unless set), and a function that gets
// the window when it appears and returns true to press "Cancelar".
void setDelay(int milliseconds);
using Hook = std::function<bool(QProgressDialog&)>;
void setHook(Hook hook);

}  // namespace busy
