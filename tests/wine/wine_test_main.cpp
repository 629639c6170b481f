// ctest starts each Wine test program with NAME=PATH arguments naming the programs under test.
#include "test_environment.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    register_test_programs(argc, argv);
    return RUN_ALL_TESTS();
}
