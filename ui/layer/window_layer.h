#pragma once

#include "ui/window_properties.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace vorlo::ui {

class BuiltWindow;

// Builds windows from their descriptions, keeps track of the loaded ones, delivers their events
// to the program's handlers and gives the handlers the windows' properties.
class WindowLayer final : public WindowProperties {
public:
    using EventHandler = std::function<void(Handler)>;

    // Prepares the layer: the hidden owner of the windows without a task-bar entry, and the
    // program icon. Needs the application object.
    WindowLayer();
    ~WindowLayer() override;
    WindowLayer(const WindowLayer&) = delete;
    WindowLayer& operator=(const WindowLayer&) = delete;

    void setEventHandler(EventHandler handler) { eventHandler_ = std::move(handler); }

    // Builds the window, runs its created event while it is still hidden, then shows it if its
    // description says so. Null if it could not be built.
    BuiltWindow* load(const WindowDescription& description, bool modal);

    // From here on a window destroyed with none left ends the event loop.
    void markLoopStarted() { loopStarted_ = true; }
    bool hasLoadedWindows() const { return !loaded_.empty(); }
    BuiltWindow* loadedWindow(std::string_view name) const;

    // No handler runs any more: the program is ending.
    void suppressEventsForGood() { ++eventsSuppressed_; }

    // Brings the open modal windows to the front, restoring minimised ones, as a refused close
    // request does.
    void bringModalWindowsForward();
    // Activates an open modal window that keeps its caption active and is not minimised, as
    // activating a window that it disabled does; a minimised one stays minimised.
    void passActivationToModalWindow();
    // Called by a built window as it is destroyed.
    void forget(BuiltWindow* window);

    std::int32_t screenWidth() const override;
    std::int32_t screenHeight() const override;
    void setWindowLeft(std::string_view window, std::int32_t left) override;
    void setWindowTop(std::string_view window, std::int32_t top) override;
    void setAlwaysOnTop(std::string_view window, bool onTop) override;
    bool checked(std::string_view window, std::string_view control) const override;
    Text text(std::string_view window, std::string_view control) const override;
    void setCaption(std::string_view window, std::string_view control,
                    std::string_view gbkCaption) override;
    void setDisabled(std::string_view window, std::string_view control, bool disabled) override;
    void setTimerPeriod(std::string_view window, std::string_view control,
                        std::int32_t milliseconds) override;
    bool openModal(const WindowDescription& description) override;

private:
    void raiseEvent(Handler handler);
    QWidget* control(std::string_view window, std::string_view control) const;

    std::unique_ptr<QWidget> ownerWindow_;
    std::vector<BuiltWindow*> loaded_;
    std::vector<BuiltWindow*> modal_;
    EventHandler eventHandler_;
    int eventsSuppressed_ = 0;
    bool loopStarted_ = false;
};

} // namespace vorlo::ui
