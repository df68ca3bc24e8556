#pragma once
// Wall-clock milliseconds since the process started, from a steady clock.
// The clock, the thinking line and the search statistics all read this one
// source; the C library's clock() would measure processor time instead.

#include <cstdint>

std::int64_t processMilliseconds();
