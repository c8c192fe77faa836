#pragma once
// Unrecoverable conditions: the text is shown to the player and the process ends with
// exit code 3, or with the code the caller names. A second fatal error raised while
// the first is being shown only writes its text to standard error and ends the
// process with exit code 2.

inline constexpr int kFatalErrorExitCode = 3;

[[noreturn]] void FatalError(const char* format, ...) __attribute__((format(printf, 1, 2)));
[[noreturn]] void FatalErrorExit(int exitCode, const char* format, ...) __attribute__((format(printf, 2, 3)));
