#pragma once
// Some libraries (the windowing toolkit among them) return with the upper
// halves of the processor's AVX registers still in use.  Until they are
// cleared, every SSE instruction of the code that follows waits on them:
// sampling the catenaries of a 20-line project took ten times as long inside
// the desktop program as in the batch tool.  Long computations clear them
// first; elsewhere, and on processors without AVX, this does nothing.

namespace tralva {

void release_vector_registers();

}  // namespace tralva
