#include "platform/message_box.h"

#include <utility>

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

std::function<void(const ShownMessage&)>& Watcher() {
    static std::function<void(const ShownMessage&)> watcher;
    return watcher;
}

}  // namespace

void RecordMessages(bool on) { g_recordingMessages = on; }

bool IsRecordingMessages() { return g_recordingMessages; }

void AnswerQuestions(bool yes) { g_recordedAnswer = yes; }

bool RecordedAnswer() { return g_recordedAnswer; }

void RememberMessage(const wchar_t* text, const wchar_t* caption) {
    if (!g_recordingMessages) return;
    Log().push_back({text, caption});
    // A copy: what the watcher does may show more messages and move the log.
    const ShownMessage shown = Log().back();
    if (Watcher()) Watcher()(shown);
}

const std::vector<ShownMessage>& ShownMessages() { return Log(); }

void WatchShownMessages(std::function<void(const ShownMessage&)> watcher) { Watcher() = std::move(watcher); }

void ForgetShownMessages() {
    Log().clear();
    Log().shrink_to_fit();
}
