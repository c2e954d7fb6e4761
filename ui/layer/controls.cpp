#include "ui/layer/controls.h"

#include "ui/layer/built_window.h"
#include "ui/layer/gbk_codec.h"
#include "ui/layer/period_timer.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFont>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <limits>
#include <vector>

namespace vorlo::ui {

namespace {

// Faces that cover Simplified Chinese, tried in order where the described face is missing.
const QStringList simplifiedChineseFallbacks{
    QStringLiteral("Microsoft YaHei"), QStringLiteral("Noto Sans CJK SC"),
    QStringLiteral("Source Han Sans SC"), QStringLiteral("WenQuanYi Micro Hei"),
    QStringLiteral("WenQuanYi Zen Hei")};

Qt::Alignment toQtAlignment(TextAlignment alignment) {
    return (alignment == TextAlignment::centre ? Qt::AlignHCenter : Qt::AlignLeft) |
           Qt::AlignVCenter;
}

// The described face if it is installed, else the first installed face that covers Simplified
// Chinese. Looked up here because the toolkit's own search for a missing face (every fallback,
// ranked by the font configuration) costs more than the rest of the window's build.
QString installedFace(const QString& face) {
    const QStringList installed = QFontDatabase::families();
    if (installed.contains(face)) {
        return face;
    }
    for (const QString& fallback : simplifiedChineseFallbacks) {
        if (installed.contains(fallback)) {
            return fallback;
        }
    }
    return face; // none installed: the toolkit finds the nearest face by itself
}

QFont toQFont(const FontRecord& record) {
    QFont font;
    font.setFamily(installedFace(fromGbk(record.face)));
    font.setStyleHint(QFont::SansSerif, QFont::PreferQuality);
    font.setPixelSize(record.pixelHeight);
    font.setWeight(static_cast<QFont::Weight>(record.weight));
    font.setItalic(record.italic);
    font.setUnderline(record.underline);
    font.setStrikeOut(record.strikeOut);
    return font;
}

void applyFont(QWidget& widget, const ControlDescription& control) {
    if (control.font != nullptr) {
        widget.setFont(toQFont(*control.font));
    }
}

QWidget* createLabel(BuiltWindow& window, const ControlDescription& control) {
    auto* label = new QLabel(&window);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(toQtAlignment(control.alignment));
    label->setWordWrap(false);
    label->setAutoFillBackground(true);
    setColour(*label, QPalette::Window, control.backgroundColour);
    setColour(*label, QPalette::WindowText, control.textColour);
    return label;
}

QWidget* createEditBox(BuiltWindow& window, const ControlDescription& control) {
    auto* edit = new QLineEdit(&window);
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->setAlignment(toQtAlignment(control.alignment));
    setColour(*edit, QPalette::Base, control.backgroundColour);
    setColour(*edit, QPalette::Text, control.textColour);
    return edit;
}

QWidget* createPushButton(BuiltWindow& window, const ControlDescription& control,
                          const std::function<void(Handler)>& raiseEvent) {
    auto* button = new QPushButton(&window);
    // Neither button is a default button: Enter clicks nothing.
    button->setAutoDefault(false);
    button->setDefault(false);
    QObject::connect(button, &QPushButton::clicked,
                     [raiseEvent, event = control.event] { raiseEvent(event); });
    return button;
}

QWidget* createCheckBox(BuiltWindow& window, const ControlDescription& control,
                        const std::function<void(Handler)>& raiseEvent) {
    auto* box = new QCheckBox(&window);
    box->setChecked(control.checked);
    box->setAutoFillBackground(true);
    setColour(*box, QPalette::Window, control.backgroundColour);
    setColour(*box, QPalette::WindowText, control.textColour);
    // The box's state is followed whatever changed it (mouse, space bar, assistive technology);
    // the program itself never sets it after the build.
    QObject::connect(box, &QCheckBox::toggled,
                     [raiseEvent, event = control.event] { raiseEvent(event); });
    return box;
}

void createTimer(BuiltWindow& window, const ControlDescription& control,
                 const std::function<void(Handler)>& raiseEvent) {
    auto* timer = new PeriodTimer(&window);
    timer->setObjectName(
        QString::fromLatin1(control.name.data(), static_cast<qsizetype>(control.name.size())));
    timer->setPeriod(control.timerPeriodMs);
    QObject::connect(timer, &PeriodTimer::elapsed,
                     [raiseEvent, event = control.event] { raiseEvent(event); });
}

QWidget* createWidget(BuiltWindow& window, const ControlDescription& control,
                      const std::function<void(Handler)>& raiseEvent) {
    switch (control.kind) {
    case ControlKind::label:
        return createLabel(window, control);
    case ControlKind::editBox:
        return createEditBox(window, control);
    case ControlKind::pushButton:
        return createPushButton(window, control, raiseEvent);
    case ControlKind::checkBox:
        return createCheckBox(window, control, raiseEvent);
    case ControlKind::timer:
        createTimer(window, control, raiseEvent);
        return nullptr;
    }
    return nullptr;
}

bool takesFocusOnClick(ControlKind kind) {
    return kind == ControlKind::editBox || kind == ControlKind::pushButton ||
           kind == ControlKind::checkBox;
}

// The Tab cycle: focusable controls by tab-order value, a later control first among equals.
// A control that takes the focus only by a click sits just before its Tab target, the nearest
// cycle control before it in the list, so Tab and Shift+Tab leave it as they leave that target.
std::vector<QWidget*> focusChain(const WindowDescription& description,
                                 const std::vector<QWidget*>& widgets) {
    const auto& controls = description.controls;
    std::vector<std::size_t> cycle;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].focusable && widgets[i] != nullptr) {
            cycle.push_back(i);
        }
    }
    std::stable_sort(cycle.begin(), cycle.end(), [&](std::size_t a, std::size_t b) {
        return controls[a].tabOrder != controls[b].tabOrder
                   ? controls[a].tabOrder < controls[b].tabOrder
                   : a > b;
    });
    std::vector<QWidget*> chain;
    for (std::size_t i : cycle) {
        chain.push_back(widgets[i]);
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].focusable || widgets[i] == nullptr ||
            widgets[i]->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        if (cycle.empty()) {
            chain.push_back(widgets[i]);
            continue;
        }
        std::size_t target = cycle.front();
        bool found = false;
        for (std::size_t c : cycle) {
            if (c < i && (!found || c > target)) {
                target = c;
                found = true;
            }
        }
        chain.insert(std::find(chain.begin(), chain.end(), widgets[target]), widgets[i]);
    }
    return chain;
}

} // namespace

