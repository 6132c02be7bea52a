# SQLite with page encryption and FTS5, the SQLite3 Multiple Ciphers
# amalgamation that scripts/fetch-sqlite.sh puts into the build folder. One
# static library per build, outside the warnings of our own code.
set(PELLACOR_SQLITE_DIR "${CMAKE_SOURCE_DIR}/build/deps/sqlite3mc" CACHE PATH "the SQLite3 Multiple Ciphers amalgamation")
if(NOT EXISTS "${PELLACOR_SQLITE_DIR}/sqlite3.c")
    message(FATAL_ERROR "No SQLite amalgamation in ${PELLACOR_SQLITE_DIR}: run scripts/fetch-sqlite.sh")
endif()
add_library(sqlite3mc STATIC ${PELLACOR_SQLITE_DIR}/sqlite3.c)
target_include_directories(sqlite3mc SYSTEM PUBLIC ${PELLACOR_SQLITE_DIR})
target_compile_definitions(sqlite3mc PRIVATE SQLITE_ENABLE_FTS5 SQLITE_THREADSAFE=1 SQLITE_SECURE_DELETE)
target_compile_options(sqlite3mc PRIVATE -O2 -w)
if(NOT WIN32)
    find_package(Threads REQUIRED)
    target_link_libraries(sqlite3mc PUBLIC Threads::Threads ${CMAKE_DL_LIBS} m)
endif()
