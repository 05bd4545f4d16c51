#include "shell/windowing/busy.h"

#include <QApplication>
#include <QProgressDialog>
#include <algorithm>

namespace busy {
namespace {

int delay_ = 500;
Hook hook_;

}  // namespace

void setDelay(int milliseconds) {
    delay_ = milliseconds;
}

void setHook(Hook hook) {
    hook_ = std::move(hook);
}

Watch::Watch(const QString& text, const QString& cancel) : text_(text), cancel_(cancel) {
    started_.start();
}

Watch::~Watch() = default;

bool Watch::keepGoing(qint64 done, qint64 total) {
    done_ = done;
    total_ = total;
    if (window_ && total_ > 0) {
        window_->setMaximum(1000);
        window_->setValue(int(std::clamp<qint64>(done_ * 1000 / total_, 0, 1000)));
    }
    return keepGoing();
}

bool Watch::keepGoing() {
    if (cancelled_) return false;
    if (started_.elapsed() < delay_) return true;
    if (!window_) {
        window_ =
            std::make_unique<QProgressDialog>(text_, cancel_, 0, 0, QApplication::activeWindow());
        window_->setObjectName(QStringLiteral("FormProgreso"));
        window_->setWindowTitle(QStringLiteral("Ormelia"));
        window_->setWindowModality(Qt::ApplicationModal);
        window_->setMinimumDuration(0);
        window_->setAutoClose(false);
        window_->setAutoReset(false);
        if (total_ > 0) {
            window_->setMaximum(1000);
            window_->setValue(int(std::clamp<qint64>(done_ * 1000 / total_, 0, 1000)));
        }
        if (hook_) {
            cancelled_ = hook_(*window_);
            return !cancelled_;
        }
        window_->show();
        served_.start();
        QCoreApplication::processEvents();
    } else if (!hook_ && served_.elapsed() >= 50) {
        // Serving the window system often enough to move the bar and see "Cancelar".
        if (total_ <= 0) window_->setValue(0);
        QCoreApplication::processEvents();
        served_.restart();
    }
    cancelled_ = window_->wasCanceled();
    return !cancelled_;
}

}  // namespace busy
