#pragma once

#include "data/connection.h"
#include "data/location.h"
#include "data/progress.h"
#include "data/result.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

namespace parlog {

class Session;

// The register the program uses: where it is, what this run has learnt of it, and a
// connection to it for each action. The Application owns one; the features' use cases
// reach the register through it and nothing else.
class RegisterInUse {
public:
    // Makes the progress a long opening shows (bringing an older register up).
    using ProgressFactory = std::function<std::unique_ptr<Progress>(const QString& text)>;
    RegisterInUse(std::shared_ptr<Session> session, QString location, ProgressFactory progress);

    QString location() const { return m_location; }
    // Another register from now on, to be checked afresh at its first opening.
    void setLocation(const QString& location);
    Session& session() const { return *m_session; }
    std::shared_ptr<Session> sharedSession() const { return m_session; }

    // A connection for one action: the run's first opening checks that the register is
    // Parlog's (bringing an older one up to this version, with its progress); later ones
    // trust that, and the file it was found in. A failure says why in the user's words.
    Result<std::unique_ptr<Connection>> connect();
    // The same with a check of the opening's own (Full when a file is looked at afresh).
    Result<std::unique_ptr<Connection>> connect(Connection::Check check);
    // Whether the register was found to be Parlog's this run.
    bool verified() const { return m_verified; }
    // Called once a register is found to be Parlog's: the run notes it among those used.
    void whenVerified(std::function<void()> noted) { m_noted = std::move(noted); }

    // Runs WORK on a connection of its own, for one use case: a Status or a Result,
    // or the failure to connect.
    template <typename Work> auto use(Work&& work)
    {
        using Out = std::invoke_result_t<Work, Connection&>;
        auto connection = connect();
        if (!connection)
            return Out(Failure{connection.error()});
        return work(**connection);
    }

private:
    std::shared_ptr<Session> m_session;
    QString m_location;
    ProgressFactory m_progress;
    bool m_verified = false;
    std::function<void()> m_noted;
    // The file it was found in: a file put in its place later is not written to.
    std::optional<FileIdentity> m_identity;
};

} // namespace parlog
