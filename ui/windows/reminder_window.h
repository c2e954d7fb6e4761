#pragma once

#include "ui/window_description.h"
#include "ui/window_properties.h"

#include <string_view>

namespace vorlo::ui {

namespace reminderWindow {
inline constexpr std::string_view name = "ReminderWindow";
inline constexpr std::string_view timeLabel = "timeLabel";
} // namespace reminderWindow

const WindowDescription& reminderWindowDescription();

// Created event: the label shows the local date and time at which this window was built.
void fillTimeLabel(WindowProperties& windows);

} // namespace vorlo::ui
