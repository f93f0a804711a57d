// One hexadecimal digit's value: shared by number reading and the monitor's byte table, which is
// plain Qt Core and so takes it as a header.
#pragma once

namespace tb {

// The value of a hexadecimal digit, -1 for any other character.
constexpr int hexDigitValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    return -1;
}

} // namespace tb
