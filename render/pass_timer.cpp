#include "render/pass_timer.h"

#include <GL/glew.h>

void createPassTimer(PassTimer& timer) {
    timer = PassTimer{};
    glGenQueries(PassTimer::frameSlots * renderPassCount, &timer.queries[0][0]);
}

void beginPass(PassTimer* timer, RenderPass pass) {
    if (!timer) return;
    const int index = static_cast<int>(pass);
    glBeginQuery(GL_TIME_ELAPSED, timer->queries[timer->slot][index]);
    timer->issued[timer->slot][index] = true;
}

void endPass(PassTimer* timer) {
    if (timer) glEndQuery(GL_TIME_ELAPSED);
}

void finishTimedFrame(PassTimer* timer) {
    if (!timer) return;
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
