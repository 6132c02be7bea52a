# Run as: cmake -DSOURCE=in.txt -DOUTPUT=out.txt -DVERSION=x.y -P TextForWindows.cmake
# Copies a UTF-8 text with @VERSION@ filled in, CRLF line ends and a byte order
# mark, the form in which every Notepad recognises UTF-8.
cmake_minimum_required(VERSION 3.20)
file(READ ${SOURCE} text)
string(REPLACE "@VERSION@" "${VERSION}" text "${text}")
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
string(ASCII 239 187 191 bom)
file(WRITE ${OUTPUT} "${bom}${text}")
