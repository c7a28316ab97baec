#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

namespace parlog {

// One connection to the data file. A handler that touches data makes one for the
// action and lets it go at its end; a window that keeps one for its life holds it as
// a member. Opening checks that the file is a Parlog database before anything is
// sent to it, and creates a missing file with the empty tables.
class Connection {
public:
    explicit Connection(QString filePath);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // False with errorText() set when the file cannot be used.
    bool open();
    void close();
    bool isOpen() const { return m_open; }

    // A message for the user naming the file and what is wrong.
    QString errorText() const { return m_error; }
    QString filePath() const { return m_path; }
    QString name() const { return m_name; }
    QSqlDatabase database() const;

    // Prepares, binds the values in order and runs one statement. On failure the
    // error is kept in lastError().
    bool exec(QSqlQuery& query, const QString& sql, const QVariantList& values = {});
    QSqlQuery query() const;
    QSqlError lastError() const { return m_lastError; }

    // A user message for a statement that failed, naming the file when the cause is
    // the file itself (read-only, locked by another program).
    QString describe(const QSqlError& error) const;
    // True when a statement failed because of the file (read-only, in use, full,
    // damaged) rather than because of what it asked.
    static bool isFileProblem(const QSqlError& error);

    // Runs a thorough check of the file's pages (slow on big files); empty when sound.
    // A damaged file is marked so for the rest of the run.
    QString integrityProblem();

    // A file found damaged is opened read-only from then on, so that what can be read
    // can be rescued and nothing is written over it; every refused write says why.
    static void markDamaged(const QString& filePath, const QString& message);
    static QString damage(const QString& filePath); // empty when not known damaged

private:
    bool create();
    bool verify();
    QString damageMessage(const QString& detail) const;
    QString fileMessage(const QString& problem) const;

    QString m_path;
    QString m_name;
    QString m_error;
    QSqlError m_lastError;
    bool m_open = false;
};

} // namespace parlog
