#include "common/ip_utils.h"

#include <gtest/gtest.h>

#include "platform/host_lookup.h"

namespace {

using IPUtils::getIPAddress;

const char kUnresolvable[] = "no-such-host.invalid";

TEST(IPUtils, ResolvesThroughTheSystem) {
  struct Case {
    const char* name;
    const char* address;
  } cases[] = {
      {"localhost", "127.000.000.001"},
      {"  localhost  ", "127.000.000.001"},
      {"10.0.0.5", "010.000.000.005"},
      {"192.168.1.10", "192.168.001.010"},
      {"255.255.255.255", "255.255.255.255"},
  };
  for (const Case& c : cases) {
    std::string errText = "untouched";
    EXPECT_EQ(c.address, getIPAddress(c.name, errText)) << c.name;
    EXPECT_EQ("untouched", errText) << c.name;
  }
}

TEST(IPUtils, UnresolvableNameGivesEmptyAndTheSocketsText) {
  std::string errText;
  EXPECT_EQ("", getIPAddress(kUnresolvable, errText));
  const std::string head = "Windows Sockets error ";
  const std::string tail = " has occurred. Unable to successfully get Host Name.\r\n";
  ASSERT_GT(errText.size(), head.size() + tail.size());
  EXPECT_EQ(head, errText.substr(0, head.size()));
  EXPECT_EQ(tail, errText.substr(errText.size() - tail.size()));
}

// Scripted answers, recording the names asked for.
class ScriptedLookup : public platform::HostLookup {
 public:
  int hostNameError = 0;
  int resolveError = 0;
  std::vector<std::string> asked;

  int localHostName(std::string& name) override {
    if (hostNameError == 0) name = "panel-bench";
    return hostNameError;
  }
  int resolveIPv4(const std::string& name, std::string& address) override {
    asked.push_back(name);
    if (resolveError == 0) address = std::string("\x0a\x00\x00\x05", 4);
    return resolveError;
  }
};

class IPUtilsScripted : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::installHostLookup([this]() -> platform::HostLookup& { return lookup; });
  }
  void TearDown() override { platform::installHostLookup({}); }
  ScriptedLookup lookup;
};

TEST_F(IPUtilsScripted, NameIsTrimmedCutOrTheLocalHost) {
  struct Case {
    std::string given;
    std::string asked;
  } cases[] = {
      {"", "panel-bench"},
      {"   ", "panel-bench"},
      {" \tpanel ", "\tpanel"},
      {std::string(300, 'a'), std::string(256, 'a')},
      {"  " + std::string(256, 'b') + "c", std::string(256, 'b')},
  };
  for (const Case& c : cases) {
    lookup.asked.clear();
    std::string errText;
    EXPECT_EQ("010.000.000.005", getIPAddress(c.given, errText));
    EXPECT_EQ(std::vector<std::string>{c.asked}, lookup.asked);
  }
}

TEST_F(IPUtilsScripted, ErrorNumberStandsAfterABlankOrItsSign) {
  struct Case {
    int hostNameError;
    int resolveError;
    const char* name;
    const char* errText;
  } cases[] = {
      {0, -2, "x", "Windows Sockets error -2 has occurred. Unable to successfully get Host Name.\r\n"},
      {0, 11001, "x",
       "Windows Sockets error  11001 has occurred. Unable to successfully get Host Name.\r\n"},
      {36, 0, "", "Windows Sockets error  36 has occurred. Unable to successfully get Host Name.\r\n"},
  };
  for (const Case& c : cases) {
    lookup.hostNameError = c.hostNameError;
    lookup.resolveError = c.resolveError;
    lookup.asked.clear();
    std::string errText;
    EXPECT_EQ("", getIPAddress(c.name, errText));
    EXPECT_EQ(c.errText, errText);
  }
  EXPECT_TRUE(lookup.asked.empty()) << "a failed local name must not be resolved";
}

TEST(IPUtils, LocalHostNameResolvesLikeAnEmptyName) {
  platform::SystemHostLookup system;
  std::string ownName;
  ASSERT_EQ(0, system.localHostName(ownName));
  std::string errEmpty, errNamed;
  EXPECT_EQ(getIPAddress("  " + ownName + " ", errNamed), getIPAddress("", errEmpty));
  EXPECT_EQ(errNamed, errEmpty);
}

}  // namespace
