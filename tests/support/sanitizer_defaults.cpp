// Defaults for the sanitizer runtimes, linked into every program of a
// sanitizer build (QUILLON_SANITIZE) so that tests and the programs they
// start get them without any environment: fontconfig keeps caches for the
// life of the process by design, which LeakSanitizer would report. The list
// of the suppressions used is not printed: a quiet program's stderr stays
// empty in this build too.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n"
         "leak:FcInit\n";
}

extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }

extern "C" const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }
