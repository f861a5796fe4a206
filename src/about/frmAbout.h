// SPDX-License-Identifier: MIT
// Placeholder About window until the real one lands.
#pragma once

class frmAbout
{
public:
    // Builds the About window afresh and shows it modally; returns once it is closed.
    static void ShowModal();
};
