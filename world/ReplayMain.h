#pragma once
// The replay modes of the program, beside RunGame (GameMain.h).

#include <string>

class ShooterWorld;

// --replay FILE --verify: the verdict of ReplayVerifier on one line (standard output for a
// match, standard error otherwise) and as the exit status: 0 match, 1 differs, 2 unusable.
int VerifyReplay(const std::string& path);
// --replay FILE: the game opens its window and plays the replay; 0 once watched, 2 (with one
// line on standard error) when the file cannot be used.
int WatchReplay(const std::string& path);
// The title's "watchbest" command was given: the best run is watched in the world, which then
// returns to a fresh start. Nothing when no command is pending; one log line when there is
// no best run or it cannot be used.
void WatchRequestedRun(ShooterWorld* world);
// Shows the active layer's "watchbest" buttons only while a best run is kept.
void OfferBestRun(ShooterWorld* world);
