# GoogleTest: on Linux the system package; for the Windows cross build the Debian
# sources are compiled with the target compiler. A native Windows developer passes
# GTEST_SOURCE_DIR (a googletest checkout) or has GTest installed for find_package.
set(GTEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH "googletest sources used when cross-compiling")
if(WIN32 AND EXISTS "${GTEST_SOURCE_DIR}/CMakeLists.txt")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/_gtest EXCLUDE_FROM_ALL)
  set(TESSALY_GTEST_MAIN gtest_main)
  set(TESSALY_GTEST gtest)
else()
  find_package(GTest REQUIRED)
  set(TESSALY_GTEST_MAIN GTest::gtest_main)
  set(TESSALY_GTEST GTest::gtest)
endif()
include(GoogleTest)
