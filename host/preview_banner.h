// The preview's feed: a fixed banner in a temporary file, shown through a
// "file://" URL, with a smaller font and slower typing than the saver.
#ifndef QUILLON_HOST_PREVIEW_BANNER_H
#define QUILLON_HOST_PREVIEW_BANNER_H

// The banner's six lines, separated by "\n", without one after the last.
extern const char* const previewBanner;

// For this run only: font size 15, line scroll delay 1000 ms, type delay
// 150 ms; the URL list replaced by "file://" and the banner file's path
// (previewFilePath), and the banner written into that file. When the file
// cannot be created the URL list is left empty and the banner is typed from
// memory (feed/memory_document.h): no file is ever fetched that the preview
// did not write itself.
void preparePreviewFeed();

#endif
