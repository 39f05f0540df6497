#include "FuzzInput.h"

#include <cstdio>
#include <cstdlib>

namespace trevalon::fuzz {

void fail(const char* what) {
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

}  // namespace trevalon::fuzz
