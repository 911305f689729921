// The file of one puzzle in progress: UTF-8 text, one field a line, each line ending in a line
// feed (a carriage return before it is allowed when reading), numbers in decimal:
//
//   Tesselon puzzle in progress 1          the version is the last word
//   picture C:\Pictures\Lighthouse.jpg     the picture's path
//   identity 184320 133578123456789012     its size in bytes and last-write time (host units)
//   cut 64 1714070000 5 6                  cell size, generator state before the cut, rows, columns
//   table 720 540                          the table's width and height
//   view 1.125 0 -12.5 0 1.125 40          the view's first two rows, table units a canvas pixel
//   grey 128
//   scale 1
//   stretch 0                              the contrast stretch of FITS and PDS pictures, off or on
//   played 754000                          milliseconds of play
//   groups 29                              then that many groups, bottom of the drawing order first:
//   group 301 190 -25 -17 2                x, y, the members' shift from their homes, member count
//   1001                                   one member's piece id a line
//   1002
//   end
//
// Reading refuses the whole file for anything else: another version, a missing or extra line, a
// number out of range, a line longer than 1024 bytes, a NUL byte, or member ids that do not name
// every piece of the grid exactly once.
#include "progress/progress_file.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <string>

#include "platform/open_file.h"
#include "platform/replace_file.h"
#include "platform/utf8_rules.h"
#include "progress/puzzle_arrangement.h"
#include "render/view.h"
#include "ui/utf16.h"

