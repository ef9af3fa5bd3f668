// file: URLs, looked at before libcurl reads them. libcurl opens the file a
// file: URL names with a plain open, which waits for good on a FIFO that no
// program writes to (and reading a device may never end): such a URL is a
// failed fetch instead. Only a regular file is fetched.
#ifndef QUILLON_FEED_FILE_URL_H
#define QUILLON_FEED_FILE_URL_H

// The URL's scheme is "file" (in any case).
bool isFileUrl(const char* url);

// The file the URL names (percent-decoded, as libcurl reads it) can be
// opened and is a regular file.
bool fileUrlNamesRegularFile(const char* url);

#endif
