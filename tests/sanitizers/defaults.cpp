// The sanitizer settings every test program of the sanitizer build starts with, whoever runs it
// (ctest, test discovery at build time, a developer by hand): stop at the first report, and leave
// out the leaks of system libraries listed in lsan.supp. ASAN_OPTIONS, UBSAN_OPTIONS and
// LSAN_OPTIONS given in the environment still add to these or override them.

extern "C" const char* __asan_default_options() {
  return "halt_on_error=1:abort_on_error=0:detect_leaks=1:strict_init_order=1";
}

extern "C" const char* __ubsan_default_options() { return "halt_on_error=1:print_stacktrace=1"; }

extern "C" const char* __lsan_default_options() {
  return "suppressions=" RELAKIN_LSAN_SUPPRESSIONS ":print_suppressions=0";
}
