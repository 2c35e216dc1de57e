// Connecting to the server, and what the user is told when it fails: a wrong password, a server
// that cannot be reached, an address that asks for SSL the server does not offer.
#include "record/server/syncworker.h"
#include "tests/server/memorysyncsource.h"
#include "tests/server/serverfixture.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace nimbara;
using namespace std::chrono_literals;

namespace {

// In uri and text: {socket} the server's socket folder, {port} its port, {db} the test's
// database, {user} the login, {nowhere} a loopback port nothing listens on.
struct Failure {
    const char* name;
    const char* uri;
    PgError::Kind kind;
    const char* text;
};

class ConnectionFailureTest : public RecordServerTest, public testing::WithParamInterface<Failure> {
protected:
    void SetUp() override {
        RecordServerTest::SetUp();
        // The passfile keeps the old password; the server now wants another.
        ASSERT_EQ(testServer().adminExecFormatted("postgres", "ALTER ROLE %I PASSWORD %L",
                                                  {trainee(0), "changed"}),
                  QString());
    }
    QString fill(const char* pattern) {
        return QString(pattern)
            .replace("{socket}", testServer().folder())
            .replace("{port}", QString::number(testServer().port()))
            .replace("{db}", m_database)
            .replace("{user}", trainee(0))
            .replace("{other}", trainee(1))
            .replace("{nowhere}", QString::number(m_nowhere));
    }

    int m_nowhere = 1;  // a privileged port that no test server takes
};

TEST_P(ConnectionFailureTest, SaysWhatWentWrong) {
    const Failure& failure = GetParam();
    PgConnection connection;
    const PgError error = connection.open(fill(failure.uri));
    EXPECT_EQ(error.kind, failure.kind);
    EXPECT_EQ(error.text, fill(failure.text));
    EXPECT_FALSE(connection.isOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Connect, ConnectionFailureTest,
    testing::Values(
        Failure{"wrong_password",
                "postgresql:///{db}?host={socket}&port={port}&user={user}"
                "&passfile={socket}/pgpass",
                PgError::Kind::LoginRefused,
                "connection to server on socket \"{socket}/.s.PGSQL.{port}\" failed: FATAL: "
                "password authentication failed for user \"{user}\" password retrieved from file "
                "\"{socket}/pgpass\""},
        Failure{"no_password_at_hand",
                "postgresql:///{db}?host={socket}&port={port}&user={other}&passfile={socket}/none",
                PgError::Kind::LoginRefused,
                "connection to server on socket \"{socket}/.s.PGSQL.{port}\" failed: "
                "fe_sendauth: no password supplied"},
        Failure{"ssl_asked_of_a_server_without_it",
                "postgresql://127.0.0.1:{port}/{db}?user={other}&passfile={socket}/pgpass"
                "&sslmode=require",
                PgError::Kind::LoginRefused,
                "connection to server at \"127.0.0.1\", port {port} failed: server does not "
                "support SSL, but SSL was required"},
        Failure{"unreachable_host", "postgresql://127.0.0.1:{nowhere}/{db}?user={user}",
                PgError::Kind::Unreachable,
                "connection to server at \"127.0.0.1\", port {nowhere} failed: Connection "
                "refused Is the server running on that host and accepting TCP/IP connections?"},
        Failure{"no_server_at_the_socket", "postgresql:///{db}?host={socket}/nowhere&user={user}",
                PgError::Kind::Unreachable,
                "connection to server on socket \"{socket}/nowhere/.s.PGSQL.5432\" failed: No "
                "such file or directory Is the server running locally and accepting connections "
                "on that socket?"}),
    [](const testing::TestParamInfo<Failure>& row) { return row.param.name; });

// A listener on a loopback port that takes the connection and never answers: the wait for the
// server's reply ends when the caller cancels it.
TEST_F(RecordServerTest, ConnectingGivesUpWhenCancelled) {
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 4), 0);
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
    int asked = 0;
    PgConnection connection;
    const PgError error = connection.open(
        QString("postgresql://127.0.0.1:%1/record?connect_timeout=30&sslmode=disable")
            .arg(ntohs(address.sin_port)),
        [&] { return ++asked > 5; });
    ::close(listener);
    EXPECT_EQ(error.kind, PgError::Kind::Unreachable);
    EXPECT_EQ(error.text, "no answer before the connection's deadline");
    EXPECT_EQ(asked, 6);
}

// The worker tells a failure once per session however often it tries again, and copies
// nothing away from the local record meanwhile.
class ToldOnceTest : public ConnectionFailureTest {};

TEST_F(ToldOnceTest, AFailureIsToldOnceAndNothingIsLost) {
    for (const bool wrongPassword : {true, false}) {
        MemorySyncSource source;
        source.addRound("Ann", 10, true);
        const QString uri = wrongPassword
                                ? testServer().uri(m_database, trainee(0))
                                : fill("postgresql://127.0.0.1:{nowhere}/{db}?user={user}");
        SyncWorker::Settings settings;
        settings.uri = uri;
        settings.firstPause = 5ms;
        settings.longestPause = 20ms;
        SyncWorker worker(source, settings);
        WorkerLog log(worker);
        worker.start();
        ASSERT_TRUE(waitUntil([&] { return log.retries() >= 4; }));
        worker.stop();
        const QString expected =
            wrongPassword
                ? fill(
                      "The record server %1 refused the login (connection to server on socket "
                      "\"{socket}/.s.PGSQL.{port}\" failed: FATAL: password authentication "
                      "failed for user \"{user}\" password retrieved from file "
                      "\"{socket}/pgpass\"). "
                      "Your answers stay in the record on this "
                      "computer; ask whoever runs the server to check your account.")
                : fill(
                      "The record server %1 cannot be reached (connection to server at "
                      "\"127.0.0.1\", port {nowhere} failed: Connection refused Is the server "
                      "running on that host and accepting TCP/IP connections?). Your answers "
                      "stay in the record on this computer and are copied when the server can "
                      "be reached.");
        EXPECT_EQ(log.problems(), QStringList{expected.arg(uri)});
        EXPECT_EQ(source.waitingAnswers(), 10);
        EXPECT_FALSE(source.allCopied());
        EXPECT_EQ(worker.status().state, SyncStatus::State::Stopped);
    }
}

}  // namespace
