#pragma once
// Releases a COM interface and forgets it; a null pointer is left alone.
template <class T>
inline void ReleaseCom(T*& p)
{
    if (p) {
        p->Release();
        p = nullptr;
    }
}
