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
    testing::InitGoogleTest(&argc, argv);
    toolkit::Application::Instance().Initialize("PellacorTests");
    return RUN_ALL_TESTS();
}
