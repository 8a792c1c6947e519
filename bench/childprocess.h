#pragma once

#include <string>
#include <vector>

// Runs a program (looked up in PATH unless the name holds a '/') with the
// given arguments and the current environment, waits for it and returns
// what it wrote to standard output. Throws std::runtime_error when it cannot
// be started or does not exit with 0.
std::string runAndCapture(const std::vector<std::string>& command);

// The path of the running executable, for re-running it as a child.
std::string selfExecutable();

// Nanoseconds on CLOCK_MONOTONIC, comparable across processes.
long long monotonicNanoseconds();
