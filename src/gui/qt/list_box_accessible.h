#pragma once
// What assistive tools (a screen reader) learn of a list box widget: a list whose items are its
// rows, the selected one marked, and a word whenever the user's choice moves.

namespace gui {

class ListBoxWidget;

// Lets every list box widget answer for itself; a second call changes nothing.
void installListBoxAccessibility();
// Tells the tools, when any listen, that the list's selection moved to the row.
void announceChosenRow(ListBoxWidget& list, int row);

}  // namespace gui
