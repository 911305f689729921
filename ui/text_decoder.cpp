#include "ui/text_decoder.h"

#include "platform/utf8_rules.h"

namespace {

bool IsHighSurrogate(int unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(int unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

int TakePending(TextDecoder* decoder) {
    const int value = decoder->pending;
    decoder->pending = -1;
    return value;
}

// A UTF-16 little-endian code unit, or -1 at the end.
int ReadUnit(TextDecoder* decoder) {
    if (decoder->pending >= 0) return TakePending(decoder);
    const int low = std::fgetc(decoder->file);
    if (low == EOF) return -1;
    const int high = std::fgetc(decoder->file);
    if (high == EOF) return -1;
    return low | high << 8;
}

int ReadByte(TextDecoder* decoder) {
    if (decoder->pending >= 0) return TakePending(decoder);
    const int byte = std::fgetc(decoder->file);
    return byte == EOF ? -1 : byte;
}

std::int32_t NextUtf16(TextDecoder* decoder) {
    const int unit = ReadUnit(decoder);
    if (!IsHighSurrogate(unit)) return unit;
    const int next = ReadUnit(decoder);
    if (IsLowSurrogate(next)) return 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00);
    decoder->pending = next;
    return unit;
}

std::int32_t NextUtf8(TextDecoder* decoder) {
    const int lead = ReadByte(decoder);
    if (lead < 0x80) return lead;
    const int extra = Utf8ContinuationCount(static_cast<unsigned char>(lead));
    if (extra < 0) return 0xFFFD;
    char32_t c = Utf8LeadBits(static_cast<unsigned char>(lead), extra);
    for (int k = 0; k < extra; ++k) {
        const int byte = ReadByte(decoder);
        if (byte < 0 || (byte & 0xC0) != 0x80) {
            // The byte that broke the sequence may start the next character.
            decoder->pending = byte;
            return 0xFFFD;
        }
        c = c << 6 | (byte & 0x3F);
    }
    return IsUtf8Character(c, extra) ? static_cast<std::int32_t>(c) : 0xFFFD;
}

}  // namespace

bool StartDecoding(std::FILE* file, TextDecoder* decoder) {
    decoder->file = file;
    decoder->pending = -1;
    decoder->encoding = TextEncoding::Utf16LittleEndian;
    unsigned char mark[3] = {};
    const std::size_t got = std::fread(mark, 1, 3, file);
    long markLength = 0;
    if (got >= 2 && mark[0] == 0xFE && mark[1] == 0xFF) return false;
    if (got >= 2 && mark[0] == 0xFF && mark[1] == 0xFE) {
        markLength = 2;
    } else if (got == 3 && mark[0] == 0xEF && mark[1] == 0xBB && mark[2] == 0xBF) {
        markLength = 3;
        decoder->encoding = TextEncoding::Utf8;
    }
    return std::fseek(file, markLength, SEEK_SET) == 0;
}

std::int32_t NextCharacter(TextDecoder* decoder) {
    return decoder->encoding == TextEncoding::Utf8 ? NextUtf8(decoder) : NextUtf16(decoder);
}
