#pragma once
// Where a bitmap shows its key colour, for the region builder's tests and its bench.

// True outside a rounded rectangle of the given corner radius (the corners' cut-away pixels).
inline auto RoundedCorners(int width, int height, int radius) {
    return [=](int x, int y) {
        const int cx = x < radius            ? radius - 1 - x
                       : x >= width - radius ? x - (width - radius)
                                             : -1;
        const int cy = y < radius             ? radius - 1 - y
                       : y >= height - radius ? y - (height - radius)
                                              : -1;
        return cx >= 0 && cy >= 0 && cx * cx + cy * cy > radius * radius;
    };
}
