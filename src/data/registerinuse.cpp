#include "data/registerinuse.h"

#include "data/session.h"

namespace parlog {

RegisterInUse::RegisterInUse(std::shared_ptr<Session> session, QString location,
                             ProgressFactory progress)
    : m_session(std::move(session))
    , m_location(std::move(location))
    , m_progress(std::move(progress))
{
}

void RegisterInUse::setLocation(const QString& location)
{
    m_location = location;
    m_verified = false;
    m_identity.reset();
}

Result<std::unique_ptr<Connection>> RegisterInUse::connect()
{
    // What the register is was settled by its first opening in this run.
    return connect(m_verified ? Connection::Check::None : Connection::Check::Full);
}

Result<std::unique_ptr<Connection>> RegisterInUse::connect(Connection::Check check)
{
    auto connection = std::make_unique<Connection>(m_location, m_session);
    // A full look may bring an older register up to this version: a large one shows that
    // it is being done, and can be stopped.
    const auto upgrading =
        check == Connection::Check::Full && m_progress
            ? m_progress(QStringLiteral("Bringing the register up to this version of Parlog\u2026"))
            : nullptr;
    connection->setUpgradeProgress(upgrading.get());
    const Status opened = connection->open(check);
    connection->setUpgradeProgress(nullptr);
    if (!opened)
        return Failure{opened.error()};
    if (m_identity && fileIdentity(m_location) != m_identity)
        return Failure{QStringLiteral("Parlog cannot use its data file \"%1\": it was replaced by "
                                      "another file while Parlog was running, so nothing was "
                                      "stored. Start Parlog again to use the file that is there "
                                      "now.")
                           .arg(shownLocation(m_location))};
    if (!m_verified) {
        m_verified = true;
        m_identity = fileIdentity(m_location);
        if (m_noted)
            m_noted();
    }
    return connection;
}

} // namespace parlog
