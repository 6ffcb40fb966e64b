#pragma once

#include <windows.h>

namespace almanix {

// A function looked up by name at its first use, so that the program also
// starts where its library or the export is missing; null then. The object
// that uses it keeps it, and the lookup runs once.
template <typename Function>
class BoundFunction {
public:
    BoundFunction(const char* library, const char* name) : library_(library), name_(name) {}

    Function get() {
        if (!lookedUp_) {
            lookedUp_ = true;
            if (const HMODULE module = LoadLibraryA(library_))
                function_ = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name_)));
        }
        return function_;
    }

private:
    const char* library_;
    const char* name_;
    Function function_ = nullptr;
    bool lookedUp_ = false;
};

} // namespace almanix
