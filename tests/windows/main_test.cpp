// The Windows tests run under Wine with the real clipboard, menus and files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "TestSupport_win.h"
#include "toolkit/Application_win.h"

int main(int argc, char** argv) {
    // Started by a test to play another program that copies in bursts.
    if (argc == 4 && std::strcmp(argv[1], "--copy-burst") == 0)
        return testing_support::CopyBurst(argv[2], std::atoi(argv[3]));
    // Started by a desktop test to read what the boxes of the program say.
    if (argc == 3 && std::strcmp(argv[1], "--dialog-texts") == 0) return testing_support::WriteDialogTexts(argv[2]);
    // And what the clipboard's file list names, as a Windows program reads it.
    if (argc == 3 && std::strcmp(argv[1], "--clipboard-files") == 0) return testing_support::WriteClipboardFiles(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--fill-archive") == 0) return testing_support::FillArchive(argv[2]);
    testing::InitGoogleTest(&argc, argv);
    toolkit::Application::Instance().Initialize("PellacorTests");
    return RUN_ALL_TESTS();
}
