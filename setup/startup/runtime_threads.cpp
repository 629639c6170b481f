// The POSIX thread functions that the C++ run-time library calls, made directly on Win32 to keep
// the bare setup program image small.
//
// The compiler's run-time libraries and std::mutex lock through the POSIX thread interface.
// Taken from the threads library, those few calls bring all of it along: threads, signals,
// barriers, read-write locks, about 45 KB. The setup program needs only what is below.
//
// The values follow the threads library's own conventions, since the run-time objects were
// compiled against its header: a mutex or condition is one pointer-sized word whose static
// initializer is a small negative number; the first use replaces it with a heap object. Every
// mutex is recursive (a critical section): the static initializers of the normal, recursive and
// error-checking kinds all behave correctly with that. A function missing here would bring its
// object from the threads library back, mixing two implementations on the same words: the
// build checks the link map for that and fails (cmake/NoThreadsLibrary.cmake).
#include <windows.h>

#include <cerrno>
#include <cstdint>

extern "C" {

typedef long pthread_once_t;
typedef std::intptr_t pthread_mutex_t;
typedef unsigned pthread_mutexattr_t;
typedef std::intptr_t pthread_cond_t;
typedef unsigned pthread_key_t;

} // extern "C"

namespace {

// Values below this one are the threads library's static initializers.
constexpr std::intptr_t kLastStaticInitializer = -1;
constexpr std::intptr_t kFirstStaticInitializer = -3;

bool is_static_initializer(std::intptr_t word)
{
    return word >= kFirstStaticInitializer && word <= kLastStaticInitializer;
}

// Installs a new object into a word that still holds its static initializer; a thread that
// loses the race frees its object and uses the winner's.
template <typename Object, typename Create, typename Destroy>
Object* object_of(std::intptr_t* word, Create create, Destroy destroy)
{
    auto current = reinterpret_cast<volatile LONG_PTR*>(word);
    std::intptr_t seen = *current;
    if (!is_static_initializer(seen))
        return reinterpret_cast<Object*>(seen);
    Object* made = create();
    if (made == nullptr)
        return nullptr;
    auto previous = InterlockedCompareExchangePointer(reinterpret_cast<PVOID volatile*>(current), made,
                                                      reinterpret_cast<PVOID>(seen));
    if (previous == reinterpret_cast<PVOID>(seen))
        return made;
    destroy(made);
    return static_cast<Object*>(previous);
}

CRITICAL_SECTION* new_critical_section()
{
    auto section = static_cast<CRITICAL_SECTION*>(HeapAlloc(GetProcessHeap(), 0, sizeof(CRITICAL_SECTION)));
    if (section != nullptr)
        InitializeCriticalSection(section);
    return section;
}

void delete_critical_section(CRITICAL_SECTION* section)
{
    DeleteCriticalSection(section);
    HeapFree(GetProcessHeap(), 0, section);
}

CRITICAL_SECTION* critical_section_of(pthread_mutex_t* mutex)
{
    return object_of<CRITICAL_SECTION>(mutex, new_critical_section, delete_critical_section);
}

CONDITION_VARIABLE* new_condition()
{
    auto condition =
        static_cast<CONDITION_VARIABLE*>(HeapAlloc(GetProcessHeap(), 0, sizeof(CONDITION_VARIABLE)));
    if (condition != nullptr)
        InitializeConditionVariable(condition);
    return condition;
}

void delete_condition(CONDITION_VARIABLE* condition)
{
    HeapFree(GetProcessHeap(), 0, condition);
}

CONDITION_VARIABLE* condition_of(pthread_cond_t* cond)
{
    return object_of<CONDITION_VARIABLE>(cond, new_condition, delete_condition);
}

// Thread-specific values live in fiber-local storage, whose callback runs at thread exit like a
// key's destructor. The callback receives only the value, so each key slot has its own.
typedef void (*KeyDestructor)(void*);
constexpr unsigned kKeySlots = 8;
KeyDestructor key_destructors[kKeySlots];
DWORD key_indexes[kKeySlots];
volatile LONG keys_used = 0;

template <unsigned Slot>
void WINAPI run_key_destructor(void* value)
{
    if (value != nullptr && key_destructors[Slot] != nullptr)
        key_destructors[Slot](value);
}

template <unsigned... Slots>
constexpr PFLS_CALLBACK_FUNCTION key_callbacks_table[] = {run_key_destructor<Slots>...};

constexpr const PFLS_CALLBACK_FUNCTION* key_callbacks = key_callbacks_table<0, 1, 2, 3, 4, 5, 6, 7>;

enum OnceState : long { kOnceNotRun = 0, kOnceRunning = 1, kOnceDone = 2 };

} // namespace

