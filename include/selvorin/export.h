// Export control for the vykpav shared library.
//
// Symbols are hidden by default; every operation a host may call is marked
// with VYKPAV_API one by one, so the export set is exactly the documented API
// and nothing internal leaks into the dynamic symbol table. The library's
// build defines VYKPAV_BUILDING (export); code that links its objects
// statically, as the project's white-box tests do, defines VYKPAV_STATIC
// (nothing exported or imported); a host defines neither (import).
#ifndef SELVORIN_EXPORT_H
#define SELVORIN_EXPORT_H

#if defined(VYKPAV_STATIC)
#define VYKPAV_API
#elif defined(_WIN32) || defined(__CYGWIN__)
#if defined(VYKPAV_BUILDING)
#define VYKPAV_API __declspec(dllexport)
#else
#define VYKPAV_API __declspec(dllimport)
#endif
#elif defined(__GNUC__)
#define VYKPAV_API __attribute__((visibility("default")))
#else
#define VYKPAV_API
#endif

#endif  // SELVORIN_EXPORT_H
