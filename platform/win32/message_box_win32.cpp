#include "platform/message_box.h"

#include <windows.h>

void ShowMessage(void* owner, const wchar_t* text, const wchar_t* caption) {
    if (IsRecordingMessages()) {
        RememberMessage(text, caption);
        return;
    }
    MessageBoxW(static_cast<HWND>(owner), text, caption, MB_OK);
}

bool AskYesNo(void* owner, const wchar_t* text, const wchar_t* caption) {
    if (IsRecordingMessages()) {
        RememberMessage(text, caption);
        return RecordedAnswer();
    }
    return MessageBoxW(static_cast<HWND>(owner), text, caption, MB_YESNO) == IDYES;
}
