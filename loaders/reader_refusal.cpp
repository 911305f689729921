#include "loaders/reader_refusal.h"

#include "platform/message_box.h"

bool RefuseFile(const wchar_t* path, const wchar_t* caption) {
    ShowMessage(nullptr, path, caption);
    return false;
}
