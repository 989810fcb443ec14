// Libraries loaded on first use: a table is there only when the library and every name are.

#include "platform/linux/LazyLibrary.h"

#include <gtest/gtest.h>

namespace veskor {
namespace {

struct MathFunctions {
    double (*cosine)(double) = nullptr;
    double (*missing)(double) = nullptr;
};

bool bindCosine(const LibrarySymbols& symbol, MathFunctions& math) {
    return symbol("cos", math.cosine);
}

bool bindMissing(const LibrarySymbols& symbol, MathFunctions& math) {
    return symbol("cos", math.cosine) && symbol("veskor_no_such_function", math.missing);
}

TEST(LazyLibrary, FunctionsOnlyWhenTheLibraryAndEveryNameAreThere) {
    // The first file that loads is taken.
    const LazyLibrary<MathFunctions> math({"libveskor-absent.so.1", "libm.so.6"}, bindCosine);
    ASSERT_NE(math.functions(), nullptr);
    EXPECT_DOUBLE_EQ(math.functions()->cosine(0), 1.0);

    EXPECT_EQ(LazyLibrary<MathFunctions>({"libm.so.6"}, bindMissing).functions(), nullptr);
    EXPECT_EQ(LazyLibrary<MathFunctions>({"libveskor-absent.so.1"}, bindCosine).functions(),
              nullptr);
}

} // namespace
} // namespace veskor
