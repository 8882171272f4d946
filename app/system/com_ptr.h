#pragma once
// The one owner of a COM interface reference: released when the handle goes,
// moved but never copied, so a reference is released exactly once.
#include <utility>

template <class T>
class cComPtr {
public:
    cComPtr() = default;
    // Takes over a reference the caller already holds.
    explicit cComPtr(T* owned) : m_p(owned) {}
    cComPtr(cComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    cComPtr& operator=(cComPtr&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_p = std::exchange(other.m_p, nullptr);
        }
        return *this;
    }
    cComPtr(const cComPtr&) = delete;
    cComPtr& operator=(const cComPtr&) = delete;
    ~cComPtr() { Reset(); }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    // Reads as the bare interface for a call that takes one; the reference
    // stays here.
    operator T*() const { return m_p; }
    // Releases what is held and gives the slot a creating call fills in.
    T** Put()
    {
        Reset();
        return &m_p;
    }
    void Reset()
    {
        if (m_p) std::exchange(m_p, nullptr)->Release();
    }
    // Forgets, without releasing, what a creating call that failed may have
    // left in the slot: that is no reference.
    void Abandon() { m_p = nullptr; }

private:
    T* m_p = nullptr;
};
