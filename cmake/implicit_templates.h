/* Included first in every file of the Win32 program (-include, set in
   CMakeLists.txt). The C++ library declares its string classes as
   instantiated once inside itself, and a program that uses one member links
   the library's whole instantiation: every member of std::string and
   std::wstring, and the throwing helpers with the exception classes they
   bring. Switched off, each file instantiates only the members it uses, the
   linker keeps only those, and shell/terminate_handler.cpp replaces the
   throwing helpers. */
#include <bits/c++config.h>
#undef _GLIBCXX_EXTERN_TEMPLATE
#define _GLIBCXX_EXTERN_TEMPLATE 0
