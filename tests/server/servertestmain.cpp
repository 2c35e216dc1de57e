// Test entry for the tests on a real PostgreSQL server: one server for the whole binary,
// started before the first test and stopped (its folder removed) after the last.
#include "tests/server/serverfixture.h"

#include <QCoreApplication>

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
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    testing::AddGlobalTestEnvironment(new ServerEnvironment);
    const int status = RUN_ALL_TESTS();
    delete g_server;
    return status;
}
