# Native build: the portable core and its unit tests, under ASan and UBSan.
# clang knows no -fexec-charset (its literals are UTF-8 anyway).
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    list(REMOVE_ITEM PELLACOR_FLAGS -fexec-charset=UTF-8)
endif()

set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)

add_library(pellacor_core STATIC ${PORTABLE_SOURCES} ${POSIX_SOURCES})
target_include_directories(pellacor_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_options(pellacor_core PRIVATE ${PELLACOR_FLAGS} ${SANITIZE})
target_link_options(pellacor_core PUBLIC ${SANITIZE})
target_link_libraries(pellacor_core PUBLIC sqlite3mc)

find_package(GTest REQUIRED)
file(GLOB NATIVE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(native_tests ${NATIVE_TESTS})
target_compile_options(native_tests PRIVATE ${PELLACOR_FLAGS} ${SANITIZE})
target_link_libraries(native_tests PRIVATE pellacor_core sqlite3mc GTest::gtest GTest::gtest_main)
# Tests that check committed data files (the fuzz corpus) find them here.
target_compile_definitions(native_tests PRIVATE PELLACOR_SOURCE_DIR="${CMAKE_SOURCE_DIR}")

enable_testing()
add_test(NAME native_tests COMMAND native_tests)

# Fuzz targets need clang's libFuzzer; they are built only when clang is the compiler.
# The core is instrumented so the fuzzer sees coverage inside it.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    target_compile_options(pellacor_core PRIVATE -fsanitize=fuzzer-no-link)
    file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*.cpp)
    foreach(src ${FUZZ_SOURCES})
        get_filename_component(name ${src} NAME_WE)
        add_executable(${name} ${src})
        target_compile_options(${name} PRIVATE ${PELLACOR_FLAGS} -fsanitize=fuzzer)
        target_link_options(${name} PRIVATE -fsanitize=fuzzer)
        target_link_libraries(${name} PRIVATE pellacor_core)
    endforeach()
endif()
