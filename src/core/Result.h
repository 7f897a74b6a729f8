// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Quenlow developers
#pragma once

#include <QString>

#include <utility>
#include <variant>

namespace quenlow {

/// Why an operation failed: a kind the caller can act on, and a detail for
/// the person or the log. Callers decide on the kind, never on the text.
struct Error {
    /// Cancelled: the person (or a caller's callback) stopped it. Stale: what
    /// the store knew of the schema or its session was out of date; asked
    /// again afresh, it may succeed.
    enum Kind { NotFound, Duplicate, Busy, Io, Cancelled, Stale, Other };
    Kind kind = Other;
    QString detail;
};

/// A value, or the error that kept it from being made. The error is an
/// `Error` unless the caller has more to decide on: a layer whose callers
/// choose the words gives a typed reason of its own instead.
template <typename T, typename E = Error> class [[nodiscard]] Result
{
public:
    Result(T value)
        : m_state(std::in_place_index<0>, std::move(value))
    {
    }
    Result(E error)
        : m_state(std::in_place_index<1>, std::move(error))
    {
    }

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }
    const T& value() const& { return std::get<0>(m_state); }
    T&& value() && { return std::get<0>(std::move(m_state)); }
    const T& operator*() const& { return value(); }
    const T* operator->() const { return &value(); }
    T valueOr(T fallback) const { return ok() ? value() : std::move(fallback); }
    const E& error() const& { return std::get<1>(m_state); }
    E&& error() && { return std::get<1>(std::move(m_state)); }
    bool failedWith(decltype(E::kind) kind) const { return !ok() && error().kind == kind; }

private:
    std::variant<T, E> m_state;
};

/// An operation that gives nothing back but may fail.
template <typename E> class [[nodiscard]] Result<void, E>
{
public:
    Result() = default;
    Result(E error)
        : m_error(std::move(error))
        , m_failed(true)
    {
    }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const E& error() const { return m_error; }
    bool failedWith(decltype(E::kind) kind) const { return m_failed && m_error.kind == kind; }

private:
    E m_error;
    bool m_failed = false;
};

} // namespace quenlow
