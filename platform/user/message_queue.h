// The message queue as platform/user's other files use it: input from the
// drivers, clean-up at window destruction, the filters of GetMessageA and
// PeekMessageA, and the key state that goes with retrieved messages.
#ifndef QUILLON_PLATFORM_USER_MESSAGE_QUEUE_H
#define QUILLON_PLATFORM_USER_MESSAGE_QUEUE_H

#include <functional>

#include <windows.h>

// Appends an input message. A WM_MOUSEMOVE directly behind another one for
// the same window replaces it, as Win32 merges mouse moves.
void queueInputMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// A key message with the character the driver's layout gives the key
// (-1: none known, TranslateMessage uses the US layout).
void queueKeyMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, int character);

// Appends an action that runs when the queue reaches it, in order with the
// input messages (a resize by the user).
void queueInputAction(std::function<void()> action);

// Posts WM_CLOSE to every outermost window for each termination signal
// that came since the last call (termination.cpp).
void deliverTerminationSignals();

// Removes the posted and input messages of a window that is destroyed.
void dropWindowMessages(HWND window);

// GetMessageA's window filter: null takes all, (HWND)-1 only messages
// without a window, anything else that window and its children.
bool windowFilterAccepts(HWND filter, HWND window);
// GetMessageA's range: 0, 0 takes all.
bool rangeAccepts(UINT first, UINT last, UINT message);

// Whether a key was down as of the last retrieved input message.
bool queueKeyDown(UINT virtualKey);

// The cursor position, in screen coordinates.
POINT cursorPosition();
void setCursorPosition(POINT screen);

#endif
