// SPDX-License-Identifier: Apache-2.0
// The rows of a const table as a range: the table is written once, and its size is counted from
// its rows, never typed beside them.
#pragma once

#include <cstddef>

namespace orvantis {

template <typename Row>
struct Rows {
  const Row* first;
  size_t size;
  const Row* begin() const { return first; }
  const Row* end() const { return first + size; }
};

}  // namespace orvantis
