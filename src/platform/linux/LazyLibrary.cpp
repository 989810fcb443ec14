#include "platform/linux/LazyLibrary.h"

#include <dlfcn.h>

namespace veskor {

void* openLibrary(std::initializer_list<const char*> files) {
    for (const char* file : files) {
        if (void* const handle = ::dlopen(file, RTLD_NOW | RTLD_LOCAL)) {
            return handle;
        }
    }
    return nullptr;
}

void* LibrarySymbols::address(const char* name) const {
    return ::dlsym(m_handle, name);
}

} // namespace veskor
