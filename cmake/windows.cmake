# Windows build: Pellacor.exe, the Windows tests (run under Wine when
# cross-compiling) and the benchmarks. Static runtime: no mingw DLLs needed.
set(WIN_LIBS comctl32 uxtheme shell32 ole32 gdi32 user32 kernel32 advapi32 winmm dwmapi
    crypt32 bcrypt windowscodecs uuid)
# UNICODE: every call without an A or W suffix is the wide one.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601 UNICODE _UNICODE)

add_library(pellacor_win STATIC ${PORTABLE_SOURCES} ${WIN_SOURCES})
target_include_directories(pellacor_win PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(pellacor_win PRIVATE ${PELLACOR_FLAGS})
target_link_libraries(pellacor_win PUBLIC sqlite3mc ${WIN_LIBS})
target_link_options(pellacor_win PUBLIC -static -static-libgcc -static-libstdc++)

add_executable(Pellacor WIN32 src/app/main_win.cpp res/Pellacor.rc)
target_compile_options(Pellacor PRIVATE ${PELLACOR_FLAGS})
target_link_libraries(Pellacor PRIVATE pellacor_win)
set_target_properties(Pellacor PROPERTIES OUTPUT_NAME Pellacor)

# GoogleTest: built from sources with this compiler when a source tree is
# given (Debian's googletest package puts one in /usr/src/googletest), else an
# installed package (MSYS2's mingw-w64-x86_64-gtest).
if(NOT GTEST_SOURCE_DIR AND EXISTS /usr/src/googletest/CMakeLists.txt)
    set(GTEST_SOURCE_DIR /usr/src/googletest)
endif()
if(GTEST_SOURCE_DIR)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    set(GTEST_LIBRARY gtest)
else()
    find_package(GTest REQUIRED)
    set(GTEST_LIBRARY GTest::gtest)
endif()

enable_testing()
file(GLOB WINDOWS_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/windows/*.cpp)
add_executable(windows_tests ${WINDOWS_TESTS} res/Pellacor.rc)
target_compile_options(windows_tests PRIVATE ${PELLACOR_FLAGS})
target_link_libraries(windows_tests PRIVATE pellacor_win ${GTEST_LIBRARY} version)
add_test(NAME windows_tests COMMAND windows_tests)

file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
foreach(src ${BENCH_SOURCES})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src} res/Pellacor.rc)
    target_compile_options(${name} PRIVATE ${PELLACOR_FLAGS})
    target_link_libraries(${name} PRIVATE pellacor_win)
endforeach()
include(cmake/help.cmake)
include(cmake/package.cmake)
