#pragma once
// Text from the network made safe for a terminal, measured in characters.
#include <string>

// A cell of text safe for a terminal: invalid UTF-8 becomes U+FFFD; control
// characters (C0, DEL, C1) and bidirectional controls become '?'; texts longer than
// width characters are cut (never inside a character).
std::string Printable(const std::string& text, size_t width = 40);
// The characters (code points) of a UTF-8 text.
size_t CharacterCount(const std::string& text);