namespace {

constexpr char kFirstLine[] = "Tesselon puzzle in progress 1";
constexpr std::size_t kLongestLine = 1024;
// The longest file a record can give: its settings, then for each of at most kMostRecordedPieces
// pieces a group of its own ("group" and five numbers of at most eleven characters, each after a
// space) and its id. Anything longer is not a file this program wrote.
constexpr std::int64_t kLongestGroupLine = 5 + 5 * 12 + 1;
constexpr std::int64_t kLongestIdLine = 11;
constexpr long kLargestFile{16 * kLongestLine + kMostRecordedPieces * (kLongestGroupLine + kLongestIdLine)};
constexpr std::int64_t kLongestPlay = 1000LL * 60 * 60 * 24 * 365 * 100;

// ---- writing ----

struct Output {
    std::FILE* file = nullptr;
    char buffer[1 << 16];
    std::size_t used = 0;
    bool ok = true;
};

void Flush(Output* out) {
    if (out->used > 0 && std::fwrite(out->buffer, 1, out->used, out->file) != out->used) out->ok = false;
    out->used = 0;
}

void Put(Output* out, const char* text, std::size_t length) {
    if (out->used + length > sizeof(out->buffer)) Flush(out);
    if (length > sizeof(out->buffer)) {
        out->ok = false;
        return;
    }
    std::memcpy(out->buffer + out->used, text, length);
    out->used += length;
}

void Put(Output* out, const char* text) { Put(out, text, std::strlen(text)); }

// Numbers are most of a large file: written without the formatter.
void PutDecimal(Output* out, std::int64_t value) {
    char digits[24];
    char* end = digits + sizeof(digits);
    char* at = end;
    std::uint64_t magnitude = value < 0 ? 0u - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    do {
        *--at = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) *--at = '-';
    Put(out, at, static_cast<std::size_t>(end - at));
}

void PutNumber(Output* out, std::int64_t value) {
    Put(out, " ", 1);
    PutDecimal(out, value);
}

void PutIdLine(Output* out, std::int32_t id) {
    PutDecimal(out, id);
    Put(out, "\n", 1);
}

void PutField(Output* out, const char* name, std::initializer_list<std::int64_t> values) {
    Put(out, name);
    for (const std::int64_t value : values) PutNumber(out, value);
    Put(out, "\n");
}

// False for a lone surrogate, which has no UTF-8 form to read back.
bool PathToUtf8(const wchar_t* path, std::string* text) {
    for (; *path != L'\0'; ++path) {
        char32_t c = static_cast<char32_t>(*path);
        if (sizeof(wchar_t) == 2 && c >= 0xD800 && c <= 0xDBFF && path[1] >= 0xDC00 && path[1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(*++path) - 0xDC00);
        }
        if (!IsCharacterCode(c)) return false;
        AppendUtf8(*text, c);
    }
    return true;
}

bool PutRecord(Output* out, const PuzzleRecord& record) {
    std::string path;
    if (!PathToUtf8(record.picturePath, &path) || path.size() > kLongestLine - 16) return false;
    Put(out, kFirstLine);
    Put(out, "\npicture ");
    Put(out, path.c_str());
    Put(out, "\n");
    PutField(out, "identity", {record.picture.size, record.picture.lastWrite});
    Put(out, "cut");
    PutNumber(out, record.cellSize);
    char seed[32];
    Put(out, seed, static_cast<std::size_t>(std::snprintf(seed, sizeof(seed), " %llu", static_cast<unsigned long long>(record.seed))));
    PutField(out, "", {record.rows, record.columns});
    PutField(out, "table", {record.tableWidth, record.tableHeight});
    Put(out, "view");
    for (const auto& row : record.view) {
        for (const double value : row) {
            char number[40];
            Put(out, number, static_cast<std::size_t>(std::snprintf(number, sizeof(number), " %.17g", value)));
        }
    }
    Put(out, "\n");
    PutField(out, "grey", {record.backgroundGrey});
    PutField(out, "scale", {record.pixelScale});
    PutField(out, "stretch", {record.contrastStretch});
    PutField(out, "played", {record.playedMs});
    PutField(out, "groups", {record.groupCount});
    std::int64_t member = 0;
    for (std::int32_t g = 0; g < record.groupCount; ++g) {
        const GroupRecord& group = record.groups[g];
        PutField(out, "group", {group.x, group.y, group.shiftX, group.shiftY, group.memberCount});
        for (std::int32_t m = 0; m < group.memberCount; ++m) PutIdLine(out, record.members[member++]);
    }
    Put(out, "end\n");
    Flush(out);
    return out->ok;
}

bool PutProgress(std::FILE* file, const void* record) {
    std::unique_ptr<Output> out(new (std::nothrow) Output);
    if (out == nullptr) return false;
    out->file = file;
    return PutRecord(out.get(), *static_cast<const PuzzleRecord*>(record));
}

// ---- reading ----

struct Input {
    const char* at;
    const char* end;
};

struct Line {
    const char* text;
    std::size_t length;
};

// False at the end of the bytes, for a line without its line feed, a line too long, or a NUL.
bool NextLine(Input* in, Line* line) {
    const std::size_t left = static_cast<std::size_t>(in->end - in->at);
    const auto* feed = static_cast<const char*>(std::memchr(in->at, '\n', left < kLongestLine + 1 ? left : kLongestLine + 1));
    if (feed == nullptr) return false;
    line->text = in->at;
    line->length = static_cast<std::size_t>(feed - in->at);
    in->at = feed + 1;
    if (line->length > 0 && line->text[line->length - 1] == '\r') --line->length;
    return std::memchr(line->text, '\0', line->length) == nullptr;
}

// Cuts the next space-separated word off the line.
bool NextWord(Line* line, Line* word) {
    if (line->length == 0) return false;
    const auto* space = static_cast<const char*>(std::memchr(line->text, ' ', line->length));
    word->text = line->text;
    word->length = space != nullptr ? static_cast<std::size_t>(space - line->text) : line->length;
    const std::size_t taken = space != nullptr ? word->length + 1 : word->length;
    line->text += taken;
    line->length -= taken;
    return word->length > 0;
}

bool IsWord(const Line& word, const char* expected) {
    return word.length == std::strlen(expected) && std::memcmp(word.text, expected, word.length) == 0;
}

// Decimal digits with an optional minus sign, at most 19 digits, within low … high.
bool ParseInteger(const Line& word, std::int64_t low, std::int64_t high, std::int64_t* value) {
    const bool negative = word.length > 0 && word.text[0] == '-';
    const std::size_t digits = word.length - (negative ? 1 : 0);
    if (digits == 0 || digits > 19) return false;
    std::uint64_t magnitude = 0;
    for (std::size_t i = negative ? 1 : 0; i < word.length; ++i) {
        if (word.text[i] < '0' || word.text[i] > '9') return false;
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(word.text[i] - '0');
    }
    if (magnitude > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) return false;
    *value = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    return *value >= low && *value <= high;
}

bool ParseUnsigned(const Line& word, std::uint64_t* value) {
    if (word.length == 0 || word.length > 20) return false;
    std::uint64_t total = 0;
    for (std::size_t i = 0; i < word.length; ++i) {
        const char c = word.text[i];
        const std::uint64_t digit = static_cast<std::uint64_t>(c - '0');
        if (c < '0' || c > '9' || total > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) return false;
        total = total * 10 + digit;
    }
    *value = total;
    return true;
}

bool ParseDouble(const Line& word, double* value) {
    char text[40];
    if (word.length == 0 || word.length >= sizeof(text)) return false;
    std::memcpy(text, word.text, word.length);
    text[word.length] = '\0';
    char* end = nullptr;
    *value = std::strtod(text, &end);
    return end == text + word.length && std::isfinite(*value);
}

struct Bounds {
    std::int64_t low;
    std::int64_t high;
};

// A line of `name` followed by exactly one integer for each of `bounds`, each within its own.
bool ReadField(Input* in, const char* name, std::initializer_list<Bounds> bounds, std::int64_t* values) {
    Line line;
    Line word;
    if (!NextLine(in, &line) || !NextWord(&line, &word) || !IsWord(word, name)) return false;
    for (const Bounds& b : bounds) {
        if (!NextWord(&line, &word) || !ParseInteger(word, b.low, b.high, values++)) return false;
    }
    return line.length == 0;
}

template <typename Narrow>
Narrow As(std::int64_t value) {
    return static_cast<Narrow>(value);
}

bool ReadPicture(Input* in, PuzzleRecord* record) {
    Line line;
    Line word;
    if (!NextLine(in, &line) || !IsWord(line, kFirstLine)) return false;
    if (!NextLine(in, &line) || !NextWord(&line, &word) || !IsWord(word, "picture")) return false;
    std::wstring wide;
    const auto* at = reinterpret_cast<const unsigned char*>(line.text);
    const unsigned char* end = at + line.length;
    while (at < end) {
        char32_t c = 0;
        if (*at < 0x20 || !NextUtf8Character(&at, end, &c)) return false;
        wchar_t units[2];
        wide.append(units, static_cast<std::size_t>(ToWide(c, units)));
    }
    if (wide.empty() || wide.size() >= static_cast<std::size_t>(kPathCapacity)) return false;
    std::wmemcpy(record->picturePath, wide.c_str(), wide.size() + 1);
    std::int64_t identity[2];
    if (!ReadField(in, "identity", {{0, INT64_MAX}, {INT64_MIN, INT64_MAX}}, identity)) return false;
    record->picture.size = identity[0];
    record->picture.lastWrite = identity[1];
    return true;
}

bool ReadCut(Input* in, PuzzleRecord* record) {
    Line line;
    Line word;
    std::int64_t value = 0;
    if (!NextLine(in, &line) || !NextWord(&line, &word) || !IsWord(word, "cut")) return false;
    if (!NextWord(&line, &word) || !ParseInteger(word, 8, 16384, &value)) return false;
    record->cellSize = As<std::int32_t>(value);
    if (!NextWord(&line, &word) || !ParseUnsigned(word, &record->seed)) return false;
    if (!NextWord(&line, &word) || !ParseInteger(word, 1, INT32_MAX, &value)) return false;
    record->rows = As<std::int32_t>(value);
    if (!NextWord(&line, &word) || !ParseInteger(word, 1, INT32_MAX, &value)) return false;
    record->columns = As<std::int32_t>(value);
    return line.length == 0 && RecordedPieces(*record) <= kMostRecordedPieces;
}

// The view as the view itself would take it: finite, uniformly scaled, with a finite inverse.
bool ReadView(Input* in, PuzzleRecord* record) {
    Line line;
    Line word;
    if (!NextLine(in, &line) || !NextWord(&line, &word) || !IsWord(word, "view")) return false;
    for (auto& row : record->view) {
        for (double& value : row) {
            if (!NextWord(&line, &word) || !ParseDouble(word, &value)) return false;
        }
    }
    return line.length == 0 && IsViewTransform(record->view) && std::isfinite(1 / record->view[0][0]);
}

bool ReadSettings(Input* in, PuzzleRecord* record) {
    std::int64_t values[2];
    if (!ReadCut(in, record) || !ReadField(in, "table", {{1, INT32_MAX}, {1, INT32_MAX}}, values)) return false;
    record->tableWidth = As<std::int32_t>(values[0]);
    record->tableHeight = As<std::int32_t>(values[1]);
    if (!ReadView(in, record) || !ReadField(in, "grey", {{0, 255}}, values)) return false;
    record->backgroundGrey = As<std::int16_t>(values[0]);
    if (!ReadField(in, "scale", {{1, 2}}, values)) return false;
    record->pixelScale = As<std::int16_t>(values[0]);
    if (!ReadField(in, "stretch", {{0, 1}}, values)) return false;
    record->contrastStretch = As<std::int16_t>(values[0]);
    if (!ReadField(in, "played", {{0, kLongestPlay}}, values)) return false;
    record->playedMs = values[0];
    return ReadField(in, "groups", {{1, RecordedPieces(*record)}}, values) && AllocateRecord(record, As<std::int32_t>(values[0]));
}

// A group off the table lies more than the table's width or height beyond its edges.
bool ReadGroups(Input* in, PuzzleRecord* record) {
    const std::int64_t w = record->tableWidth;
    const std::int64_t h = record->tableHeight;
    const std::int64_t pieces = RecordedPieces(*record);
    std::int64_t member = 0;
    for (std::int32_t g = 0; g < record->groupCount; ++g) {
        std::int64_t v[5];
        if (!ReadField(in, "group", {{-w, 2 * w}, {-h, 2 * h}, {INT32_MIN, INT32_MAX}, {INT32_MIN, INT32_MAX}, {1, pieces - member}}, v)) return false;
        record->groups[g] = GroupRecord{As<std::int32_t>(v[0]), As<std::int32_t>(v[1]), As<std::int32_t>(v[2]), As<std::int32_t>(v[3]), As<std::int32_t>(v[4])};
        for (std::int64_t m = 0; m < v[4]; ++m) {
            Line line;
            std::int64_t id = 0;
            if (!NextLine(in, &line) || !ParseInteger(line, 1, INT32_MAX, &id)) return false;
            record->members[member++] = As<std::int32_t>(id);
        }
    }
    Line line;
    return member == pieces && NextLine(in, &line) && IsWord(line, "end") && in->at == in->end;
}

void ReleaseArrays(PuzzleRecord* record) {
    record->groupCount = 0;
    record->groups.reset();
    record->members.reset();
}

}  // namespace

bool WriteProgressFile(const wchar_t* path, const PuzzleRecord& record) { return RewriteFile(path, PutProgress, &record); }

bool ParseProgress(const char* bytes, std::size_t size, PuzzleRecord* record) {
    Input in{bytes, bytes + size};
    if (ReadPicture(&in, record) && ReadSettings(&in, record) && ReadGroups(&in, record) && MembersValid(*record)) return true;
    ReleaseArrays(record);
    return false;
}

bool ReadProgressFile(const wchar_t* path, PuzzleRecord* record) {
    std::FILE* file = OpenFileByPath(path, "rb");
    if (file == nullptr) return false;
    std::unique_ptr<char[]> bytes;
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0 && (size = std::ftell(file)) > 0 && size <= kLargestFile &&
        std::fseek(file, 0, SEEK_SET) == 0) {
        bytes.reset(new (std::nothrow) char[static_cast<std::size_t>(size)]);
    }
    const bool read = bytes != nullptr && std::fread(bytes.get(), 1, static_cast<std::size_t>(size), file) == static_cast<std::size_t>(size);
    std::fclose(file);
    return read && ParseProgress(bytes.get(), static_cast<std::size_t>(size), record);
}
