// SPDX-License-Identifier: MIT
#pragma once

// Keeps Qt's messages off the terminal, except when one is fatal: then the
// messages that led to it (such as "could not connect to display") and the
// fatal one itself are written to standard error, and the program ends with
// exit status 1 rather than Qt's abort.
void installStartupMessageHandler();
