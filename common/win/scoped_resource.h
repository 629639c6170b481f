// Sole owner of a system resource held by value, such as a handle or a key. The traits say
// which value means none and how to close one:
//   using Value; static Value none(); static bool is_none(Value); static void close(Value);
#pragma once

#include <utility>

template <typename Traits>
class ScopedResource {
public:
    using Value = typename Traits::Value;

    ScopedResource() noexcept : value_(Traits::none()) {}
    explicit ScopedResource(Value value) noexcept : value_(value) {}
    ~ScopedResource() { reset(); }
    ScopedResource(const ScopedResource&) = delete;
    ScopedResource& operator=(const ScopedResource&) = delete;
    ScopedResource(ScopedResource&& other) noexcept : value_(other.release()) {}
    ScopedResource& operator=(ScopedResource&& other) noexcept
    {
        if (this != &other) reset(other.release());
        return *this;
    }

    bool valid() const noexcept { return !Traits::is_none(value_); }
    Value get() const noexcept { return value_; }

    // Gives the value to the caller, who closes it from now on.
    Value release() noexcept { return std::exchange(value_, Traits::none()); }

    // Closes what is held, then owns `value`.
    void reset(Value value = Traits::none()) noexcept
    {
        Value old = std::exchange(value_, value);
        if (!Traits::is_none(old)) Traits::close(old);
    }

    // Closes what is held and gives the address for a call that opens a resource into it.
    Value* receive() noexcept
    {
        reset();
        return &value_;
    }

private:
    Value value_;
};
