// SPDX-License-Identifier: MIT
#include "about/frmAbout.h"

void frmAbout::ShowModal() {}
