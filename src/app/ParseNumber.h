#pragma once
// atoi without its undefined overflow: optional leading whitespace and sign, then
// decimal digits; stops at the first other character; saturates at the int limits;
// 0 when there are no digits.
int ParseInt(const char* text);
