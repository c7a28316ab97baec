#pragma once

#include <QString>

#include <utility>

namespace parlog {

// A failure on its way back: what went wrong, in words for the user.
struct Failure {
    QString error;
};

// What every core operation gives back: its value, or a Failure saying what went
// wrong. The one error convention of the core; windows show error() as it stands.
template <typename T> class [[nodiscard]] Result {
public:
    Result(T value)
        : m_value(std::move(value))
        , m_ok(true)
    {
    }
    Result(Failure failure)
        : m_error(std::move(failure.error))
    {
    }

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const QString& error() const { return m_error; }

    const T& operator*() const& { return m_value; }
    T& operator*() & { return m_value; }
    T&& operator*() && { return std::move(m_value); }
    const T* operator->() const { return &m_value; }
    T* operator->() { return &m_value; }
    T valueOr(T fallback) const { return m_ok ? m_value : std::move(fallback); }

private:
    T m_value{};
    QString m_error;
    bool m_ok = false;
};

// A Result with no value: done, or a Failure.
class [[nodiscard]] Status {
public:
    Status() = default;
    Status(Failure failure)
        : m_error(std::move(failure.error))
        , m_ok(false)
    {
    }
    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const QString& error() const { return m_error; }

private:
    QString m_error;
    bool m_ok = true;
};

} // namespace parlog
