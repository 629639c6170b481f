// The owners of handles, keys and COM interfaces close what they hold exactly once.
#include "scoped_com.h"
#include "scoped_handle.h"
#include "scoped_registry_key.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

bool is_open(HANDLE handle)
{
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}

HANDLE new_event() { return CreateEventA(nullptr, TRUE, FALSE, nullptr); }

TEST(ScopedHandle, ClosesItsHandleWhenItGoes)
{
    HANDLE event = new_event();
    ASSERT_TRUE(is_open(event));
    {
        ScopedHandle owner(event);
        EXPECT_TRUE(owner.valid());
        EXPECT_EQ(owner.get(), event);
    }
    EXPECT_FALSE(is_open(event));
}

TEST(ScopedHandle, TakesNullAndInvalidHandleValueForNone)
{
    EXPECT_FALSE(ScopedHandle().valid());
    EXPECT_FALSE(ScopedHandle(nullptr).valid());
    EXPECT_FALSE(ScopedHandle(INVALID_HANDLE_VALUE).valid());
    EXPECT_EQ(ScopedHandle(INVALID_HANDLE_VALUE).get(), INVALID_HANDLE_VALUE);
}

TEST(ScopedHandle, ReleaseHandsTheHandleOver)
{
    HANDLE event = new_event();
    HANDLE released = nullptr;
    {
        ScopedHandle owner(event);
        released = owner.release();
        EXPECT_FALSE(owner.valid());
    }
    EXPECT_EQ(released, event);
    EXPECT_TRUE(is_open(event));
    CloseHandle(event);
}

TEST(ScopedHandle, ResetClosesTheOldHandle)
{
    HANDLE first = new_event();
    HANDLE second = new_event();
    ScopedHandle owner(first);
    owner.reset(second);
    EXPECT_FALSE(is_open(first));
    EXPECT_TRUE(is_open(second));
    owner.reset();
    EXPECT_FALSE(is_open(second));
    EXPECT_FALSE(owner.valid());
}

TEST(ScopedHandle, MovingPassesOwnershipOn)
{
    HANDLE first = new_event();
    HANDLE second = new_event();
    {
        ScopedHandle a(first);
        ScopedHandle b(std::move(a));
        EXPECT_FALSE(a.valid());
        EXPECT_EQ(b.get(), first);

        ScopedHandle c(second);
        c = std::move(b); // closes second, takes first
        EXPECT_FALSE(b.valid());
        EXPECT_FALSE(is_open(second));
        EXPECT_TRUE(is_open(first));
    }
    EXPECT_FALSE(is_open(first));
}

TEST(ScopedRegistryKey, ReceivesAnOpenedKeyAndClosesIt)
{
    ScopedRegistryKey key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, key.receive()), ERROR_SUCCESS);
    ASSERT_TRUE(key.valid());
    HKEY opened = key.get();
    EXPECT_EQ(RegQueryInfoKeyA(opened, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    key.reset();
    EXPECT_NE(RegQueryInfoKeyA(opened, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
}

// An interface that counts the references given back to it.
class CountingUnknown : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        ++releases;
        return --references;
    }

    ULONG references = 1;
    int releases = 0;
};

TEST(ScopedComPtr, ReleasesItsReferenceOnce)
{
    CountingUnknown object;
    {
        ScopedComPtr<IUnknown> a(&object);
        ScopedComPtr<IUnknown> b(std::move(a));
        EXPECT_FALSE(a.valid());
        EXPECT_EQ(b->AddRef(), 2u);
        b->Release();
        EXPECT_EQ(object.releases, 1);
    }
    EXPECT_EQ(object.releases, 2);
    EXPECT_EQ(object.references, 0u);
}

TEST(ScopedComPtr, ReceiveReleasesTheOldReferenceAndReleaseKeepsIt)
{
    CountingUnknown first;
    CountingUnknown second;
    ScopedComPtr<IUnknown> pointer(&first);
    *pointer.receive_void() = static_cast<IUnknown*>(&second);
    EXPECT_EQ(first.releases, 1);
    EXPECT_EQ(pointer.get(), &second);
    EXPECT_EQ(pointer.release(), &second);
    EXPECT_EQ(second.releases, 0);
}

TEST(ScopedComInitialize, InitialisesCom)
{
    ScopedComInitialize com;
    EXPECT_TRUE(com.succeeded());
    ScopedComInitialize nested;
    EXPECT_EQ(nested.result(), S_FALSE);
}

} // namespace
