#include "platform/BrowserFrame.h"

#ifdef __EMSCRIPTEN__
#include <emscripten.h>

namespace {

// Counts the pass for the page (Module.framesShown, and Module.firstFrameTime in the page's
// milliseconds), then resolves on the next animation frame; Asyncify unwinds the program
// while it waits.
EM_ASYNC_JS(void, WaitForAnimationFrame, (), {
    if (!Module['framesShown']) {
        Module['framesShown'] = 0;
        Module['firstFrameTime'] = performance.now();
    }
    Module['framesShown']++;
    await new Promise(resolve => requestAnimationFrame(resolve));
});

}  // namespace
#endif

namespace platform {

void YieldToBrowser() {
#ifdef __EMSCRIPTEN__
    WaitForAnimationFrame();
#endif
}

}  // namespace platform
