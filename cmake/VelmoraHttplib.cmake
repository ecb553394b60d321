# cpp-httplib as Debian ships it: a header and a shared library, found through pkg-config.
# Included by every folder that runs a loopback server; the target is made once.
include_guard(GLOBAL)
find_package(PkgConfig REQUIRED)
pkg_check_modules(CPP_HTTPLIB REQUIRED IMPORTED_TARGET GLOBAL cpp-httplib)
