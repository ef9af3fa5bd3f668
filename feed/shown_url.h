// URLs as the user is shown them: without the user-info part of their
// authority ("user:password@"), so an error line on the screen never
// shows the credentials a URL carries.
#ifndef QUILLON_FEED_SHOWN_URL_H
#define QUILLON_FEED_SHOWN_URL_H

#include <string>

// The URL without the user-info part of its authority: for a URL with "://",
// everything from just after "://" up to and including the last "@" before
// the end of the authority (the first "/", "?", "#" or the end) is dropped.
// "feed:https://user:pw@host/x" gives "feed:https://host/x". Other URLs are
// returned unchanged.
std::string shownUrl(const char* url);

#endif
