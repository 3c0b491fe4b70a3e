#include "platform/DebugOutput.h"

#include "platform/SystemServices.h"

void OutputDebugStringA(const char* text) {
    platform::SystemDebugOutput(text);
}
