// COM on this thread for the lifetime of a scope, and owners of COM interface pointers.
#pragma once

#include "scoped_resource.h"

#include <objbase.h>

// Owns one reference to an interface and gives it back with Release.
template <typename Interface>
struct ComInterfaceTraits {
    using Value = Interface*;
    static Value none() noexcept { return nullptr; }
    static bool is_none(Value pointer) noexcept { return pointer == nullptr; }
    static void close(Value pointer) noexcept { pointer->Release(); }
};

template <typename Interface>
class ScopedComPtr : public ScopedResource<ComInterfaceTraits<Interface>> {
public:
    using ScopedResource<ComInterfaceTraits<Interface>>::ScopedResource;

    Interface* operator->() const noexcept { return this->get(); }

    // For CoCreateInstance and QueryInterface, which return the interface through a void**.
    void** receive_void() noexcept { return reinterpret_cast<void**>(this->receive()); }
};

// CoInitialize when made, CoUninitialize when gone, but only if the initialisation succeeded
// (S_FALSE, already initialised on this thread, also needs its CoUninitialize).
class ScopedComInitialize {
public:
    ScopedComInitialize() noexcept : result_(CoInitialize(nullptr)) {}
    ~ScopedComInitialize()
    {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ScopedComInitialize(const ScopedComInitialize&) = delete;
    ScopedComInitialize& operator=(const ScopedComInitialize&) = delete;

    bool succeeded() const noexcept { return SUCCEEDED(result_); }
    HRESULT result() const noexcept { return result_; }

private:
    HRESULT result_;
};
