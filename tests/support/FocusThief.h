#pragma once
// Another window on the test's display that takes the keyboard focus away from the game, as
// when the player switches to another program. Removed when the object goes.

class FocusThief {
public:
    // Maps a small window and gives it the input focus; Active() is false when it could not.
    FocusThief();
    ~FocusThief();
    bool Active() const { return m_display != nullptr; }

private:
    void* m_display = nullptr;  // Display*, kept opaque so that tests need no X11 headers
    unsigned long m_window = 0;
};
