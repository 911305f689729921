#include "platform/message_box.h"

#include <windows.h>

// A box without an owner leaves the window that started the action taking input behind it: a
// reader's refusal, shown in the middle of a load, would let the player start another load from
// the dialog. Such a box belongs to the thread's active window, which it disables while it is up.
void ShowMessage(void* owner, const wchar_t* text, const wchar_t* caption) {
    if (IsRecordingMessages()) {
        RememberMessage(text, caption);
        return;
    }
    HWND window = owner != nullptr ? static_cast<HWND>(owner) : GetActiveWindow();
    MessageBoxW(window, text, caption, MB_OK);
}

bool AskYesNo(void* owner, const wchar_t* text, const wchar_t* caption) {
    if (IsRecordingMessages()) {
        RememberMessage(text, caption);
        return RecordedAnswer();
    }
    return MessageBoxW(static_cast<HWND>(owner), text, caption, MB_YESNO) == IDYES;
}
