// The program's end when the C++ runtime would throw (the game code throws
// and catches nothing, so any exception ends the program anyway).
//
// The standard library's default terminate handler prints the exception's
// demangled type to the console, which a window program does not have, and
// links the whole demangler (some 37 KB) into the program for it. The
// library's own throwing helpers, called by std::string's length checks, pull
// in its exception classes and with them every member of a second,
// reference-counted string (with cmake/implicit_templates.h, 77 KB of the
// 64-bit program). These definitions replace both: a silent abnormal end, as
// an exception that nobody catches ends the program too. Should the library
// ever need its own helpers again, the link fails on the double definition
// rather than growing in silence.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

// Every throwing helper of the library, so that its own definitions are never
// linked: a program that later uses one more of them links as it does now.
namespace std {
void __throw_bad_alloc() { std::abort(); }
void __throw_bad_array_new_length() { std::abort(); }
void __throw_bad_cast() { std::abort(); }
void __throw_bad_exception() { std::abort(); }
void __throw_bad_typeid() { std::abort(); }
void __throw_domain_error(const char*) { std::abort(); }
void __throw_invalid_argument(const char*) { std::abort(); }
void __throw_length_error(const char*) { std::abort(); }
void __throw_logic_error(const char*) { std::abort(); }
void __throw_out_of_range(const char*) { std::abort(); }
void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
void __throw_overflow_error(const char*) { std::abort(); }
void __throw_range_error(const char*) { std::abort(); }
void __throw_runtime_error(const char*) { std::abort(); }
void __throw_underflow_error(const char*) { std::abort(); }
}  // namespace std
