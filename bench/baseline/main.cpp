// A bare Qt window with the controls of the program's main window, at the same places: three
// labels, an edit box, two push buttons and a check box. Clicking the start button reads the
// minutes and rewrites one label once a second with the seconds left, as the program does.

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Vorlo baseline"));
    window.setFixedSize(184, 102);

    auto* every = new QLabel(QStringLiteral("每隔"), &window);
    every->setGeometry(22, 6, 25, 20);
    auto* minutes = new QLineEdit(QStringLiteral("4"), &window);
    minutes->setGeometry(53, 6, 36, 20);
    minutes->setAlignment(Qt::AlignCenter);
    auto* unit = new QLabel(QStringLiteral("分钟提醒。"), &window);
    unit->setGeometry(94, 6, 55, 20);
    auto* remaining = new QLabel(QStringLiteral("剩余时间：0秒"), &window);
    remaining->setGeometry(4, 34, 112, 20);
    remaining->setAlignment(Qt::AlignCenter);
    auto* onTop = new QCheckBox(QStringLiteral("置顶"), &window);
    onTop->setGeometry(126, 34, 44, 20);
    auto* start = new QPushButton(QStringLiteral("开始"), &window);
    start->setGeometry(6, 62, 80, 30);
    auto* stop = new QPushButton(QStringLiteral("停止"), &window);
    stop->setGeometry(95, 62, 80, 30);
    stop->setEnabled(false);
    // As in the program: the focus starts on the start button, and the edit box takes it only by
    // a click, so disabling the start button passes the focus on to the check box. A focused edit
    // box would blink its cursor and wake the process twice a second.
    minutes->setFocusPolicy(Qt::ClickFocus);
    start->setFocus();

    int seconds = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        --seconds;
        remaining->setText(QStringLiteral("剩余时间：%1秒").arg(seconds));
    });
    QObject::connect(start, &QPushButton::clicked, [&] {
        start->setEnabled(false);
        stop->setEnabled(true);
        seconds = minutes->text().toInt() * 60;
        tick.start(1000);
    });
    QObject::connect(stop, &QPushButton::clicked, [&] {
        tick.stop();
        remaining->setText(QStringLiteral("剩余时间：0秒"));
        start->setEnabled(true);
        stop->setEnabled(false);
    });

    // Where the program puts its window: at the left edge, a third of the way down.
    window.move(2, window.screen()->geometry().height() / 3);
    window.show();
    window.activateWindow();
    return QApplication::exec();
}
