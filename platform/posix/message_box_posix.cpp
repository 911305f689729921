#include "platform/message_box.h"

#include <cstdio>

#include "platform/posix/utf8_path.h"

void ShowMessage(void*, const wchar_t* text, const wchar_t* caption) {
    RememberMessage(text, caption);
    std::fprintf(stderr, "[%s] %s\n", ToUtf8(caption).c_str(), ToUtf8(text).c_str());
}

bool AskYesNo(void* owner, const wchar_t* text, const wchar_t* caption) {
    ShowMessage(owner, text, caption);
    return RecordedAnswer();
}
