// minimal_window [TEXT]: the baseline for the program's start time and memory, one empty Qt
// window titled "Minimal" and nothing else. Given a text, the window is a label showing it,
// titled "Minimal text": what drawing text (Japanese text: a CJK font) adds to any Qt window.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel text;
    QWidget empty;
    QWidget& window = argc > 1 ? text : empty;
    if (argc > 1) {
        text.setText(QString::fromLocal8Bit(argv[1]));
    }
    window.setWindowTitle(argc > 1 ? QStringLiteral("Minimal text") : QStringLiteral("Minimal"));
    window.resize(320, 200);
    window.show();
    return app.exec();
}
