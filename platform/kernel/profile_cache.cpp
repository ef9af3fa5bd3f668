// The parsed INI file used last, and when its changes reach the disk
// (profile_cache.h).
#include "platform/kernel/profile_cache.h"

#include <stdio.h>
#include <stdlib.h>

#include "platform/kernel/file_io.h"

namespace {

struct ProfileCache {
  bool used = false;
  std::string path;
  FileStamp stamp;       // of the file as last read or written here
  bool found = false;
  bool refused = false;  // there but not read: never written over
  IniDocument doc;
  bool pending = false;  // changed here and not yet written
  bool exitHookSet = false;
};

// Never destroyed: the exit hook and calls during exit still find it.
ProfileCache& cache() {
  static ProfileCache* theCache = new ProfileCache;
  return *theCache;
}

bool writePending(ProfileCache* c) {
  if (!c->pending) return true;
  if (!writeFileAtomically(c->path, serializeIni(c->doc))) {
    c->used = false;  // the file does not hold the change: read it again
    c->pending = false;
    return false;
  }
  c->stamp = fileStamp(c->path);
  c->found = true;
  c->pending = false;
  return true;
}

void flushAtExit() {
  ProfileCache& c = cache();
  std::string path = c.path;
  if (c.pending && !writePending(&c))
    fprintf(stderr, "quillon: %s: cannot be written; its settings are not saved\n",
            path.c_str());
}

}  // namespace

IniDocument& cachedProfile(const std::string& path, bool* found) {
  ProfileCache& c = cache();
  if (c.used && c.path == path && (c.pending || sameStamp(c.stamp, fileStamp(path)))) {
    *found = c.found;
    return c.doc;
  }
  if (c.used && c.path != path) writePending(&c);
  // The stamp is taken before reading: a change made while the file is read
  // makes the next call read it again.
  c.stamp = fileStamp(path);
  std::string text;
  FileRead read = readSettingsFile(path, &text);
  c.found = read == FileRead::Read;
  c.refused = read == FileRead::Refused;
  c.doc = parseIni(text);
  c.path = path;
  c.used = true;
  c.pending = false;
  *found = c.found;
  return c.doc;
}

bool storeProfile(const std::string& path) {
  ProfileCache& c = cache();
  if (!c.used || c.path != path) return false;
  if (c.refused) {
    // A file that was not read (too large, not a regular file, unreadable)
    // is not replaced by what little this process knows of it.
    c.used = false;
    return false;
  }
  c.pending = true;
  if (c.doc.bytes <= kWriteThroughBytes) return writePending(&c);
  if (!c.exitHookSet) {
    atexit(flushAtExit);
    c.exitHookSet = true;
  }
  return true;
}

bool flushProfiles() { return writePending(&cache()); }
