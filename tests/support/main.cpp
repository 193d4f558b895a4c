// The logic tests' main: GoogleTest's own, after taking the C library's locale from the
// environment as the program does at start-up, so that a run under LC_ALL=de_DE.UTF-8 meets the
// C library writing 3,5 for 3.5 just as the program would.

#include <gtest/gtest.h>

#include <clocale>

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
