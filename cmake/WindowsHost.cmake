# The stand-in host, its command and the tests as Windows programs (mingw-w64), run under Wine.

# Every program carries its own C++ runtime: Wine, like a clean Windows, has no mingw DLLs.
add_link_options(-static-libgcc -static-libstdc++)

# Debian's header-only libraries are installed for the build machine. The cross-compiler gets
# only their own folders, never the whole of /usr/include, whose C library is not Windows'.
set(TAVRIX_WINDOWS_HEADERS ${CMAKE_BINARY_DIR}/windows-headers)
file(MAKE_DIRECTORY ${TAVRIX_WINDOWS_HEADERS})
foreach(folder nlohmann CLI)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing: run scripts/install-deps")
  endif()
  file(CREATE_LINK /usr/include/${folder} ${TAVRIX_WINDOWS_HEADERS}/${folder} SYMBOLIC)
endforeach()
add_library(tavrix_windows_headers INTERFACE IMPORTED)
target_include_directories(tavrix_windows_headers SYSTEM INTERFACE ${TAVRIX_WINDOWS_HEADERS})
add_library(nlohmann_json::nlohmann_json ALIAS tavrix_windows_headers)
add_library(CLI11::CLI11 ALIAS tavrix_windows_headers)

# GoogleTest from the sources Debian ships, built with this toolchain.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_compile_definitions(gtest PUBLIC GTEST_HAS_NOTIFICATION_=1)
target_compile_options(gtest PUBLIC
  "SHELL:-include ${CMAKE_CURRENT_LIST_DIR}/windows/GTestNotification.h")

# The find_package calls of the folders below find what is made here.
foreach(package nlohmann_json CLI11)
  file(WRITE ${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/${package}-config.cmake
       "# Provided by cmake/WindowsHost.cmake.\n")
  file(WRITE ${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/${package}-config-version.cmake
       "set(PACKAGE_VERSION_COMPATIBLE TRUE)\nset(PACKAGE_VERSION_EXACT FALSE)\n")
endforeach()

# ctest runs the programs under Wine, headless, in a prefix of this build's own unless
# WINEPREFIX names one. Tests are listed when ctest runs, so the build itself needs no Wine.
find_program(TAVRIX_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
find_program(TAVRIX_WINESERVER NAMES wineserver wineserver64 PATHS /usr/lib/wine
             NO_CMAKE_FIND_ROOT_PATH)
if(TAVRIX_WINE AND TAVRIX_WINESERVER)
  set(TAVRIX_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/windows/wine-run.in ${CMAKE_BINARY_DIR}/wine-run
                 @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                 GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
else()
  message(WARNING "No Wine found: the Windows tests build but cannot run here")
endif()
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)

# windows.h without the min and max macros, which the standard library's names would meet.
add_compile_definitions(NOMINMAX WIN32_LEAN_AND_MEAN)
# M_PI and its kin, which glibc gives every C++ program and mingw-w64 only on request.
add_compile_definitions(_USE_MATH_DEFINES)
