// SPDX-License-Identifier: MIT
// Screen readers see a clickable label as what it is: a link they can press.
#pragma once

class QWidget;

namespace accessibility {

// Presents the label with role Link, its visible text as name, its accessible
// description, and a press action that clicks it through its LabelClick.
void exposeAsLink(QWidget *label);

} // namespace accessibility
