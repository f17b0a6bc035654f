#include "common/vector_state.h"

namespace tralva {

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

namespace {

__attribute__((target("avx"))) void zero_upper_halves() { __builtin_ia32_vzeroupper(); }

bool has_avx() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx");
}

}  // namespace

void release_vector_registers() {
  static const bool avx = has_avx();
  if (avx) zero_upper_halves();
}

#else

void release_vector_registers() {}

#endif

}  // namespace tralva
