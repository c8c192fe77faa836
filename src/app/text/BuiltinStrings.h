#pragma once
// The program's own English texts for every numbered message, standing in for the
// resource library's string table. The string list file still overrides them.

// The text for a message number, or nullptr when the program has none.
const char* BuiltinString(int number);

// Every number that has a built-in text, in ascending order (for the coverage test).
struct BuiltinStringEntry
{
    int number;
    const char* text;
};
const BuiltinStringEntry* BuiltinStringTable(int* count);

// The program's own last-resort table: only the sockets failure text, which must be
// shown even when nothing else could be read.
inline constexpr int kSocketsFailedMessage = 107;
const char* ProgramString(int number);
