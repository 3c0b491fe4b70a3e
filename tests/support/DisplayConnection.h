#pragma once
// One X connection that a test program keeps open from its first use until it ends.
//
// The X server resets itself whenever its last client leaves, and a client that connects
// while the reset runs is dropped. SDL 1.2 connects twice in a row when it starts (once to see
// whether X11 is there, once to use it), so a program that is the display's only client - a
// drawing test, or the game started by an end-to-end test - empties the server between the
// two and now and then loses the second connection ("Couldn't open X11 display"). While this
// connection stays open the server is never empty, so it cannot reset under a test.
class DisplayConnection {
public:
    // Opens the connection once per process, trying again for up to timeoutMs while the
    // server is still resetting after the previous program; true when it is open. False at
    // once when DISPLAY is not set.
    static bool Hold(int timeoutMs = 10000);
    // The default screen's size in pixels, as the X server reports it; false without a
    // connection.
    static bool ScreenSize(int& width, int& height);
};
