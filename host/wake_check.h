// The wake check: what user activity does to the running saver.
#ifndef QUILLON_HOST_WAKE_CHECK_H
#define QUILLON_HOST_WAKE_CHECK_H

// Called by the saver window in Saver mode on any key (system keys such as
// Alt+F4 and F10 included), any button press, from the fifth mouse move on,
// and on any request to close, minimize or leave the window that the saver
// did not make itself (a window manager's, Alt+F4's, the task list's).
// Nothing happens while the prompt is already up. Closes the saver at once, unless the saver's
// own password is set and the system's "ScreenSaveUsePassword" is on; then
// it freezes the typing and asks for the password. If the system key cannot
// be opened, nothing happens and the saver runs on.
void wakeCheck();

#endif
