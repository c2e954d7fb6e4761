#include "ui/layer/built_window.h"

#include "ui/layer/period_timer.h"
#include "ui/layer/window_layer.h"

#include <QCloseEvent>

#include <algorithm>

namespace vorlo::ui {

namespace {

// No real screen reaches this; it keeps a written place within what every platform can take.
constexpr int placeLimit = 32627;

Qt::WindowFlags flagsFor(const WindowDescription& description) {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (description.systemMenuAndClose) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    if (description.minimiseButton) {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    if (description.maximiseButton) {
        flags |= Qt::WindowMaximizeButtonHint;
    }
    if (description.alwaysOnTop) {
        flags |= Qt::WindowStaysOnTopHint;
    }
    return flags;
}

QString qtName(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

} // namespace

BuiltWindow::BuiltWindow(const WindowDescription& description, QWidget* owner, WindowLayer& layer)
    : QWidget(owner, flagsFor(description))
    , description_(description)
    , layer_(layer) {
    setObjectName(qtName(description.name));
    setAttribute(Qt::WA_DeleteOnClose);
}

BuiltWindow::~BuiltWindow() {
    layer_.forget(this);
}

QWidget* BuiltWindow::control(std::string_view name) const {
    return findChild<QWidget*>(qtName(name), Qt::FindDirectChildrenOnly);
}

PeriodTimer* BuiltWindow::timer(std::string_view name) const {
    return findChild<PeriodTimer*>(qtName(name), Qt::FindDirectChildrenOnly);
}

void BuiltWindow::fitFrame(platform::FrameExtents extents, QPoint frameTopLeft) {
    extents_ = extents;
    const Rect& frame = description_.frame;
    setFixedSize(frame.width - extents.left - extents.right,
                 frame.height - extents.top - extents.bottom);
    moveFrameTo(frameTopLeft);
}

void BuiltWindow::setFrameLeft(int left) {
    moveFrameTo({std::clamp(left, -placeLimit, placeLimit), frameTopLeft_.y()});
}

void BuiltWindow::setFrameTop(int top) {
    moveFrameTo({frameTopLeft_.x(), std::clamp(top, -placeLimit, placeLimit)});
}

void BuiltWindow::moveFrameTo(QPoint frameTopLeft) {
    frameTopLeft_ = frameTopLeft;
    // Until the window is first shown the toolkit cannot know its frame and places the client
    // area; once shown it knows the frame and places that.
    move(shown_ ? frameTopLeft : frameTopLeft + QPoint(extents_.left, extents_.top));
}

void BuiltWindow::rememberDisabledWindows(std::vector<std::pair<QPointer<QWidget>, bool>> windows) {
    disabledWindows_ = std::move(windows);
}

void BuiltWindow::showEvent(QShowEvent* event) {
    shown_ = true;
    QWidget::showEvent(event);
}

void BuiltWindow::changeEvent(QEvent* event) {
    // A window disabled by a modal open passes the activation on to the modal window, so the
    // reminder stays the active window while the user clicks around the program.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !isEnabled()) {
        layer_.passActivationToModalWindow();
    }
    QWidget::changeEvent(event);
}

void BuiltWindow::closeEvent(QCloseEvent* event) {
    // A disabled window takes no input; a close request that still reaches it from outside (a
    // task bar, the window manager) is refused, and the window that disabled it comes forward.
    if (!isEnabled()) {
        event->ignore();
        layer_.bringModalWindowsForward();
        return;
    }
    // The windows this one disabled get their state back before it goes.
    for (auto& [window, wasEnabled] : disabledWindows_) {
        if (window) {
            window->setEnabled(wasEnabled);
        }
    }
    disabledWindows_.clear();
    event->accept();
}

} // namespace vorlo::ui
