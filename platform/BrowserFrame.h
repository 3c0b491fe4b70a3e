#pragma once
// The game loop's hand-over to the browser in the web release. A page's program must give
// the browser control after every frame, or the canvas never shows it and the page hangs;
// the loops call this at the end of each pass.

namespace platform {

// In the browser: shows the frame just drawn and returns on the browser's next animation
// frame (the program's stack is kept meanwhile, by Asyncify). Elsewhere: returns at once.
void YieldToBrowser();

}  // namespace platform