extern "C" {

int pthread_once(pthread_once_t* once, void (*run)(void))
{
    auto state = reinterpret_cast<volatile LONG*>(once);
    if (*state == kOnceDone)
        return 0;
    if (InterlockedCompareExchange(state, kOnceRunning, kOnceNotRun) == kOnceNotRun) {
        run();
        InterlockedExchange(state, kOnceDone);
        return 0;
    }
    while (*state != kOnceDone)
        Sleep(0);
    return 0;
}

int pthread_mutex_init(pthread_mutex_t* mutex, const pthread_mutexattr_t*)
{
    CRITICAL_SECTION* section = new_critical_section();
    if (section == nullptr)
        return ENOMEM;
    *mutex = reinterpret_cast<std::intptr_t>(section);
    return 0;
}

int pthread_mutex_destroy(pthread_mutex_t* mutex)
{
    if (!is_static_initializer(*mutex))
        delete_critical_section(reinterpret_cast<CRITICAL_SECTION*>(*mutex));
    *mutex = kLastStaticInitializer;
    return 0;
}

int pthread_mutex_lock(pthread_mutex_t* mutex)
{
    CRITICAL_SECTION* section = critical_section_of(mutex);
    if (section == nullptr)
        return ENOMEM;
    EnterCriticalSection(section);
    return 0;
}

int pthread_mutex_trylock(pthread_mutex_t* mutex)
{
    CRITICAL_SECTION* section = critical_section_of(mutex);
    if (section == nullptr)
        return ENOMEM;
    return TryEnterCriticalSection(section) ? 0 : EBUSY;
}

int pthread_mutex_unlock(pthread_mutex_t* mutex)
{
    if (is_static_initializer(*mutex))
        return EPERM;
    LeaveCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(*mutex));
    return 0;
}

int pthread_cond_wait(pthread_cond_t* cond, pthread_mutex_t* mutex)
{
    CONDITION_VARIABLE* condition = condition_of(cond);
    CRITICAL_SECTION* section = critical_section_of(mutex);
    if (condition == nullptr || section == nullptr)
        return ENOMEM;
    return SleepConditionVariableCS(condition, section, INFINITE) ? 0 : EINVAL;
}

int pthread_cond_broadcast(pthread_cond_t* cond)
{
    if (is_static_initializer(*cond))
        return 0; // nobody has waited on it yet
    WakeAllConditionVariable(reinterpret_cast<CONDITION_VARIABLE*>(*cond));
    return 0;
}

int pthread_key_create(pthread_key_t* key, void (*destructor)(void*))
{
    LONG slot = InterlockedIncrement(&keys_used) - 1;
    if (slot >= static_cast<LONG>(kKeySlots))
        return EAGAIN;
    key_destructors[slot] = destructor;
    DWORD index = FlsAlloc(key_callbacks[slot]);
    if (index == FLS_OUT_OF_INDEXES)
        return EAGAIN;
    key_indexes[slot] = index;
    *key = static_cast<pthread_key_t>(slot);
    return 0;
}

void* pthread_getspecific(pthread_key_t key)
{
    return key < kKeySlots ? FlsGetValue(key_indexes[key]) : nullptr;
}

int pthread_setspecific(pthread_key_t key, const void* value)
{
    if (key >= kKeySlots)
        return EINVAL;
    return FlsSetValue(key_indexes[key], const_cast<void*>(value)) ? 0 : ENOMEM;
}

// Guards of function-local statics. The library's guards raise exceptions on failure, and
// with them would bring the exception machinery that the setup program is built without. One
// recursive lock serialises every first initialisation: an initialisation that starts another
// on the same thread goes on, other threads wait until it is done.
static pthread_mutex_t static_init_lock = -2; // the recursive static initializer

int __cxa_guard_acquire(std::uint64_t* guard)
{
    auto done = reinterpret_cast<volatile char*>(guard);
    if (*done)
        return 0;
    pthread_mutex_lock(&static_init_lock);
    if (*done) {
        pthread_mutex_unlock(&static_init_lock);
        return 0;
    }
    return 1; // the caller initialises, then releases
}

void __cxa_guard_release(std::uint64_t* guard)
{
    MemoryBarrier(); // the initialised object is complete before the flag says so
    *reinterpret_cast<volatile char*>(guard) = 1;
    pthread_mutex_unlock(&static_init_lock);
}

void __cxa_guard_abort(std::uint64_t*)
{
    pthread_mutex_unlock(&static_init_lock);
}

} // extern "C"
