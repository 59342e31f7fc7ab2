#pragma once
// What assistive tools (a screen reader) learn of a list box widget: a list whose items are its
// rows, the selected one marked, and a word whenever rows come, go or change or the selection
// moves.

namespace gui::qt {

class ListBoxWidget;

// Lets every list box widget answer for itself; a second call changes nothing.
void installListBoxAccessibility();

// Tell the tools, when any listen, what changed, with the events Qt's item views send.
void announceRowsInserted(ListBoxWidget& list, int first, int last);
void announceRowsRemoved(ListBoxWidget& list, int first, int last);
void announceRowChanged(ListBoxWidget& list, int row);
// Every row may have changed (a hidden list that was refilled, once it is shown).
void announceReset(ListBoxWidget& list);
// The selection moved from one row to another (-1: none); the new row has the focus when the
// list has it.
void announceSelection(ListBoxWidget& list, int from, int to);

}  // namespace gui::qt
