#include "NetworkIsolation.h"

#include <gtest/gtest.h>

using namespace hostlink;

TEST(NetworkIsolation, LoopbackIsTheWhole127Block)
{
    EXPECT_TRUE(IsLoopbackAddress("127.0.0.1"));
    EXPECT_TRUE(IsLoopbackAddress("127.255.0.9"));
    EXPECT_FALSE(IsLoopbackAddress("128.0.0.1"));
    EXPECT_FALSE(IsLoopbackAddress("192.168.10.5"));
    EXPECT_FALSE(IsLoopbackAddress("localhost"));
}

TEST(NetworkIsolation, FiringHostAddressIsContainedOnlyWithoutOtherInterfaces)
{
    EXPECT_TRUE(IsContainedAddress("127.0.0.2"));
    EXPECT_EQ(IsContainedAddress("192.168.10.5"), OnlyLoopbackInterfaces());
    EXPECT_FALSE(IsContainedAddress("not an address"));
}
