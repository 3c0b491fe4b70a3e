#include "platform/DebugOutput.h"

void OutputDebugStringA(const char* /*text*/) {}
