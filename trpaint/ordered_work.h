#pragma once

#include <cstddef>
#include <functional>

// Runs Compute(I) for every I below Count, on this thread and on one more
// when the machine has a processor to spare, and hands each I to Consume
// on this thread in increasing order, as soon as Compute(I) and all before
// it are done. Compute must be safe to run for two different I at once.
// What Compute or Consume throws is thrown here, once neither thread runs
// Compute any more.
void ComputeInOrder(size_t Count, const std::function<void(size_t)>& Compute,
                    const std::function<void(size_t)>& Consume);
