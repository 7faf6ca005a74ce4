// plain_ticker: the baseline of program_figures.sh for the running clock. A plain QTimer of
// 1000 ms with the default timer type counts seconds into a label in large digits, or into the
// window title while the window is minimised, as Rondelay does; nothing else. Its window is
// titled "Plain ticker" until the first second is counted.
//
// plain_ticker --idle: the same timer, which does nothing when it fires; the window is titled
// "Idle ticker". What waking once a second costs a Qt program on this machine.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <cstring>

namespace {
QString clockText(int seconds) {
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool idle = argc > 1 && std::strcmp(argv[1], "--idle") == 0;
    QLabel window(clockText(0));
    window.setWindowTitle(idle ? QStringLiteral("Idle ticker") : QStringLiteral("Plain ticker"));
    QFont font = window.font();
    font.setPointSize(24);
    window.setFont(font);
    window.resize(249, 146);
    window.show();
    int seconds = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &window, [&] {
        if (idle) {
            return;
        }
        ++seconds;
        if (window.isMinimized()) {
            window.setWindowTitle(clockText(seconds));
        } else {
            window.setText(clockText(seconds));
        }
    });
    timer.start(1000);
    return app.exec();
}
