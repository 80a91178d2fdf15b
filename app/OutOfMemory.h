// What happens when an allocation fails anywhere in the program.
#ifndef LKP_APP_OUTOFMEMORY_H
#define LKP_APP_OUTOFMEMORY_H

#include <new>

// The exception that ends the program; what() is "bad allocation".
class OutOfMemory : public std::bad_alloc {
public:
    const char* what() const noexcept override { return "bad allocation"; }
};

// Shows "Out of memory." once, then throws OutOfMemory. Never returns.
[[noreturn]] void outOfMemoryHandler();

#endif
