#include "tests/support/real_world.h"

#include <cstdlib>

#include "app/frame.h"
#include "game/world.h"
#include "tests/support/gl_context.h"
#include "tools/bench/scenarios.h"

void setUpRealWorld(FrameContext& context) {
    world = World{};
    std::srand(1);
    setUpGame(context, sharedGlContext());
    updateOrbitSphere(0.0f);
    rememberStartState();
}
