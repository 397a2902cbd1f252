// orvella-config dump, run as a program: listings of address ranges from an image file and
// from a simulated panel on a serial line (the per-byte lines only with --trace), and the exit
// statuses of its failures.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>

#include "tests/fakes/listing_lines.h"
#include "tests/fakes/program_runner.h"
#include "tests/fakes/simulated_panel.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

using Answer = SimulatedPanel::Answer;
using Args = std::vector<std::string>;

// Byte a of the image holds a mod 256.
std::string countingImage(size_t size = 8192) {
  std::string image(size, '\0');
  for (size_t a = 0; a < size; ++a) image[a] = char(a & 0xFF);
  return image;
}

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

TEST(DumpCommand, ListsTheBlocksTheRangeTouches) {
  struct Case {
    Args range;
    std::string firstOffset, lastOffset;  // of the hex dump's lines
    size_t traceLines;
    std::string firstTrace, lastTrace;
  } cases[] = {
      {{"--trace"}, "0000", "1FF0", 8192, "    0000 Byte=$00", "    1FFF Byte=$FF"},
      {{"--from", "0x10", "--to=79", "--trace"}, "0000", "0070", 64, "    0010 Byte=$10", "    004F Byte=$4F"},
      {{"--from", "0X1FFF", "--to", "8191", "--trace"}, "1FC0", "1FF0", 1, "    1FFF Byte=$FF", "    1FFF Byte=$FF"},
      {{}, "0000", "1FF0", 0, "", ""},
  };
  TempXdgHome home;
  home.writeFile("panel.img", countingImage());
  for (const Case& c : cases) {
    Args args = {"dump", "--image", home.root() + "/panel.img"};
    args.insert(args.end(), c.range.begin(), c.range.end());
    SCOPED_TRACE(testing::PrintToString(c.range));
    ProgramRun run = runOrvellaConfig(args);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    // Banner and hex dump, two empty lines, the log.
    size_t split = run.out.find("\r\n\r\n\r\n");
    ASSERT_NE(split, std::string::npos);
    Args dump = listing_lines::of(run.out.substr(0, split + 2)), log = listing_lines::of(run.out.substr(split + 6));
    ASSERT_GE(dump.size(), 2u);
    EXPECT_EQ(dump.front(),
              "+++++++++++++++++++++++++++++++++ Orvella ++++++++++++++++++++++++++++++++++++++++++");
    EXPECT_EQ(dump[1].substr(0, 4), c.firstOffset);
    EXPECT_EQ(dump.back().substr(0, 4), c.lastOffset);
    ASSERT_EQ(log.size(), c.traceLines);
    if (log.empty()) continue;
    EXPECT_EQ(log.front(), c.firstTrace);
    EXPECT_EQ(log.back(), c.lastTrace);
  }
}

