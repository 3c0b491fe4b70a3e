#pragma once
// The program: start-up, the main loop, shutdown.

class ShooterWorld;

// One pass of the loop: update when due, render, hand every pending SDL event to the world.
class CUpdateTimer;
void RunLoopPass(ShooterWorld& world, CUpdateTimer& timer);

// Creates and initialises the world, runs the loop until it quits, shuts it down and destroys
// it. Returns the process's exit status, always 1.
int RunGame();
