#pragma once

// How the file readers refuse a file: a message box with the path as its text and the complaint
// as its caption. Always false, so a reader can return it.
bool RefuseFile(const wchar_t* path, const wchar_t* caption);
