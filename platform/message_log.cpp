#include "platform/message_box.h"

namespace {

#ifdef _WIN32
bool g_recordingMessages = false;
#else
bool g_recordingMessages = true;
#endif

bool g_recordedAnswer = false;

std::vector<ShownMessage>& Log() {
    static std::vector<ShownMessage> log;
    return log;
}

}  // namespace

void RecordMessages(bool on) { g_recordingMessages = on; }

bool IsRecordingMessages() { return g_recordingMessages; }

void AnswerQuestions(bool yes) { g_recordedAnswer = yes; }

bool RecordedAnswer() { return g_recordedAnswer; }

void RememberMessage(const wchar_t* text, const wchar_t* caption) {
    if (g_recordingMessages) Log().push_back({text, caption});
}

const std::vector<ShownMessage>& ShownMessages() { return Log(); }

void ForgetShownMessages() {
    Log().clear();
    Log().shrink_to_fit();
}
