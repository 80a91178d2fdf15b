// Keeps the GNU C++ runtime from dragging code into the installer that it can
// never use. A static executable carries whatever one referenced function of
// the library pulls in: the two first functions below keep out about 140 KB,
// the others a few KB each.
#include <windows.h>

#include <cstdlib>  // defines __GLIBCXX__ with the GNU library

#if defined(__GLIBCXX__)
#include <bits/functexcept.h>
#include <cxxabi.h>

#include "app/ExitCodes.h"
#include "app/InstallLog.h"
#include "app/OutOfMemory.h"

namespace __gnu_cxx {
// The library's handler prints the exception's demangled name to a console
// that this GUI program does not have, with a 46 KB demangler. Terminating
// quietly is all it could do here; bad_alloc, the one exception that ends the
// program on purpose, is caught in the entry point and never gets this far.
void __verbose_terminate_handler() {
    logExitCode(ExitInternalError);
    ExitProcess(ExitInternalError);
}
}  // namespace __gnu_cxx

// The library defines all its __throw_* functions in one object file. Code
// built without optimisation calls others of them (std::string's range
// checks, for one), which brings that object in beside these replacements:
// two definitions that cannot link. So only optimised builds, where the size
// matters, replace them.
#if defined(__OPTIMIZE__)
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

namespace {
// The exception-handling state of the C++ ABI: the stack of caught
// exceptions and the count of those thrown but not yet caught.
struct ExceptionGlobals {
    void* caughtExceptions;
    unsigned int uncaughtExceptions;
};
ExceptionGlobals exceptionGlobals;
}  // namespace

namespace __cxxabiv1 {
// The library keeps this state per thread, in emulated thread-local storage
// with its own key management. The installer throws and catches on its one
// thread only (COM's helper threads run no code of ours), so one record does.
extern "C" __cxa_eh_globals* __cxa_get_globals() noexcept {
    return reinterpret_cast<__cxa_eh_globals*>(&exceptionGlobals);
}

extern "C" __cxa_eh_globals* __cxa_get_globals_fast() noexcept {
    return reinterpret_cast<__cxa_eh_globals*>(&exceptionGlobals);
}
}  // namespace __cxxabiv1
#endif
