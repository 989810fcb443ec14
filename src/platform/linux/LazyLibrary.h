#pragma once
// Shared libraries loaded when first needed rather than at start-up: the container and print
// libraries each bring a dozen libraries of their own, and resolving their symbols at every start
// of the bar costs more than the rest of its start-up work. Once loaded a library stays loaded for
// the life of the program, since what it hands out (open documents) may be in use until the end.

#include <initializer_list>
#include <optional>

namespace veskor {

// The first of `files` that loads, kept open; nullptr when none does.
void* openLibrary(std::initializer_list<const char*> files);

// Looks up the functions of one opened library.
class LibrarySymbols final {
public:
    explicit LibrarySymbols(void* handle) : m_handle(handle) {}
    // Points `function` at the named symbol; false when the library has no such name.
    template <typename Function> bool operator()(const char* name, Function& function) const {
        function = reinterpret_cast<Function>(address(name));
        return function != nullptr;
    }

private:
    [[nodiscard]] void* address(const char* name) const;

    void* m_handle;
};

// A library's functions: `Table` is a struct of function pointers that `bind` fills, saying
// whether it found every one. Hold one as a function-local static, so that the library is loaded
// on first use, once, whichever thread asks first.
template <typename Table> class LazyLibrary final {
public:
    using Bind = bool (*)(const LibrarySymbols&, Table&);

    LazyLibrary(std::initializer_list<const char*> files, Bind bind) {
        if (void* const handle = openLibrary(files)) {
            Table table{};
            if (bind(LibrarySymbols(handle), table)) {
                m_table = table;
            }
        }
    }

    // Nothing when the library or one of its functions is missing.
    [[nodiscard]] const Table* functions() const { return m_table ? &*m_table : nullptr; }

private:
    std::optional<Table> m_table;
};

} // namespace veskor
