// Parses arbitrary bytes as a string list and looks up and formats every number.
#include "app/text/StringList.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    StringList& list = LoadedStringList();
    list.Clear();
    list.Parse(text.c_str());
    // A list text is formatted with the values its callers pass, whatever the file
    // says; the texts of numbers with built-in texts are checked against those.
    (void)FormatString(59, "file");
    (void)FormatString(79, 2.5);
    (void)FormatString(103, 3);
    (void)FormatString(403, 1, 2);
    (void)FormatString(517, "a", "b", "c", 4);
    if (list.Find(900))
        (void)FormatString(900);
    (void)StringNumber(482, 1);
    list.Clear();
    return 0;
}
