#pragma once

#include <QProcessEnvironment>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QUrl>

#include <atomic>
#include <cerrno>

#include <signal.h>

namespace parlog::test {

// The databases of test processes that have ended go, once a process: a developer's
// server would gather them otherwise. Those of running tests are left alone.
inline void sweepStaleDatabases(QSqlQuery& q)
{
    static std::atomic<bool> swept{false};
    if (swept.exchange(true))
        return;
    if (!q.exec(
            QStringLiteral("SELECT datname FROM pg_database WHERE datname LIKE 'parlog_test_%'")))
        return;
    QStringList stale;
    while (q.next()) {
        const QString name = q.value(0).toString();
        const qint64 pid = name.section(QLatin1Char('_'), 2, 2).toLongLong();
        if (pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
            stale << name;
    }
    for (const QString& name : stale)
        q.exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
}

// The club server the tests may use, named by PARLOG_TEST_PG as
// postgresql://USER@HOST:PORT. Each call makes a fresh, empty database on it and
// gives its location; nothing when no server is at hand, with why. CI sets
// PARLOG_REQUIRE_PG so that a missing server fails instead of skipping.
inline QString freshServerRegister(QString* why)
{
    const QString base = qEnvironmentVariable("PARLOG_TEST_PG");
    if (base.isEmpty()) {
        *why = QStringLiteral("no PostgreSQL server for the tests: set PARLOG_TEST_PG to "
                              "postgresql://USER@HOST:PORT (CI starts one)");
        return {};
    }
    const QUrl url(base);
    static std::atomic<int> serial{0};
    const QString name =
        QStringLiteral("parlog_test_%1_%2").arg(QCoreApplication::applicationPid()).arg(++serial);
    bool made = false;
    {
        QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        admin.setHostName(url.host());
        admin.setPort(url.port(5432));
        admin.setUserName(url.userName());
        admin.setDatabaseName(QStringLiteral("postgres"));
        if (admin.open()) {
            QSqlQuery q(admin);
            sweepStaleDatabases(q);
            made = q.exec(QStringLiteral("CREATE DATABASE %1").arg(name));
            if (!made)
                *why = q.lastError().text();
        } else {
            *why = QStringLiteral("the PostgreSQL server at %1 cannot be reached: %2")
                       .arg(base, admin.lastError().text());
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (!made)
        return {};
    QUrl register_ = url;
    register_.setPath(QLatin1Char('/') + name);
    return register_.toString();
}

// Skips, or fails under CI, when there is no server.
#define PARLOG_NEEDS_SERVER(location)                                                              \
    QString location;                                                                              \
    do {                                                                                           \
        QString why_;                                                                              \
        location = parlog::test::freshServerRegister(&why_);                                       \
        if (location.isEmpty()) {                                                                  \
            if (!qEnvironmentVariableIsEmpty("PARLOG_REQUIRE_PG"))                                 \
                QFAIL(qPrintable(why_));                                                           \
            QSKIP(qPrintable(why_));                                                               \
        }                                                                                          \
    } while (false)

} // namespace parlog::test
