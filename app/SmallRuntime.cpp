// Keeps the GNU C++ runtime from dragging code into the installer that it can
// never use. A static executable carries whatever one referenced function of
// the library pulls in, and two functions pull in about 140 KB:
#include <windows.h>

#include <cstdlib>  // defines __GLIBCXX__ with the GNU library

#if defined(__GLIBCXX__)
#include <bits/functexcept.h>

#include "app/ExitCodes.h"
#include "app/OutOfMemory.h"

namespace __gnu_cxx {
// The library's handler prints the exception's demangled name to a console
// that this GUI program does not have, with a 46 KB demangler. Terminating
// quietly is all it could do here; bad_alloc, the one exception that ends the
// program on purpose, is caught in the entry point and never gets this far.
void __verbose_terminate_handler() {
    ExitProcess(ExitInternalError);
}
}  // namespace __gnu_cxx

namespace std {
// A container asked to grow past its largest size. The library's version
// brings std::string and the whole exception hierarchy (about 90 KB); here it
// is what it amounts to, a request for more memory than there can be.
void __throw_length_error(const char*) {
    outOfMemoryHandler();
}

// The allocator's own checks of an impossible size, which link-time
// optimisation references even where they were folded away; the library's
// versions bring in the same hierarchy.
void __throw_bad_alloc() {
    outOfMemoryHandler();
}

void __throw_bad_array_new_length() {
    outOfMemoryHandler();
}
}  // namespace std
#endif
