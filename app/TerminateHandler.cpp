// The library's verbose terminate handler prints the exception's demangled
// name to a console that this GUI program does not have, and drags a 46 KB
// demangler into the executable to do so. Terminating quietly is all it can do
// here; the one exception that ends the program on purpose, bad_alloc, is
// caught in the entry point and never gets this far.
#include <windows.h>

#include <cstdlib>  // defines __GLIBCXX__ with the GNU library

#if defined(__GLIBCXX__)
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    ExitProcess(3);
}
}  // namespace __gnu_cxx
#endif
