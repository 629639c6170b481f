// A growable list of owned elements that one thread may append to while another walks it.
//
// Walking works on a snapshot of the element pointers taken under both locks; the snapshot then
// keeps only the iteration lock until it is done, so appends go on meanwhile (and are not part
// of the walk) while walks from other threads wait their turn.
#pragma once

#include "critical_section.h"

#include <cstddef>
#include <memory>
#include <mutex>
#include <type_traits>
#include <utility>
#include <vector>

// The element pointers of a list at one moment, walked in insertion order. Holds the list's
// iteration lock from its making until it is destroyed (none at all when it is empty).
template <typename E>
class ListSnapshot {
public:
    ListSnapshot(std::unique_lock<CriticalSection> iteration_lock, std::vector<E*> elements)
        : iteration_lock_(std::move(iteration_lock)), elements_(std::move(elements))
    {
        if (elements_.empty() && iteration_lock_.owns_lock()) iteration_lock_.unlock();
    }

    auto begin() const { return elements_.begin(); }
    auto end() const { return elements_.end(); }
    std::size_t size() const { return elements_.size(); }
    bool empty() const { return elements_.empty(); }
    E* operator[](std::size_t index) const { return elements_[index]; }

private:
    std::unique_lock<CriticalSection> iteration_lock_;
    std::vector<E*> elements_;
};

template <typename T>
class LockedPointerList {
public:
    static constexpr std::size_t initial_capacity = 256;

    LockedPointerList() = default;
    LockedPointerList(const LockedPointerList&) = delete;
    LockedPointerList& operator=(const LockedPointerList&) = delete;

    LockedPointerList(LockedPointerList&& other) noexcept
    {
        std::scoped_lock guard(other.iteration_lock_, other.modification_lock_);
        elements_ = std::move(other.elements_);
        other.elements_.clear();
    }

    LockedPointerList& operator=(LockedPointerList&& other) noexcept
    {
        if (this == &other) return *this;
        std::vector<std::unique_ptr<T>> released;
        {
            std::scoped_lock guard(iteration_lock_, modification_lock_, other.iteration_lock_,
                                   other.modification_lock_);
            released = std::exchange(elements_, std::move(other.elements_));
            other.elements_.clear();
        }
        return *this;  // the old elements go with `released`, outside the locks
    }

    ~LockedPointerList()
    {
        std::scoped_lock guard(iteration_lock_, modification_lock_);
        elements_.clear();
    }

    // Stores the element (never null) behind the last one and returns it. The storage starts
    // at 256 pointers, taken at the first append, and doubles when full.
    T& append(std::unique_ptr<T> element)
    {
        std::lock_guard<CriticalSection> guard(modification_lock_);
        if (elements_.size() == elements_.capacity())
            elements_.reserve(elements_.empty() ? initial_capacity : 2 * elements_.capacity());
        elements_.push_back(std::move(element));
        return *elements_.back();
    }

    // Destroys every element. Waits for walks on other threads; the calling thread must not be
    // walking this list, or its snapshot would point at destroyed elements.
    void clear()
    {
        std::scoped_lock guard(iteration_lock_, modification_lock_);
        elements_.clear();
    }

    std::size_t count() const
    {
        std::lock_guard<CriticalSection> guard(modification_lock_);
        return elements_.size();
    }

    ListSnapshot<T> snapshot() { return snapshot_as([](T* element) { return element; }); }
    ListSnapshot<const T> snapshot() const
    {
        return snapshot_as([](const T* element) { return element; });
    }

    // A snapshot of project(element) for each element, e.g. a part that each element owns.
    template <typename Projection>
    auto snapshot_as(Projection project) const
    {
        using Projected = std::remove_pointer_t<decltype(project(std::declval<T*>()))>;
        std::unique_lock<CriticalSection> iteration(iteration_lock_);
        std::vector<Projected*> pointers;
        {
            std::lock_guard<CriticalSection> modification(modification_lock_);
            pointers.reserve(elements_.size());
            for (const std::unique_ptr<T>& element : elements_) pointers.push_back(project(element.get()));
        }
        return ListSnapshot<Projected>(std::move(iteration), std::move(pointers));
    }

private:
    mutable CriticalSection iteration_lock_;
    mutable CriticalSection modification_lock_;
    std::vector<std::unique_ptr<T>> elements_;
};
