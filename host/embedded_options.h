// Embedded mode: the saver drawn inside a window that a screen-saver host
// made (XScreenSaver, xsecurelock, MATE, Xfce pass its number in
// XSCREENSAVER_WINDOW and start the program with --root, -root or
// --window-id ID), and the options that override the settings file for one
// run. Its command lines are told apart by their first argument, before the
// switches of Windows are looked for (whose substring tests would find "-s"
// in "--font-size" or "-w" in "--window-id").
#ifndef QUILLON_HOST_EMBEDDED_OPTIONS_H
#define QUILLON_HOST_EMBEDDED_OPTIONS_H

// Whether the arguments (argv[0] the program's name) select embedded mode:
// the first one is one of its options.
bool isEmbeddedCommandLine(int argc, char** argv);

// Reads the options, chooses the host's window (parentWindow: --window-id,
// else XSCREENSAVER_WINDOW, else the desktop's own window) and sets runMode
// to Embedded. Returns -1 when the saver is to run, or the exit code to end
// with: 0 after --help (the usage on stdout) or --version ("quillon
// <version>" on stdout), 2 after a bad option (one line
// on stderr naming it). Under a host (XSCREENSAVER_WINDOW set) a bad option
// is only reported, and the settings file's value stays.
int readEmbeddedOptions(int argc, char** argv);

// Puts the options' values into the loaded settings, for this run only:
// nothing writes them back.
void applyEmbeddedOptions();

#endif
