// Compiled into the sanitizer builds of the programs that link the map.
// Libraries it brings in keep memory that is never given back, and none of
// it is ours to free: fontconfig keeps the caches it fills when Cairo first
// selects a font; under a locale other than "C" (or any locale found through
// LOCPATH), p11-kit, loaded with GDAL's network libraries, keeps the locale
// it makes when it is loaded, and json-c, which GDAL uses to check the
// options of a new GeoPackage, the one it makes to read numbers.  The C
// library's frames carry no frame pointers, so the quick stacks of the leak
// checker stop at the locale's list of names (__argz_add_sep) before they
// reach those libraries; that is what is named.  Our own code makes no
// locale.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libp11-kit.so\nleak:libjson-c.so\nleak:__argz_add_sep\n";
}

// Quietly: the programs' output is compared with what they should print.
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
