#pragma once

#include <functional>
#include <string>
#include <vector>

// The modal message box with an OK button and no icon, through which the readers and dialogs
// tell the player what went wrong. On Windows it is MessageBoxW; elsewhere the text goes to
// standard error. Either way the message can be recorded, so tests can see what the player saw.
void ShowMessage(void* owner, const wchar_t* text, const wchar_t* caption);

// The modal question with Yes and No buttons and no icon; true for Yes. While recording is on it
// is remembered like a message and answered with the answer given to AnswerQuestions (No until
// told otherwise, as a run without questions went), so a test can choose either branch without a
// click.
bool AskYesNo(void* owner, const wchar_t* text, const wchar_t* caption);
void AnswerQuestions(bool yes);
bool RecordedAnswer();

struct ShownMessage {
    std::wstring text;
    std::wstring caption;
};

// While recording is on, shown messages are remembered; on Windows no box opens then, so a test
// never waits for a click. Off from start-up on Windows, on from start-up elsewhere.
void RecordMessages(bool on);
bool IsRecordingMessages();
void RememberMessage(const wchar_t* text, const wchar_t* caption);
const std::vector<ShownMessage>& ShownMessages();
void ForgetShownMessages();
// Called with each recorded message, as if while its box were up: a box's loop goes on
// dispatching the messages of the windows behind it, and a test acts there as a player could.
void WatchShownMessages(std::function<void(const ShownMessage&)> watcher);
