#pragma once
// Guided views: for a technique, a fixed and paused picture that shows it at work, with a few
// lines on what is seen, what to try and its formula. A guided view changes no setting; it keeps
// the game as it stood, and P or a view key gives it back.

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "game/world.h"
#include "view/camera.h"

struct GuidedView {
    const char* name;       // as --show names it and its console line ends
    const char* technique;  // the row of the table whose panel group has its button
    glm::vec3 (*target)();  // what the camera looks at, in the world as set up
    glm::vec3 eyeOffset;    // where the camera stands, from the target
    const char* lines[4];   // on the picture: what is seen, what to try, the formula; null ends
    bool marksLowDetail = false;  // rocks drawn with their low-detail model are marked
    Arrangement arrangement = Arrangement::None;  // its own objects, drawn only while it is shown
    bool fromOutside = false;     // seen by a camera of its own, outside the player's: its frustum as
                                  // lines, what it culls drawn marked
};

// The outside camera's field of view, degrees: fixed, whatever field_of_view says.
constexpr float outsideFieldOfView = 70.0f;

extern const std::vector<GuidedView> guidedViews;

// The view of this name, or null.
const GuidedView* findGuidedView(const std::string& name);
// The view of this technique (a row's name), or null.
const GuidedView* guidedViewOf(const char* technique);

// The objects, the camera and the orbit as they are, and whether the world was paused.
struct WorldSnapshot {
    std::vector<SceneObject> objects;  // copies of allObjects' entries, in order
    std::optional<Camera> camera;
    float orbitAngle = 0.0f;
    bool paused = false;
};
WorldSnapshot takeSnapshot();
void restoreSnapshot(const WorldSnapshot& snapshot);

struct GuidedState {
    const GuidedView* shown = nullptr;  // the view on screen, or null: the game
    bool textShown = true;              // its lines are drawn (H hides them)
    WorldSnapshot start;                // the world as set up: every view starts from it
    WorldSnapshot game;                 // the game as it stood when the view was entered
    std::optional<Camera> outside;      // the view's own camera, when it looks from outside
};
extern GuidedState guided;

// Keeps the world as set up now; call once after set-up.
void rememberWorldStart();
// Keeps the game (unless a view is shown already), puts the world as set up and paused, the free
// camera at the view's place looking at its target, and prints "Showing technique: NAME".
void showGuidedView(const GuidedView& view, std::ostream& out);
// Puts the game back as it stood when the first view was entered.
void leaveGuidedView();
