# Third-party libraries, each behind one imported target.
find_package(Qt6 6.4 REQUIRED COMPONENTS Core Gui Widgets Test)
find_package(PkgConfig REQUIRED)

pkg_check_modules(GSF REQUIRED IMPORTED_TARGET libgsf-1)
# CUPS: print queues, their paper and resolution, and print jobs.
find_package(Cups REQUIRED)
# zlib checks the chunks of PNG files before Qt's reader sees them.
find_package(ZLIB REQUIRED)
pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET libzip)

# zint ships neither a CMake package nor a pkg-config file.
find_path(ZINT_INCLUDE_DIR zint.h REQUIRED)
find_library(ZINT_LIBRARY zint REQUIRED)
add_library(Zint::Zint UNKNOWN IMPORTED)
set_target_properties(Zint::Zint PROPERTIES
  IMPORTED_LOCATION "${ZINT_LIBRARY}"
  INTERFACE_INCLUDE_DIRECTORIES "${ZINT_INCLUDE_DIR}")

if(TAGLOOM_BUILD_TESTS)
  # Only the tests decode what we print, as a scanner would.
  find_package(ZXing REQUIRED)
endif()
