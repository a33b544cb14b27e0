#pragma once

namespace tarvelo::endurance {

// The process's resident set size in bytes, from /proc/self/statm.
long long residentBytes();

} // namespace tarvelo::endurance
