#include "platform/host_lookup.h"

#include <gtest/gtest.h>

namespace linkmoor {
namespace {

TEST(HostLookup, HostPartDropsAPortOnly) {
  EXPECT_EQ(hostPartOf("localhost:8080"), "localhost");
  EXPECT_EQ(hostPartOf("www.example.org"), "www.example.org");
  EXPECT_EQ(hostPartOf("[::1]:80"), "::1");
  EXPECT_EQ(hostPartOf("::1"), "::1");
  EXPECT_EQ(hostPartOf("host:"), "host:");
  EXPECT_EQ(hostPartOf("host:8a"), "host:8a");
}

TEST(HostLookup, LocalhostResolvesToItsOfficialName) {
  std::string official;
  ASSERT_TRUE(lookUpHost("LocalHost", official));
  EXPECT_EQ(official, "localhost");
  ASSERT_TRUE(lookUpHost("localhost:12345", official));
  EXPECT_EQ(official, "localhost");
}

TEST(HostLookup, UnresolvableAndEmptyNamesFail) {
  std::string official = "x";
  EXPECT_FALSE(lookUpHost("no-such-host.invalid", official));
  EXPECT_EQ(official, "");
  EXPECT_FALSE(lookUpHost("", official));
}

} // namespace
} // namespace linkmoor
