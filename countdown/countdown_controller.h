#pragma once

#include "countdown/countdown_window.h"

#include <cstdint>

namespace vorlo {

// Counts the interval typed into the main window down once a tick and opens the reminder each
// time the count reaches zero. Whether it runs is held by the tick period alone.
class CountdownController {
public:
    static constexpr std::int32_t tickPeriodMs = 1000;

    explicit CountdownController(CountdownWindow& window)
        : window_(window) {}

    void start();
    void stop();
    void tick();

    std::int32_t remainingSeconds() const { return remainingSeconds_; }

private:
    std::int32_t intervalSeconds() const;

    CountdownWindow& window_;
    std::int32_t remainingSeconds_ = 0;
};

} // namespace vorlo
