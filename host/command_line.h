// The command line of the saver: which run mode it selects and the window
// number that comes with "/p" and "/a".
#ifndef QUILLON_HOST_COMMAND_LINE_H
#define QUILLON_HOST_COMMAND_LINE_H

// Sets runMode and, for Preview and SetPassword, parentWindow. Lower-cases
// `text` in place. A null text changes nothing; a text that selects no mode
// leaves runMode as it was (None at start).
void parseCommandLine(char* text);

#endif
