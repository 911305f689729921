#include "platform/posix/utf8_path.h"

#include "platform/utf8_rules.h"

std::string ToUtf8(const wchar_t* text) {
    std::string out;
    for (; *text; ++text) AppendUtf8(out, static_cast<char32_t>(*text));
    return out;
}

bool FromUtf8(const char* text, std::wstring* wide) {
    wide->clear();
    const auto* at = reinterpret_cast<const unsigned char*>(text);
    while (*at != 0) {
        const int extra = Utf8ContinuationCount(*at);
        if (extra < 0) return false;
        char32_t c = Utf8LeadBits(*at++, extra);
        for (int k = 0; k < extra; ++k, ++at) {
            if ((*at & 0xC0) != 0x80) return false;  // the terminator ends the loop here too
            c = c << 6 | (*at & 0x3F);
        }
        if (!IsUtf8Character(c, extra)) return false;
        *wide += static_cast<wchar_t>(c);
    }
    return true;
}