TEST(DumpCommand, FailuresGiveOneLineAndTheirExitStatus) {
  TempXdgHome home;
  const std::string dir = home.root() + "/", image = dir + "panel.img";
  home.writeFile("panel.img", countingImage());
  home.writeFile("short.img", countingImage(8191));
  home.writeFile("long.img", countingImage(8193));
  home.makeDir("folder.img");
  const std::string usage = "orvella-config: dump reads either --image FILE or --port DEVICE";
  struct Case {
    Args args;
    int status;
    std::string message;  // first line of stderr
  } cases[] = {
      {{"--image", dir + "missing.img"}, 66,
       "orvella-config: cannot read image file '" + dir + "missing.img': No such file or directory"},
      {{"--image", dir + "short.img"}, 66,
       "orvella-config: image file '" + dir + "short.img' holds 8191 bytes; a panel image holds 8192"},
      {{"--image", dir + "long.img"}, 66,
       "orvella-config: image file '" + dir + "long.img' holds 8193 bytes; a panel image holds 8192"},
      {{"--image", dir + "folder.img"}, 66,
       "orvella-config: cannot read image file '" + dir + "folder.img': not a regular file"},
      // A port that cannot be opened is an input that cannot be read.
      {{"--port", "/dev/no-such-panel"}, 66,
       "orvella-config: cannot open serial port '/dev/no-such-panel': No such file or directory"},
      {{}, 64, usage},
      {{"--image", image, "--port", "/dev/ttyS0"}, 64, usage},
      {{"--image"}, 64, "orvella-config: --image needs a value (FILE)"},
      {{"--image", image, "--bogus"}, 64, "orvella-config: unknown option '--bogus'"},
      {{"--image", image, "--from", "10", "--to", "9"}, 64,
       "orvella-config: dump: --from lies after --to"},
  };
  for (const Case& c : cases) {
    Args args = {"dump"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    SCOPED_TRACE(testing::PrintToString(args));
    ProgramRun run = runOrvellaConfig(args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(firstLine(run.err), c.message);
    EXPECT_EQ(run.out, "");
  }
  for (const std::string bad : {"0x2000", "8192", "-1", "12a", "0x", "", "99999999999999999999"}) {
    ProgramRun run = runOrvellaConfig({"dump", "--image", image, "--from", bad});
    EXPECT_EQ(run.status, 64) << bad;
    EXPECT_EQ(firstLine(run.err), "orvella-config: --from expects an address from 0 to 8191 "
                                  "(decimal or 0x hex), got '" + bad + "'");
  }
}

TEST(DumpCommand, ReadsThePanelOverTheSerialLine) {
  SimulatedPanel panel(countingImage(), true);
  panel.queueAnswers({Answer::BadChecksum});  // seen only when --mem makes the panel send checksums
  ProgramRun run = runOrvellaConfig(
      {"--mem", "3.9", "dump", "--port", panel.devicePath(), "--from", "0", "--to", "0x7F", "--trace"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(panel.requests(), (Args{"?\x80\r", "?\x80\r", "?\x81\r"}));
  EXPECT_NE(run.err.find(" retrieveBlock: ckecksum failed \r\n"), std::string::npos);
  EXPECT_NE(run.err.find(" retrieveBlock: sending request block num 1\r\n"), std::string::npos);

  // The same listing as from the image file.
  TempXdgHome home;
  home.writeFile("panel.img", countingImage());
  Args fromFile = {"dump", "--image", home.root() + "/panel.img", "--from", "0", "--to", "0x7F", "--trace"};
  EXPECT_EQ(run.out, runOrvellaConfig(fromFile).out);
}

TEST(DumpCommand, ASilentPanelIsAskedForItsFirstBlockOnceAndGives74) {
  SimulatedPanel panel(countingImage(), false);
  panel.queueAnswers(std::vector<Answer>(4, Answer::Silent));
  auto start = std::chrono::steady_clock::now();
  ProgramRun run = runOrvellaConfig({"dump", "--port", panel.devicePath()});
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(run.status, 74);
  EXPECT_EQ(panel.requests(), Args(4, "?\x80\r"));  // one series of attempts, then the dump stops
  EXPECT_EQ(run.err, "orvella-config: cannot read block 0 ($0000-$003F) from " + panel.devicePath() +
                         ": no answer at each of 4 attempts\n");
  EXPECT_NE(run.out.find("[E]Communications error reading block 0\r\n"), std::string::npos);
  EXPECT_EQ(run.out.find("0000   "), std::string::npos);  // nothing of the block is listed
}

// What the attempts at a block got is said for the installer at the panel, by dump and by
// decode. The panels are read at the same time, since each read takes four attempts.
TEST(DumpCommand, SaysWhyABlockCannotBeRead) {
  const struct {
    std::vector<Answer> answers;
    bool checksum;  // the panel sends checksums, and --mem says it does
    std::string command, reason;
    std::string block = "block 0 ($0000-$003F)";  // the first one the command reads
  } cases[] = {
      {std::vector<Answer>(4, Answer::Short), false, "dump", "a short reply (32 of 64 bytes) at each of 4 attempts"},
      {{Answer::Silent, Answer::DeviceError, Answer::Short, Answer::BadChecksum}, true, "dump",
       "at 4 attempts: no answer, the panel's refusal \"!?\", a short reply (32 of 65 bytes), a wrong checksum"},
      {std::vector<Answer>(4, Answer::Silent), false, "decode", "no answer at each of 4 attempts",
       "block 124 ($1F00-$1F3F)"},
  };
  TempXdgHome home;  // one for every run, made before they start
  std::vector<std::unique_ptr<SimulatedPanel>> panels;
  std::vector<std::future<ProgramRun>> runs;
  for (const auto& c : cases) {
    panels.push_back(std::make_unique<SimulatedPanel>(countingImage(), c.checksum));
    panels.back()->queueAnswers(c.answers);
    Args args = {"--mem", c.checksum ? "3.9" : "2.9", c.command, "--port", panels.back()->devicePath()};
    runs.push_back(std::async(std::launch::async, [args] { return runOrvellaConfig(args); }));
  }
  for (size_t i = 0; i < runs.size(); ++i) {
    SCOPED_TRACE(cases[i].reason);
    const ProgramRun run = runs[i].get();
    EXPECT_EQ(run.status, 74);
    const std::string said = "cannot read " + cases[i].block + " from " + panels[i]->devicePath() + ": " +
                             cases[i].reason + "\n";
    EXPECT_NE(run.err.find("orvella-config: " + said), std::string::npos) << run.err;
  }
}

}  // namespace
