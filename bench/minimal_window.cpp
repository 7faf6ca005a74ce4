// minimal_window: the baseline for the program's start time and memory, one empty Qt window
// titled "Minimal" and nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.resize(320, 200);
    window.show();
    return app.exec();
}
