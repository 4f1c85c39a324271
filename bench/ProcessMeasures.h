// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the benchmarks measure of their own process.

#include <map>
#include <string>

// CPU seconds (user and system) this process has used so far.
double ProcessCpuSeconds();

// CPU seconds used so far by this process's threads, summed by thread name
// (schedstat counts in nanoseconds, where the tick-based times miss short wakes).
std::map<std::string, double> ThreadCpuByName();

// The process's resident memory in bytes.
long long ResidentBytes();
