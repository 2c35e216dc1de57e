#pragma once

#include "record/server/pgconnection.h"
#include "record/server/serverschema.h"
#include "record/server/syncworker.h"
#include "tests/server/testpostgres.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <mutex>

// The test binary's server (see servertestmain.cpp).
TestPostgres& testServer();

// Waits until done() holds, up to the deadline; true when it did.
bool waitUntil(const std::function<bool()>& done,
               std::chrono::milliseconds deadline = std::chrono::seconds(30));

// A test on a database of its own with the record's schema, a trainee login role and an
// instructor one (all names unique to the test).
class RecordServerTest : public testing::Test {
protected:
    void SetUp() override;

    // A connection as role (a login made by createLogin); fails the test when it cannot.
    void connectAs(nimbara::PgConnection& connection, const QString& role);
    QString trainee(int index) const { return m_trainees.at(index); }

    QString m_database;
    QStringList m_trainees;  // two trainees
    QString m_instructor;
};

// What a worker told, gathered on its thread: its problems, and how often it went to Retrying.
class WorkerLog {
public:
    explicit WorkerLog(nimbara::SyncWorker& worker);
    QStringList problems();
    int retries();

private:
    std::mutex m_mutex;
    QStringList m_problems;
    int m_retries = 0;
};
