#include "common/ip_utils.h"

#include <gtest/gtest.h>

#include "platform/host_lookup.h"

namespace {

using IPUtils::getIPAddress;

const std::string kErrHead = "Windows Sockets error ";
const std::string kErrTail = " has occurred. Unable to successfully get Host Name.\r\n";

TEST(IPUtils, ResolvesThroughTheSystem) {
  std::pair<const char*, const char*> cases[] = {{"localhost", "127.000.000.001"}, {"192.168.1.10", "192.168.001.010"}};
  for (const auto& [name, address] : cases) {
    std::string errText = "untouched";
    EXPECT_EQ(address, getIPAddress(name, errText)) << name;
    EXPECT_EQ("untouched", errText) << name;
  }
  std::string errText;
  EXPECT_EQ("", getIPAddress("no-such-host.invalid", errText));
  ASSERT_GT(errText.size(), kErrHead.size() + kErrTail.size());
  EXPECT_EQ(kErrHead, errText.substr(0, kErrHead.size()));
  EXPECT_EQ(kErrTail, errText.substr(errText.size() - kErrTail.size()));
}

// Scripted answers, recording the names asked for; installed for the test's life.
class IPUtilsScripted : public ::testing::Test, public platform::HostLookup {
 protected:
  void SetUp() override {
    platform::installHostLookup([this]() -> platform::HostLookup& { return *this; });
  }
  void TearDown() override { platform::installHostLookup({}); }
  int localHostName(std::string& name) override {
    if (hostNameError == 0) name = "panel-bench";
    return hostNameError;
  }
  int resolveIPv4(const std::string& name, std::string& address) override {
    asked.push_back(name);
    if (resolveError == 0) address = std::string("\x0a\x00\x00\x05", 4);
    return resolveError;
  }
  int hostNameError = 0, resolveError = 0;
  std::vector<std::string> asked;
};

TEST_F(IPUtilsScripted, NameIsTrimmedCutOrTheLocalHost) {
  std::pair<std::string, std::string> cases[] = {
      {"", "panel-bench"}, {"   ", "panel-bench"}, {" \tpanel ", "\tpanel"},
      {"  " + std::string(256, 'b') + "c", std::string(256, 'b')},
  };
  for (const auto& [given, expected] : cases) {
    asked.clear();
    std::string errText;
    EXPECT_EQ("010.000.000.005", getIPAddress(given, errText));
    EXPECT_EQ(std::vector<std::string>{expected}, asked);
  }
}

TEST_F(IPUtilsScripted, ErrorNumberStandsAfterABlankOrItsSign) {
  struct Case { int hostNameError, resolveError; const char *name, *number; } cases[] = {
      {0, -2, "x", "-2"}, {0, 11001, "x", " 11001"}, {36, 0, "", " 36"}};
  for (const Case& c : cases) {
    hostNameError = c.hostNameError;
    resolveError = c.resolveError;
    std::string errText;
    EXPECT_EQ("", getIPAddress(c.name, errText));
    EXPECT_EQ(kErrHead + c.number + kErrTail, errText);
  }
  EXPECT_EQ(2u, asked.size()) << "a failed local name must not be resolved";
}

}  // namespace
