// How the C++ run-time library reports its own errors in the setup program.
//
// The setup program is built without C++ exceptions: the exception machinery (the unwinder,
// the unwind tables of every function, the library's exception objects) would be about a third
// of its image. Every error of the library is fatal here, as an exception escaping to the
// start-up stages was: it ends the program through the fatal shutdown, with its report.
//
// The library raises its errors through std::__throw_* helpers. Every helper of the library's
// functexcept object is defined here, so that object (which throws, and brings the exception
// classes with their texts) is never linked; a newer compiler with a new helper there makes the
// link fail with a duplicate definition, never silently.
#include "error_log.h"

#include <bits/functexcept.h>

namespace std {

void __throw_bad_exception() { fatal_error(); }
void __throw_bad_alloc() { fatal_error(); }
void __throw_bad_array_new_length() { fatal_error(); }
void __throw_bad_cast() { fatal_error(); }
void __throw_bad_typeid() { fatal_error(); }
void __throw_logic_error(const char*) { fatal_error(); }
void __throw_domain_error(const char*) { fatal_error(); }
void __throw_invalid_argument(const char*) { fatal_error(); }
void __throw_length_error(const char*) { fatal_error(); }
void __throw_out_of_range(const char*) { fatal_error(); }
void __throw_out_of_range_fmt(const char*, ...) { fatal_error(); }
void __throw_runtime_error(const char*) { fatal_error(); }
void __throw_range_error(const char*) { fatal_error(); }
void __throw_overflow_error(const char*) { fatal_error(); }
void __throw_underflow_error(const char*) { fatal_error(); }

// System errors, such as a std::unique_lock unlocked twice. The library's helper lives with the
// error categories; code that uses those makes the link fail with a duplicate definition, and
// then this one goes.
void __throw_system_error(int) { fatal_error(); }
} // namespace std

namespace __gnu_cxx {

// std::terminate's default handler: the library's prints to the standard error stream, which a
// windowed program does not show, and brings the demangler and the C formatter (about 75 KB).
void __verbose_terminate_handler() { fatal_error(); }

} // namespace __gnu_cxx
