// Feeds arbitrary text to the tokenizer in every mode, including the rest-of-line read.
#include "app/text/CToken.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const uint8_t mode = data[0];
    CToken token(text.c_str());
    token.SetQuoted(mode & 1);
    token.SetSkipComments(mode & 2);
    for (size_t i = 0; i <= text.size() + 1; ++i) {
        if (mode & 4 && i % 3 == 2)
            token.RestOfLine();
        else
            token.NextToken();
        if (token.Empty() && token.GetPosition() && !*token.GetPosition())
            break;
    }
    return 0;
}
