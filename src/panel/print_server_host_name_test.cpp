#include "panel/print_server_host_name.h"

#include <gtest/gtest.h>

namespace orval {
namespace {

TEST(PrintServerHostNameTest, ZonedIPv6HostPartBecomesAddressPercentZone) {
  EXPECT_EQ(printServerHostNameFromDeviceURI("ipp://[v1.fe80::1+en0]:631/printers/tz"), "fe80::1%en0");
  EXPECT_EQ(printServerHostNameFromDeviceURI("socket://[v1.fe80::1+en0]"), "fe80::1%en0");
  // Only the first "+" after the prefix is replaced.
  EXPECT_EQ(printServerHostName("v1.fe80::1+en0+x"), "fe80::1%en0+x");
}

TEST(PrintServerHostNameTest, PrefixWithoutZoneIsOnlyDropped) {
  EXPECT_EQ(printServerHostNameFromDeviceURI("ipp://[v1.fe80::1]/ipp/print"), "fe80::1");
}

TEST(PrintServerHostNameTest, HostPartsWithoutLeadingPrefixAreUsedUnchanged) {
  EXPECT_EQ(printServerHostName("host.v1.example+x"), "host.v1.example+x");
  EXPECT_EQ(printServerHostName("V1.fe80::1+en0"), "V1.fe80::1+en0");
  EXPECT_EQ(printServerHostNameFromDeviceURI("socket://rip.example.com:9100"), "rip.example.com");
  EXPECT_EQ(printServerHostNameFromDeviceURI("lpd://user@192.168.10.4/queue"), "192.168.10.4");
  EXPECT_EQ(printServerHostNameFromDeviceURI("ipp://[fe80::1%25en0]:631/"), "fe80::1%en0");
  EXPECT_EQ(printServerHostNameFromDeviceURI("dnssd://TZ%20Print._ipp._tcp.local./?uuid=1"),
            "TZ Print._ipp._tcp.local.");
}

TEST(PrintServerHostNameTest, AddressesWithoutHostPartGiveNone) {
  EXPECT_EQ(hostPartOfDeviceURI("file:///dev/null"), std::nullopt);
  EXPECT_EQ(hostPartOfDeviceURI("usb:/dev/usb/lp0"), std::nullopt);
  EXPECT_EQ(hostPartOfDeviceURI("socket://:9100"), std::nullopt);
  EXPECT_EQ(hostPartOfDeviceURI("ipp://[fe80::1"), std::nullopt);
  EXPECT_EQ(hostPartOfDeviceURI("//host/path"), std::nullopt);
  EXPECT_EQ(hostPartOfDeviceURI("rip.example.com"), std::nullopt);
  EXPECT_EQ(hostPartOfDeviceURI(""), std::nullopt);
}

TEST(PrintServerHostNameTest, EscapesThatDecodeToControlBytesOrPathSeparatorsAreRefused) {
  for (const char* uri : {"ipp://a%00b/x", "ipp://a%2Fb/x", "ipp://a%2fb", "socket://rip%0A.example.com:9100",
                          "ipp://[fe80::1%25en0%7F]/", "ipp://a%FFb/x"})
    EXPECT_EQ(printServerHostNameFromDeviceURI(uri), std::nullopt) << uri;
}

}  // namespace
}  // namespace orval
