// Which settings files the layer may use. The INI file holds the saver's
// password and the URLs (which may carry credentials), and the registry file
// says whether the password is asked at all, so a file that another user
// could have written or could replace is not trusted: like OpenSSH's
// StrictModes, the layer refuses a settings folder or file that another
// user owns or that others (group or world) may write.
//
// A symbolic link at the file's place (as dotfile managers make them) is
// followed only to a regular file of the user that only the user may write,
// in a folder that only the user may write; any other link is refused.
#ifndef QUILLON_PLATFORM_KERNEL_SETTINGS_FILE_SAFETY_H
#define QUILLON_PLATFORM_KERNEL_SETTINGS_FILE_SAFETY_H

#include <string>

// The folder of a path ("." for a bare name).
std::string folderOf(const std::string& path);

// Why a settings folder may not be used; empty when it may (a folder that
// does not exist yet may: the layer creates it private). A folder of the
// user or of root, writable by its owner alone, may be used.
std::string unsafeFolder(const std::string& folder);

// Why the settings file at `path` may not be used; empty when it may, and
// then `real` is the path to read and replace: `path` itself (which need
// not exist yet), or the target of a symbolic link that passes the rules.
// The file's folder is judged too.
std::string unsafeSettingsFile(const std::string& path, std::string* real);

#endif
