#pragma once
// Work shared among the cores: the long calculations run the same function
// on every core the process may use, each taking the next piece of work
// until none is left.

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <system_error>
#include <thread>
#include <vector>

namespace tralva {

// The cores this process may run on.
int available_cores();
// The threads of a calculation: those asked for, or every core when none.
inline int threads_to_use(int requested) { return requested > 0 ? requested : available_cores(); }

// Runs `work` on `threads` threads at once, this one among them, and waits
// for all of them; with fewer when the system will not start more, which
// changes nothing but the time.
template <class Work>
void run_on_threads(int threads, const Work& work) {
  std::vector<std::thread> helpers;
  for (int t = 1; t < threads; ++t) {
    try {
      helpers.emplace_back([&work] { work(); });
    } catch (const std::system_error&) {
      break;
    }
  }
  work();
  for (std::thread& helper : helpers) helper.join();
}

// Hands the pieces [first, end) of `count` items, `block` at a time, to
// `work` on up to `threads` threads (never more than there are pieces).
template <class Work>
void for_each_block(int threads, std::size_t count, std::size_t block, const Work& work) {
  const std::size_t blocks = (count + block - 1) / block;
  std::atomic<std::size_t> next{0};
  run_on_threads(static_cast<int>(std::min<std::size_t>(std::max(threads, 1), blocks)), [&] {
    for (std::size_t k; (k = next.fetch_add(1, std::memory_order_relaxed)) < blocks;) {
      work(k * block, std::min(k * block + block, count));
    }
  });
}

// Runs `side` on a thread of its own while this one runs `main`, and returns
// when both are done: the reading and writing of one batch beside the
// computing of another.  Without a thread to spare, one after the other.
template <class Side, class Main>
void run_alongside(const Side& side, const Main& main) {
  std::thread helper;
  try {
    helper = std::thread([&side] { side(); });
  } catch (const std::system_error&) {
    side();
  }
  main();
  if (helper.joinable()) helper.join();
}

}  // namespace tralva
