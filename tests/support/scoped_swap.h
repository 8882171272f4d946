#pragma once
// Puts a stand-in into a replaceable platform function (or any other seam
// variable) for as long as the object lives, and puts the previous value back
// when it goes: also when a failed assertion ends the test early.
template <class T>
class ScopedSwap {
public:
    template <class U>
    ScopedSwap(T& slot, U&& value) : m_slot(slot), m_previous(slot)
    {
        m_slot = static_cast<U&&>(value);
    }
    ~ScopedSwap() { m_slot = m_previous; }
    ScopedSwap(const ScopedSwap&) = delete;
    ScopedSwap& operator=(const ScopedSwap&) = delete;

private:
    T& m_slot;
    T m_previous;
};

template <class T, class U>
ScopedSwap(T&, U&&) -> ScopedSwap<T>;
