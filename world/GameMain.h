#pragma once
// The program: start-up, the main loop, shutdown.

class CUpdateTimer;
class FramePacer;
class ShooterWorld;

// One pass of the loop: update when due, render, hand every pending SDL event to the world.
// It never sleeps; in the browser it ends by yielding until the next animation frame.
void RunLoopPass(ShooterWorld* world, CUpdateTimer& timer);
// The same pass under a frame-rate cap: first sleeps while neither a frame nor an update is
// due, and renders only when a frame is due. An uncapped pacer makes it the pass above.
void RunLoopPass(ShooterWorld* world, CUpdateTimer& timer, FramePacer& pacer);

// Creates and initialises the world, runs the loop until it quits, shuts it down and destroys
// it. Returns the process's exit status, always 1.
int RunGame();
