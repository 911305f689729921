#include "render/frame_threads.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

constexpr std::int32_t kMaxFrameThreads = 8;

std::int32_t MachineThreads() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<std::int32_t>(std::min<unsigned>(cores, kMaxFrameThreads));
}

// The helpers and the one frame they work on. Everything below is guarded by `mutex`; a band's
// work runs outside it.
struct HelperPool {
    std::mutex mutex;
    std::condition_variable workReady;
    std::condition_variable bandsFinished;
    std::thread helpers[kMaxFrameThreads - 1];
    std::int32_t started = 0;
    BandWork work = nullptr;
    void* context = nullptr;
    std::int32_t helpersWanted = 0;  // helpers with a lower index may take bands of this frame
    std::int32_t bandCount = 0;
    std::int32_t nextBand = 0;
    std::int32_t bandsDone = 0;
    bool stopping = false;

    HelperPool() = default;
    HelperPool(const HelperPool&) = delete;
    HelperPool& operator=(const HelperPool&) = delete;
    ~HelperPool();
};

HelperPool g_pool;

// Takes the next band of the frame and runs it, with the lock held on entry and on return; false
// when no band is left.
bool RunNextBand(std::unique_lock<std::mutex>* hold) {
    if (g_pool.nextBand >= g_pool.bandCount) return false;
    const std::int32_t band = g_pool.nextBand++;
    const BandWork work = g_pool.work;
    void* const context = g_pool.context;
    hold->unlock();
    work(context, band);
    hold->lock();
    if (++g_pool.bandsDone == g_pool.bandCount) g_pool.bandsFinished.notify_one();
    return true;
}

void HelperLoop(std::int32_t index) {
    std::unique_lock<std::mutex> hold(g_pool.mutex);
    for (;;) {
        g_pool.workReady.wait(hold, [index] {
            return g_pool.stopping || (index < g_pool.helpersWanted && g_pool.nextBand < g_pool.bandCount);
        });
        if (g_pool.stopping) return;
        while (index < g_pool.helpersWanted && RunNextBand(&hold)) {
        }
    }
}

HelperPool::~HelperPool() {
    {
        std::lock_guard<std::mutex> hold(mutex);
        stopping = true;
    }
    workReady.notify_all();
    for (std::int32_t i = 0; i < started; ++i) helpers[i].join();
}

// Starts helpers until `wanted` run; the standard library reports a thread it could not start
// only by throwing, and the frame then makes do with those already running.
std::int32_t StartHelpers(std::int32_t wanted) {
    try {
        while (g_pool.started < wanted) {
            g_pool.helpers[g_pool.started] = std::thread(HelperLoop, g_pool.started);
            ++g_pool.started;
        }
    } catch (const std::system_error&) {
    }
    return g_pool.started;
}

}  // namespace

std::int32_t g_frameThreads = MachineThreads();

void RunBands(BandWork work, void* context, std::int32_t bandCount) {
    const std::int32_t wanted = std::min(std::clamp(g_frameThreads, 1, kMaxFrameThreads) - 1, bandCount - 1);
    const std::int32_t helpers = wanted > 0 ? std::min(StartHelpers(wanted), wanted) : 0;
    if (helpers == 0) {
        for (std::int32_t band = 0; band < bandCount; ++band) work(context, band);
        return;
    }
    std::unique_lock<std::mutex> hold(g_pool.mutex);
    g_pool.work = work;
    g_pool.context = context;
    g_pool.helpersWanted = helpers;
    g_pool.bandCount = bandCount;
    g_pool.nextBand = 0;
    g_pool.bandsDone = 0;
    g_pool.workReady.notify_all();
    while (RunNextBand(&hold)) {
    }
    g_pool.bandsFinished.wait(hold, [] { return g_pool.bandsDone == g_pool.bandCount; });
    g_pool.helpersWanted = 0;
}
