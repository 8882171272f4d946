#pragma once
// A value that one thread replaces whole and other threads read whole: every
// Store and Load holds the lock, so a reader never sees half of an old value
// and half of a new one.
#include <mutex>

template <class T>
class cLockedValue {
public:
    cLockedValue() = default;
    explicit cLockedValue(const T& value) : m_Value(value) {}
    cLockedValue(const cLockedValue&) = delete;
    cLockedValue& operator=(const cLockedValue&) = delete;

    void Store(const T& value)
    {
        std::lock_guard<std::mutex> hold(m_Lock);
        m_Value = value;
    }
    T Load() const
    {
        std::lock_guard<std::mutex> hold(m_Lock);
        return m_Value;
    }

private:
    mutable std::mutex m_Lock;
    T m_Value{};
};
