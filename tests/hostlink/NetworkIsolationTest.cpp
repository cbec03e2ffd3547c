#include "tools/virtual-host/NetworkIsolation.h"

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

TEST(NetworkIsolation, OnlyALoneLoopbackInterfaceIsIsolation)
{
    EXPECT_TRUE(OnlyLoopbackNames({"lo"}));
    EXPECT_FALSE(OnlyLoopbackNames({"lo", "eth0"}));
    EXPECT_FALSE(OnlyLoopbackNames({"eth0"}));
    EXPECT_FALSE(OnlyLoopbackNames({})) << "an unlisted network is never taken as isolated";
}

TEST(NetworkIsolation, FiringHostAddressIsContainedOnlyWithoutOtherInterfaces)
{
    EXPECT_TRUE(IsContainedAddress("127.0.0.2", false));
    EXPECT_FALSE(IsContainedAddress("192.168.10.5", false));
    EXPECT_TRUE(IsContainedAddress("192.168.10.5", true));
    EXPECT_FALSE(IsContainedAddress("not an address", true));
}
