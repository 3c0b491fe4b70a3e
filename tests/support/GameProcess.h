#pragma once
// Runs the real glimmerax binary in a data folder on the virtual display and drives it like a
// player: keys and clicks through xdotool, screenshots through ImageMagick's import, the log
// from its standard error, and its exit status.

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "support/GLWindow.h"
#include "support/TempDir.h"

class GameProcess {
public:
    // Holds the test program's own display connection (support/DisplayConnection.h) before
    // any test changes DISPLAY for the game alone.
    GameProcess();
    // Kills the game if it still runs.
    ~GameProcess();

    // Starts the binary with directory as working directory; its log goes to a file. The
    // game keeps its best scores and its settings under a folder of this object's own
    // (XDG_DATA_HOME, and XDG_CONFIG_HOME below it), never in the user's, unless
    // SetEnvironment named another.
    bool Start(const std::string& directory);
    // Command-line arguments for the next Start (none unless set).
    void SetArguments(const std::vector<std::string>& arguments) { m_arguments = arguments; }
    // Sets a variable of the game's environment for the next Start.
    void SetEnvironment(const std::string& name, const std::string& value);
    // The data and settings folders the game is given (XDG_DATA_HOME, XDG_CONFIG_HOME).
    const std::string& DataHome() const { return m_dataHome.Path(); }
    std::string ConfigHome() const { return m_dataHome.Path() + "/config"; }
    // Waits until the game's window exists and takes the keyboard focus; false on timeout.
    bool WaitForWindow(int timeoutMs = 10000);
    // Waits until the log contains text; false on timeout.
    bool WaitForLog(const std::string& text, int timeoutMs = 10000) const;
    // Presses and releases a key (xdotool key names: "Escape", "space", "Right", "n").
    void Key(const std::string& name);
    void KeyDown(const std::string& name);
    void KeyUp(const std::string& name);
    // Left click at window pixel (x, y) counted from the top-left corner.
    void Click(int x, int y);
    void MoveMouse(int x, int y);
    // Resizes the game's window as a window manager would (the game gets SDL_VIDEORESIZE).
    void Resize(int width, int height);
    // Captures the window; false when the capture failed.
    bool Screenshot();
    // Takes screenshots until shown() holds for the last one; false when it still does not
    // after timeoutMs. The last screenshot stays for Pixel and CountLit.
    bool WaitForScreen(const std::function<bool()>& shown, int timeoutMs = 10000);
    // A pixel of the last screenshot, (x, y) from the top-left corner.
    Rgba Pixel(int x, int y) const;
    // Count of pixels of the last screenshot inside the rectangle that differ from black.
    int CountLit(int x0, int y0, int x1, int y1) const;
    // Saves the last screenshot as a PNG (for people looking at failures).
    void SaveScreenshot(const std::string& path) const;
    // Waits for the process to end; its exit status, or -1 when it was still running (and
    // has been killed) or ended by a signal.
    int WaitExit(int timeoutMs = 10000);
    // Everything the game has logged so far.
    std::string Log() const;
    bool Running();
    // The game's process id (-1 before Start).
    pid_t Pid() const { return m_pid; }

    static void Sleep(int ms);
    // For the game's process, between fork and exec: unless the test chose an audio driver
    // (SDL_AUDIODRIVER), SDL's dummy driver takes the mixed sound and drops it, so every run
    // plays its sounds through the real mixer whatever sound hardware the machine has.
    static void UseQuietAudio();
    // Runs a shell command and returns its standard output ("" when it cannot start).
    static std::string RunCapture(const std::string& command);

private:
    void Xdotool(const std::string& arguments) const;

    TempDir m_dataHome;
    std::map<std::string, std::string> m_environment;
    std::vector<std::string> m_arguments;
    pid_t m_pid = -1;
    int m_exitStatus = -1;
    std::string m_window;
    std::string m_logPath;
    int m_width = 0;
    int m_height = 0;
    std::vector<uint8_t> m_pixels;  // RGB, rows from the top
};
