#include "render/pass_timer.h"

#include <GL/glew.h>

#include <chrono>

void finishGpuWork() { glFinish(); }

double steadyClockSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void createPassTimer(PassTimer& timer, bool exact) {
    timer = PassTimer{};
    timer.exact = exact;
    glGenQueries(PassTimer::frameSlots * renderPassCount, &timer.queries[0][0]);
}

void beginPass(PassTimer* timer, RenderPass pass) {
    if (!timer) return;
    const int index = static_cast<int>(pass);
    if (timer->exact) {
        timer->waitForGpu();
        timer->exactPass = index;
        timer->exactStart = timer->readClock();
        return;
    }
    glBeginQuery(GL_TIME_ELAPSED, timer->queries[timer->slot][index]);
    timer->issued[timer->slot][index] = true;
}

void endPass(PassTimer* timer) {
    if (!timer) return;
    if (!timer->exact) {
        glEndQuery(GL_TIME_ELAPSED);
        return;
    }
    timer->waitForGpu();
    timer->exactMs[timer->exactPass] += (timer->readClock() - timer->exactStart) * 1e3;
}

namespace {
// The exact times are this frame's own: nothing to wait for.
void takeExactFrame(PassTimer& timer) {
    for (int pass = 0; pass < renderPassCount; ++pass) {
        timer.lastMs[pass] = timer.exactMs[pass];
        timer.sumMs[pass] += timer.exactMs[pass];
        timer.exactMs[pass] = 0.0;
    }
    timer.lastValid = true;
    timer.summedFrames += 1;
}
}  // namespace

void finishTimedFrame(PassTimer* timer) {
    if (!timer) return;
    if (timer->exact) {
        takeExactFrame(*timer);
        return;
    }
    timer->slot = (timer->slot + 1) % PassTimer::frameSlots;
    // The slot to be reused next holds the frame from two frames ago.
    unsigned* queries = timer->queries[timer->slot];
    bool* issued = timer->issued[timer->slot];
    bool ready = false;
    for (int pass = 0; pass < renderPassCount; ++pass) {
        if (!issued[pass]) continue;
        GLint available = 0;
        glGetQueryObjectiv(queries[pass], GL_QUERY_RESULT_AVAILABLE, &available);
        ready = available != 0;
        if (!ready) break;
    }
    timer->lastValid = ready;
    for (int pass = 0; pass < renderPassCount && ready; ++pass) {
        GLuint64 nanoseconds = 0;
        if (issued[pass]) glGetQueryObjectui64v(queries[pass], GL_QUERY_RESULT, &nanoseconds);
        timer->lastMs[pass] = static_cast<double>(nanoseconds) * 1e-6;
        timer->sumMs[pass] += timer->lastMs[pass];
    }
    if (ready) timer->summedFrames += 1;
    for (int pass = 0; pass < renderPassCount; ++pass) issued[pass] = false;
}

void takeAverages(PassTimer& timer, double (&averageMs)[renderPassCount]) {
    for (int pass = 0; pass < renderPassCount; ++pass) {
        averageMs[pass] = timer.summedFrames > 0 ? timer.sumMs[pass] / timer.summedFrames : 0.0;
        timer.sumMs[pass] = 0.0;
    }
    timer.summedFrames = 0;
}
