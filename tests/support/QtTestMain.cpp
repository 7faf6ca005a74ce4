#include <gtest/gtest.h>

#include <QApplication>

// Tests of the Qt realisations need an application object and its event loop. They run on
// the offscreen platform unless told otherwise, also when ctest lists them.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
