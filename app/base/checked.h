#pragma once
// Checked element access. A bad index does not stop the program on the spot:
// it is reported to both logs, WM_CLOSE is posted to the main window, and the
// access goes on with a harmless element so the current frame can finish.
// A harmless element is one no write through it can reach: the vector's and
// the list's own elements stay as they were.
#include <list>
#include <map>
#include <optional>
#include <stdexcept>
#include <type_traits>
#include <vector>

// Writes "err V[%d] ( %d , %d )" (kind 'V') or "err L[...]" (kind 'L') to both
// logs and posts WM_CLOSE to the main window.
void ReportBadIndex(char kind, int index, int count, int elementSize);

// The element a changeable access with a bad index hands out in place of
// element 0: a copy of it made for this access (a fresh element for a type
// that cannot be copied), so a read sees what element 0 holds and a write
// lands here. One per thread and vector, made anew in the same place by each
// bad access: a pointer a caller keeps to it (a template's data, a cursor's
// level) goes on reading that vector's element 0, never another vector's.
template <class T, class A>
T& CheckedVectorSpare(const std::vector<T, A>& v)
{
    thread_local std::map<const void*, std::optional<T>> spares;
    std::optional<T>& spare = spares[&v];
    if constexpr (std::is_copy_constructible_v<T>)
        spare.emplace(v[0]);
    else
        spare.emplace();
    return *spare;
}

template <class T, class A>
const T& CheckedAt(const std::vector<T, A>& v, int index)
{
    if (index >= 0 && static_cast<size_t>(index) < v.size()) return v[index];
    ReportBadIndex('V', index, static_cast<int>(v.size()), static_cast<int>(sizeof(T)));
    if (v.empty()) throw std::out_of_range("invalid vector<T> subscript");
    return v[0];
}

template <class T, class A>
T& CheckedAt(std::vector<T, A>& v, int index)
{
    if (index >= 0 && static_cast<size_t>(index) < v.size()) return v[index];
    CheckedAt(static_cast<const std::vector<T, A>&>(v), index);
    return CheckedVectorSpare(v);
}

// The element of one list element type handed out for a bad index: zeroed on
// first use, then kept as the last caller left it, one per thread and element
// type (the game, pause and window threads each have their own).
template <class T>
T& CheckedListSpare()
{
    thread_local T spare{};
    return spare;
}

template <class T, class A>
T& CheckedListAt(std::list<T, A>& l, int index)
{
    if (index >= 0 && static_cast<size_t>(index) < l.size()) {
        auto it = l.begin();
        for (int i = 0; i < index; ++i) ++it;
        return *it;
    }
    ReportBadIndex('L', index, static_cast<int>(l.size()), static_cast<int>(sizeof(T)));
    return CheckedListSpare<T>();
}

template <class T, class A>
void CheckedFill(std::vector<T, A>& v, const T& value)
{
    for (int i = 0; i < static_cast<int>(v.size()); ++i) CheckedAt(v, i) = value;
}
