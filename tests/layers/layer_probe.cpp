// SPDX-License-Identifier: MIT
// Compiled with exactly what the entry window's library links. The entry
// window must not see the result window, so this include must not be found.
#include "result/frmDisplay.h"
