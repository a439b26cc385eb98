// The program's end when a C++ exception escapes (the game code throws none).
// The standard library's default handler prints the exception's demangled
// type to the console, which a window program does not have, and links the
// whole demangler (some 37 KB) into the program for it. This definition
// replaces it: a silent abnormal end, as the default one ends too.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
