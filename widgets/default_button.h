// Return in a dialog presses its default button wherever the focus is. Qt makes any push button
// of a dialog the default while it has the focus (auto-default), and a click leaves the focus
// on the clicked button: Return would then do again what that button did, also in a later
// showing of a dialog kept for the session, where the focus comes back to it. Space still
// presses the focused button.
#pragma once

class QDialog;

namespace relakin {

// Turns auto-default off for every push button of `dialog`; call once its buttons are made.
void KeepReturnOnDefault(QDialog& dialog);

}  // namespace relakin
