// The Windows tests run under Wine with the real clipboard, menus and files.
#include <gtest/gtest.h>

#include "toolkit/Application_win.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    toolkit::Application::Instance().Initialize("PellacorTests");
    return RUN_ALL_TESTS();
}
