// Owners for the few system handles the estimator holds.
#pragma once

#include <windows.h>

#include <utility>

// A kernel handle closed with CloseHandle; null and INVALID_HANDLE_VALUE both mean none.
class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE handle = nullptr) : handle_(handle) {}
    ~ScopedHandle() { reset(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    void reset(HANDLE handle = nullptr)
    {
        if (valid()) CloseHandle(handle_);
        handle_ = handle;
    }

private:
    HANDLE handle_;
};

// A GDI object (font, brush) deleted with DeleteObject.
template <typename T>
class ScopedGdiObject {
public:
    explicit ScopedGdiObject(T object = nullptr) : object_(object) {}
    ~ScopedGdiObject() { reset(); }
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
    ScopedGdiObject(ScopedGdiObject&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}

    T get() const { return object_; }
    void reset(T object = nullptr)
    {
        if (object_) DeleteObject(object_);
        object_ = object;
    }

private:
    T object_;
};

// A loaded library freed with FreeLibrary.
class ScopedLibrary {
public:
    explicit ScopedLibrary(HMODULE library = nullptr) : library_(library) {}
    ~ScopedLibrary()
    {
        if (library_) FreeLibrary(library_);
    }
    ScopedLibrary(const ScopedLibrary&) = delete;
    ScopedLibrary& operator=(const ScopedLibrary&) = delete;
    ScopedLibrary(ScopedLibrary&& other) noexcept : library_(std::exchange(other.library_, nullptr)) {}

    HMODULE get() const { return library_; }

private:
    HMODULE library_;
};
