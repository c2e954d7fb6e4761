#pragma once

#include "ui/layer/platform/native_window.h"
#include "ui/window_description.h"

#include <QPoint>
#include <QPointer>
#include <QWidget>

#include <string_view>
#include <utility>
#include <vector>

namespace vorlo::ui {

class PeriodTimer;
class WindowLayer;

// A top-level window built from its description, with its controls as named children.
class BuiltWindow final : public QWidget {
    Q_OBJECT

public:
    BuiltWindow(const WindowDescription& description, QWidget* owner, WindowLayer& layer);
    ~BuiltWindow() override;

    const WindowDescription& description() const { return description_; }

    QWidget* control(std::string_view name) const;
    PeriodTimer* timer(std::string_view name) const;

    // Gives the window its final size and place; call once, while it is still hidden.
    void fitFrame(platform::FrameExtents extents, QPoint frameTopLeft);
    void setFrameLeft(int left);
    void setFrameTop(int top);

    // The windows a modal open of this one disabled, with the enabled state each had before.
    void rememberDisabledWindows(std::vector<std::pair<QPointer<QWidget>, bool>> windows);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void moveFrameTo(QPoint frameTopLeft);

    const WindowDescription& description_;
    WindowLayer& layer_;
    platform::FrameExtents extents_;
    QPoint frameTopLeft_;
    bool shown_ = false;
    std::vector<std::pair<QPointer<QWidget>, bool>> disabledWindows_;
};

} // namespace vorlo::ui
