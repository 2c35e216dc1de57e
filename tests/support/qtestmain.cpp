// Test entry for the tests that need a QApplication: headless unless a platform is asked for,
// the user's data folder a temporary one (so that a main window's learning record, written into
// XDG_DATA_HOME, never lands in the real home), and after every test no window may be left open.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class NoWindowLeftOpen : public testing::EmptyTestEventListener {
    void OnTestEnd(const testing::TestInfo& info) override {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible()) {
                ADD_FAILURE() << info.name()
                              << " left a window open: " << widget->metaObject()->className()
                              << " \"" << widget->windowTitle().toStdString() << "\"";
                widget->close();
            }
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new NoWindowLeftOpen);
    return RUN_ALL_TESTS();
}
