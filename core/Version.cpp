#include "core/Version.h"

namespace glimmerax {

const char* Version() {
    return GLIMMERAX_VERSION;
}

}  // namespace glimmerax
