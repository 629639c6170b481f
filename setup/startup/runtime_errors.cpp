// How the C++ run-time library reports its own errors in the setup program, replaced by small
// equivalents to keep the bare program image small.
//
// The library raises its errors through std::__throw_* helpers. Taken from the library, they
// bring the standard exception classes that carry a text, the error categories, and with them
// two complete std::string implementations (the classes keep their text in the old
// reference-counted string): about 90 KB. The linker cannot drop the unused parts, since every
// function's unwind entry keeps it. Here the allocation and type errors keep their standard
// types; the errors that carry a text (length_error, out_of_range, logic_error, system_error
// and the rest) are thrown as one small type derived from std::exception. Nothing in the setup
// program tells them apart: apart from std::bad_alloc, only the guarded start-up stages catch,
// with catch (...), and every exception there is fatal. Code added later must not catch
// std::logic_error, std::runtime_error or their kinds either, as they are never thrown here.
//
// Every helper of the library's functexcept object is defined here, so that object is never
// linked; a newer compiler with a new helper there makes the link fail with a duplicate
// definition, never silently.
#include <bits/functexcept.h>

#include <cstdlib>
#include <exception>
#include <new>
#include <typeinfo>

namespace {

// The library's error with its text; the texts are literals of the library's.
class LibraryError : public std::exception {
public:
    explicit LibraryError(const char* text) noexcept : text_(text) {}
    const char* what() const noexcept override { return text_; }

private:
    const char* text_;
};

} // namespace

namespace std {

void __throw_bad_exception() { throw bad_exception(); }
void __throw_bad_alloc() { throw bad_alloc(); }
void __throw_bad_array_new_length() { throw bad_array_new_length(); }
void __throw_bad_cast() { throw bad_cast(); }
void __throw_bad_typeid() { throw bad_typeid(); }
void __throw_logic_error(const char* text) { throw LibraryError(text); }
void __throw_domain_error(const char* text) { throw LibraryError(text); }
void __throw_invalid_argument(const char* text) { throw LibraryError(text); }
void __throw_length_error(const char* text) { throw LibraryError(text); }
void __throw_out_of_range(const char* text) { throw LibraryError(text); }
void __throw_out_of_range_fmt(const char* format, ...) { throw LibraryError(format); }
void __throw_runtime_error(const char* text) { throw LibraryError(text); }
void __throw_range_error(const char* text) { throw LibraryError(text); }
void __throw_overflow_error(const char* text) { throw LibraryError(text); }
void __throw_underflow_error(const char* text) { throw LibraryError(text); }

// std::mutex's failures. The library's helper lives with the error categories; code that uses
// those makes the link fail with a duplicate definition, and then this one goes.
void __throw_system_error(int) { throw LibraryError("system error"); }

} // namespace std

namespace __gnu_cxx {

// std::terminate's default handler: the library's prints the exception's demangled type name
// to the standard error stream, which a windowed program does not show, and brings the
// demangler and the C formatter (about 75 KB). It then aborts, as this one does at once.
void __verbose_terminate_handler() { std::abort(); }

} // namespace __gnu_cxx
