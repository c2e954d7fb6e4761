#include "ui/layer/period_timer.h"

namespace vorlo::ui {

PeriodTimer::PeriodTimer(QObject* parent)
    : QObject(parent) {
    // A precise timer keeps a one-second period within a millisecond or so and does not drift;
    // the coarse default lets each period slip by up to 5 %.
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &PeriodTimer::elapsed);
}

void PeriodTimer::setPeriod(std::int32_t milliseconds) {
    const std::int32_t period = milliseconds < 0 ? 0 : milliseconds;
    if (period == period_) {
        return;
    }
    period_ = period;
    timer_.stop();
    if (period > 0) {
        timer_.start(period);
    }
}

} // namespace vorlo::ui
