#include "countdown/countdown_controller.h"

#include "text/conversions.h"
#include "text/literals.h"

namespace vorlo {

namespace {

constexpr double secondsPerMinute = 60.0;

// The count wraps through the whole 32-bit range instead of overflowing.
std::int32_t decremented(std::int32_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) - 1U);
}

} // namespace

// The interval is read afresh each time, so a new value in the box applies from the next zero.
std::int32_t CountdownController::intervalSeconds() const {
    const std::int32_t minutes = textToInteger(window_.minutesText().bytes());
    return realToInteger(minutes * secondsPerMinute);
}

void CountdownController::start() {
    window_.setStartDisabled(true);
    window_.setStopDisabled(false);
    remainingSeconds_ = intervalSeconds();
    window_.setTickPeriod(tickPeriodMs);
}

void CountdownController::stop() {
    window_.setTickPeriod(0);
    remainingSeconds_ = 0;
    window_.setRemainingCaption(literals::remainingIdleCaption);
    window_.setStartDisabled(false);
    window_.setStopDisabled(true);
}

void CountdownController::tick() {
    remainingSeconds_ = decremented(remainingSeconds_);
    if (remainingSeconds_ != 0) {
        window_.setRemainingCaption(
            concatenateTexts({literals::remainingPrefix, integerToText(remainingSeconds_).bytes(),
                              literals::remainingSuffix})
                .bytes());
        return;
    }
    // The next interval starts before the reminder opens, so a tick that comes while the reminder
    // is open already counts it; the label keeps the caption of the tick before (1 normally).
    remainingSeconds_ = intervalSeconds();
    window_.openReminder();
}

} // namespace vorlo
