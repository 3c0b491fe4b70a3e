#pragma once
// The receiver of the input mapping's game commands: the world, or a test's recorder.

#include "game/GameCommand.h"

// Where the commands go, and how window pixels become the interface's.
class CommandSink {
public:
    virtual ~CommandSink() = default;
    virtual void Execute(const GameCommand& command) = 0;
    // Window pixels (SDL's, y counting down from the top) to the interface's (y counting up
    // from the bottom of the view).
    virtual void ToInterface(int& x, int& y) const = 0;
    // F12: a screenshot of the next frame. Receivers without a picture ignore it.
    virtual void Screenshot() {}
};
