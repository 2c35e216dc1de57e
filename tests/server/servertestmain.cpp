// Test entry for the tests on a real PostgreSQL server: one server for the whole binary,
// started before the first test and stopped (its folder removed) after the last. The binary of
// the program's windows on the server builds it with a QApplication.
#include "tests/server/serverfixture.h"

#include <QCoreApplication>
#ifdef NIMBARA_SERVER_WINDOW_TESTS
#include <QApplication>
#endif

#include <gtest/gtest.h>

namespace {

TestPostgres* g_server = nullptr;

class ServerEnvironment : public testing::Environment {
public:
    void SetUp() override {
        if (!g_server) {
            g_server = new TestPostgres;
        }
        if (!g_server->running()) {
            const QString error = g_server->start();
            ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        }
    }
};

}  // namespace

TestPostgres& testServer() {
    return *g_server;
}

int main(int argc, char** argv) {
#ifdef NIMBARA_SERVER_WINDOW_TESTS
    // The program's windows on a real server, headless unless a platform is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
#else
    QCoreApplication application(argc, argv);
#endif
    testing::InitGoogleTest(&argc, argv);
    testing::AddGlobalTestEnvironment(new ServerEnvironment);
    const int status = RUN_ALL_TESTS();
    delete g_server;
    return status;
}
