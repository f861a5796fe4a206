// SPDX-License-Identifier: MIT
// Linked ahead of the platform library, this takes the place of the Fontconfig
// read-ahead, so that bench/fontwarmup.sh can time Amorial without it.
#include "platform/FontWarmUp.h"

void platform::warmUpFontConfiguration() {}
