// Linked into the tests that draw with Cairo.  Fontconfig keeps the caches it
// fills when Cairo first selects a font for the life of the process (a fixed
// kilobyte, not one per picture); the leak checker of the sanitizer build is
// told so, and still sees every other leak.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
