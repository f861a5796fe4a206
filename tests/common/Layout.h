// SPDX-License-Identifier: MIT
// Design measures are in twips; 15 make one pixel.
#pragma once

#include <cmath>

inline int twipsToPixels(int twips)
{
    return int(std::lround(twips / 15.0));
}
