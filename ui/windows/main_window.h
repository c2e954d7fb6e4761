#pragma once

#include "ui/window_description.h"
#include "ui/window_properties.h"

#include <string_view>

namespace vorlo::ui {

namespace mainWindow {
inline constexpr std::string_view name = "MainWindow";
inline constexpr std::string_view onTopCheck = "onTopCheck";
inline constexpr std::string_view remainingLabel = "remainingLabel";
inline constexpr std::string_view stopButton = "stopButton";
inline constexpr std::string_view startButton = "startButton";
inline constexpr std::string_view minutesLabel = "minutesLabel";
inline constexpr std::string_view minutesEdit = "minutesEdit";
inline constexpr std::string_view everyLabel = "everyLabel";
inline constexpr std::string_view tickTimer = "tickTimer";

// The left edge the window is placed at; its top is a third of the way down the screen.
inline constexpr std::int32_t placedLeft = 2;
} // namespace mainWindow

const WindowDescription& mainWindowDescription();

// Created event: puts the window at the left edge, a third of the way down, before it is shown.
void placeWindow(WindowProperties& windows);

// Clicked event of onTopCheck: the window is in the keep-above band exactly while it is checked.
void applyAlwaysOnTop(WindowProperties& windows);

} // namespace vorlo::ui
