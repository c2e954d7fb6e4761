#pragma once

#include <QObject>
#include <QTimer>

#include <cstdint>

namespace vorlo::ui {

// The timer control: a period in milliseconds, 0 while stopped. Its events come through the
// event loop one at a time; events missed while the thread was busy come as one.
class PeriodTimer final : public QObject {
    Q_OBJECT

public:
    explicit PeriodTimer(QObject* parent);

    std::int32_t period() const { return period_; }

    // A negative period reads as 0. Writing the period the timer already has changes nothing, so
    // a running timer keeps its phase; any other value restarts it one full period from now.
    void setPeriod(std::int32_t milliseconds);

signals:
    void elapsed();

private:
    QTimer timer_;
    std::int32_t period_ = 0;
};

} // namespace vorlo::ui
