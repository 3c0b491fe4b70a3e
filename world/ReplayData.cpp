#include "world/ReplayData.h"

uint64_t Replay::UpdateCount() const {
    uint64_t count = 0;
    for (const ReplayUpdate& update : updates) {
        count += update.repeat;
    }
    return count;
}
