#include "ui/layer/window_layer.h"

#include "ui/layer/built_window.h"
#include "ui/layer/controls.h"
#include "ui/layer/gbk_codec.h"
#include "ui/layer/period_timer.h"
#include "ui/layer/platform/native_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QIcon>
#include <QImageReader>
#include <QLineEdit>
#include <QPointer>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace vorlo::ui {

namespace {

void bringForward(QWidget& window) {
    if (window.isMinimized()) {
        window.showNormal();
    } else {
        window.raise();
    }
    window.activateWindow();
}

// Read as BMP outright: left to guess the format, the toolkit would load every image-format
// plug-in and ask each whether it reads the file, a few milliseconds of the start-up.
QIcon programIcon() {
    QImageReader reader(QStringLiteral(":/vorlo/default-icon.bmp"), "bmp");
    reader.setAutoDetectImageFormat(false);
    return QIcon(QPixmap::fromImage(reader.read()));
}

QSize primaryScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry().size() : QSize();
}

} // namespace

WindowLayer::WindowLayer()
    // Never shown: it owns the windows that must have no task-bar entry of their own.
    : ownerWindow_(std::make_unique<QWidget>(nullptr, Qt::Tool)) {
    ownerWindow_->setGeometry(0, 0, 0, 0);
    // The program icon, shared by every window; the toolkit scales it for the small icon.
    QApplication::setWindowIcon(programIcon());
}

WindowLayer::~WindowLayer() {
    suppressEventsForGood();
    // Windows still loaded go first, while the list they take themselves out of still exists.
    while (!loaded_.empty()) {
        delete loaded_.back();
    }
}

BuiltWindow* WindowLayer::load(const WindowDescription& description, bool modal) {
    // The moves, size changes and state changes of the build itself run no handler.
    ++eventsSuppressed_;
    QWidget* owner = modal || !description.shownInTaskBar ? ownerWindow_.get() : nullptr;
    auto* window = new BuiltWindow(description, owner, *this);
    window->setWindowTitle(fromGbk(description.caption));
    setColour(*window, QPalette::Window, description.background);
    createControls(*window, [this](Handler handler) { raiseEvent(handler); });
    // The final hints are set before the window manager is asked about the frame.
    window->setFixedSize(description.frame.width, description.frame.height);
    const platform::FrameExtents extents = platform::prepareFirstShow(*window);
    if (!description.shownInTaskBar) {
        platform::skipTaskBar(*window);
    }
    const QPoint frameTopLeft = description.startPosition == StartPosition::centredOnScreen
                                    ? QPoint((screenWidth() - description.frame.width) / 2,
                                             (screenHeight() - description.frame.height) / 2)
                                    : QPoint(description.frame.left, description.frame.top);
    window->fitFrame(extents, frameTopLeft);
    --eventsSuppressed_;

    loaded_.push_back(window);
    // The created event comes while the window is hidden: what it sets is in effect at the
    // first show. Its handler may, in principle, have closed the window.
    const QPointer<BuiltWindow> alive(window);
    raiseEvent(description.created);
    if (!alive) {
        return nullptr;
    }
    if (description.visible) {
        window->show();
        window->activateWindow();
    }
    return window;
}

BuiltWindow* WindowLayer::loadedWindow(std::string_view name) const {
    const auto found = std::find_if(loaded_.begin(), loaded_.end(), [name](BuiltWindow* window) {
        return window->description().name == name;
    });
    return found != loaded_.end() ? *found : nullptr;
}

void WindowLayer::bringModalWindowsForward() {
    for (BuiltWindow* window : modal_) {
        bringForward(*window);
    }
}

void WindowLayer::passActivationToModalWindow() {
    for (BuiltWindow* window : modal_) {
        if (window->description().captionStaysActive && !window->isMinimized()) {
            window->activateWindow();
            return;
        }
    }
}

void WindowLayer::forget(BuiltWindow* window) {
    std::erase(loaded_, window);
    std::erase(modal_, window);
    if (loaded_.empty() && loopStarted_) {
        QCoreApplication::exit(0);
    }
}

void WindowLayer::raiseEvent(Handler handler) {
    if (eventsSuppressed_ > 0 || handler == Handler::none || !eventHandler_) {
        return;
    }
    eventHandler_(handler);
}

QWidget* WindowLayer::control(std::string_view window, std::string_view control) const {
    BuiltWindow* built = loadedWindow(window);
    return built != nullptr ? built->control(control) : nullptr;
}

std::int32_t WindowLayer::screenWidth() const {
    return primaryScreenSize().width();
}

std::int32_t WindowLayer::screenHeight() const {
    return primaryScreenSize().height();
}

void WindowLayer::setWindowLeft(std::string_view window, std::int32_t left) {
    if (BuiltWindow* built = loadedWindow(window)) {
        built->setFrameLeft(left);
    }
}

void WindowLayer::setWindowTop(std::string_view window, std::int32_t top) {
    if (BuiltWindow* built = loadedWindow(window)) {
        built->setFrameTop(top);
    }
}

void WindowLayer::setAlwaysOnTop(std::string_view window, bool onTop) {
    BuiltWindow* built = loadedWindow(window);
    if (built == nullptr) {
        return;
    }
    // Through the native window, so the window manager is asked to change the band in place;
    // setting the widget's flag would hide and re-map the window.
    if (QWindow* handle = built->windowHandle()) {
        handle->setFlag(Qt::WindowStaysOnTopHint, onTop);
        built->overrideWindowFlags(handle->flags());
    } else {
        built->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    }
}

bool WindowLayer::checked(std::string_view window, std::string_view name) const {
    const auto* box = qobject_cast<const QCheckBox*>(control(window, name));
    return box != nullptr && box->isChecked();
}

Text WindowLayer::text(std::string_view window, std::string_view name) const {
    const auto* edit = qobject_cast<const QLineEdit*>(control(window, name));
    return edit != nullptr ? toGbk(edit->text()) : Text();
}

void WindowLayer::setCaption(std::string_view window, std::string_view name,
                             std::string_view gbkCaption) {
    if (QWidget* widget = control(window, name)) {
        setControlText(*widget, fromGbk(gbkCaption));
    }
}

void WindowLayer::setDisabled(std::string_view window, std::string_view name, bool disabled) {
    if (QWidget* widget = control(window, name)) {
        widget->setEnabled(!disabled);
    }
}

void WindowLayer::setTimerPeriod(std::string_view window, std::string_view name,
                                 std::int32_t milliseconds) {
    BuiltWindow* built = loadedWindow(window);
    if (PeriodTimer* timer = built != nullptr ? built->timer(name) : nullptr) {
        timer->setPeriod(milliseconds);
    }
}

// The open returns as soon as the other windows are disabled; the reminder gives them back
// their state when it closes. Nothing waits in a nested loop, so the ticks that come while it is
// open run as usual and count the next interval.
bool WindowLayer::openModal(const WindowDescription& description) {
    if (BuiltWindow* open = loadedWindow(description.name)) {
        bringForward(*open);
        return true;
    }
    BuiltWindow* window = load(description, true);
    if (window == nullptr) {
        return false;
    }
    std::vector<std::pair<QPointer<QWidget>, bool>> disabled;
    for (BuiltWindow* other : loaded_) {
        if (other != window) {
            disabled.emplace_back(other, other->isEnabled());
            other->setEnabled(false);
        }
    }
    window->rememberDisabledWindows(std::move(disabled));
    modal_.push_back(window);
    return true;
}

} // namespace vorlo::ui
