#include "panel/print_server_host_name.h"

#include <gtest/gtest.h>

namespace orval {
namespace {

TEST(PrintServerHostNameTest, HostNamesOfDeviceAddresses) {
  const struct {
    const char* uri;
    std::optional<std::string> host;
  } rows[] = {
      {"ipp://[v1.fe80::1]/ipp/print", "fe80::1"},
      {"socket://rip.example.com:9100", "rip.example.com"}, {"lpd://user@192.168.10.4/queue", "192.168.10.4"},
      {"ipp://[fe80::1%25en0]:631/", "fe80::1%en0"},
      {"dnssd://TZ%20Print._ipp._tcp.local./?uuid=1", "TZ Print._ipp._tcp.local."},
      // Escapes that decode to control bytes or path separators are refused.
      {"ipp://a%00b/x", std::nullopt}, {"ipp://a%2Fb/x", std::nullopt}, {"ipp://a%2fb", std::nullopt},
      {"ipp://a%1Fb", std::nullopt}, {"ipp://[fe80::1%25en0%7F]/", std::nullopt}, {"ipp://a%FFb/x", std::nullopt},
  };
  for (const auto& row : rows) EXPECT_EQ(printServerHostNameFromDeviceURI(row.uri), row.host) << row.uri;
  // Only a leading prefix is dropped, and only the first "+" after it replaced.
  EXPECT_EQ(printServerHostName("v1.fe80::1+en0+x"), "fe80::1%en0+x");
  EXPECT_EQ(printServerHostName("host.v1.example+x"), "host.v1.example+x");
  EXPECT_EQ(printServerHostName("V1.fe80::1+en0"), "V1.fe80::1+en0");
  for (const char* uri : {"file:///dev/null", "usb:/dev/usb/lp0", "ipp://[fe80::1", "rip.example.com", ""})
    EXPECT_EQ(hostPartOfDeviceURI(uri), std::nullopt) << uri;
}

}  // namespace
}  // namespace orval
