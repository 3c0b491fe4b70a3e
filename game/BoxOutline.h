#pragma once
// Debug outline of an actor's box: a closed opaque green line loop at depth 1.

class BoundingBox;

void DrawBoxOutline(const BoundingBox& box);