void setColour(QWidget& widget, QPalette::ColorRole role, Colour colour) {
    if (colour.buttonFace) {
        return;
    }
    QPalette palette = widget.palette();
    palette.setColor(role, QColor(colour.red, colour.green, colour.blue));
    widget.setPalette(palette);
}

void setControlText(QWidget& control, const QString& text) {
    if (auto* label = qobject_cast<QLabel*>(&control)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
        button->setText(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(&control)) {
        edit->setText(text);
    }
}

void createControls(BuiltWindow& window, const std::function<void(Handler)>& raiseEvent) {
    const auto& controls = window.description().controls;
    std::vector<QWidget*> widgets(controls.size(), nullptr);
    // Created from the end of the list, so the first control ends up on top of the stack.
    for (std::size_t i = controls.size(); i-- > 0;) {
        const ControlDescription& control = controls[i];
        QWidget* widget = createWidget(window, control, raiseEvent);
        if (widget == nullptr) {
            continue;
        }
        widget->setObjectName(
            QString::fromLatin1(control.name.data(), static_cast<qsizetype>(control.name.size())));
        // The font comes before the text, so the text is laid out once, in its own font.
        applyFont(*widget, control);
        setControlText(*widget, fromGbk(control.text));
        widget->setGeometry(control.rect.left, control.rect.top, control.rect.width,
                            control.rect.height);
        widget->setFocusPolicy(control.focusable                 ? Qt::StrongFocus
                               : takesFocusOnClick(control.kind) ? Qt::ClickFocus
                                                                 : Qt::NoFocus);
        widget->setEnabled(!control.disabled);
        widget->setVisible(control.visible);
        widgets[i] = widget;
    }
    const std::vector<QWidget*> chain = focusChain(window.description(), widgets);
    for (std::size_t i = 1; i < chain.size(); ++i) {
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    }
    // The window starts with the focus on the first control of the Tab cycle that can take it.
    for (QWidget* widget : chain) {
        if (widget->focusPolicy() & Qt::TabFocus && widget->isEnabled()) {
            widget->setFocus();
            break;
        }
    }
}

} // namespace vorlo::ui
