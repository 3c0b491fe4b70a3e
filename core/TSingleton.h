#pragma once
// Process-wide single instance of T, created with new on first use. Only the world is ever
// destroyed; the other singletons live until the process ends.

template <typename T>
class TSingleton {
public:
    // Creates the instance on the first call; returns the same pointer on every call.
    static T* GetInstance() {
        if (!s_instance) {
            s_instance = new T();
        }
        return s_instance;
    }

    // Deletes the instance, if any, and forgets it, so the next GetInstance makes a new one.
    static void DestroyInstance() {
        if (s_instance) {
            delete s_instance;
            s_instance = nullptr;
        }
    }

private:
    static inline T* s_instance = nullptr;
};
