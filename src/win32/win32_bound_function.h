#pragma once

#include <windows.h>

namespace almanix {

// Looks a function up by name, so that the program also starts where its
// library or the export is missing; null then.
template <typename Function>
Function boundFunction(const char* library, const char* name) {
    const HMODULE module = LoadLibraryA(library);
    if (!module) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

} // namespace almanix
