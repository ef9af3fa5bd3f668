// The program's start-up code on POSIX, standing in for the Windows C
// runtime's: main() calls the application's WinMain the way the Windows
// start-up code does. By the time main() runs, the static initialisers have
// constructed the application's process-wide records.
//
// WinMain receives:
// - the module handle, GetModuleHandleA(NULL);
// - no previous instance (always null since 32-bit Windows);
// - the command line without the program's name and the blanks after it:
//   here the arguments joined by single blanks, each exactly as given (an
//   argument that starts with blanks keeps them). Windows hands the raw
//   command line over, quotes included; a POSIX program only sees the
//   arguments after the shell has split them, so quotes are gone;
// - the show state from GetStartupInfoA, SW_SHOWDEFAULT when the starter
//   gave none (always, on POSIX).
// WinMain's result is the exit code. As the Windows runtime does, it also
// keeps the arguments, split, in __argc and __argv: there they are split
// from the command line by the quoting rules; here they are exactly what the
// shell passed.
#include <windows.h>

#include <string>
#include <vector>

int main(int argc, char** argv) {
  __argc = argc;
  __argv = argv;
  std::string commandLine;
  for (int i = 1; i < argc; i++) {
    if (i > 1) commandLine += ' ';
    commandLine += argv[i];
  }
  // WinMain may write into its command line (the saver lower-cases it).
  std::vector<char> writable(commandLine.begin(), commandLine.end());
  writable.push_back('\0');

  STARTUPINFOA startup;
  GetStartupInfoA(&startup);
  int showCommand = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;

  return WinMain(GetModuleHandleA(nullptr), nullptr, writable.data(), showCommand);
}
