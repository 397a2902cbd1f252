// orvella-config dump, run as a program: listings of address ranges from an image file and
// from a simulated panel on a serial line, and the exit statuses of its failures.
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/fakes/program_runner.h"
#include "tests/fakes/simulated_panel.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

using Answer = SimulatedPanel::Answer;

const std::string kBanner =
    "+++++++++++++++++++++++++++++++++ Orvella ++++++++++++++++++++++++++++++++++++++++++";

// Byte a of the image holds a mod 256.
std::string countingImage(size_t size = 8192) {
  std::string image(size, '\0');
  for (size_t a = 0; a < size; ++a) image[a] = char(a & 0xFF);
  return image;
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

class DumpCommandTest : public ::testing::Test {
 protected:
  std::string file(const std::string& name, const std::string& bytes) {
    home_.writeFile(name, bytes);
    return home_.root() + "/" + name;
  }
  std::string path(const std::string& name) const { return home_.root() + "/" + name; }

  TempXdgHome home_;
};

TEST_F(DumpCommandTest, ListsTheBlocksTheRangeTouches) {
  struct Case {
    std::vector<std::string> range;
    std::string firstOffset, lastOffset;  // of the hex dump's lines
    size_t traceLines;
    std::string firstTrace, lastTrace;
  };
  const Case cases[] = {
      {{}, "0000", "1FF0", 8192, "    0000 Byte=$00", "    1FFF Byte=$FF"},
      {{"--from", "0x10", "--to", "79"}, "0000", "0070", 64, "    0010 Byte=$10", "    004F Byte=$4F"},
      {{"--from", "8191", "--to", "0x1FFF"}, "1FC0", "1FF0", 1, "    1FFF Byte=$FF", "    1FFF Byte=$FF"},
      {{"--from", "0X40", "--to", "0x40"}, "0040", "0070", 1, "    0040 Byte=$40", "    0040 Byte=$40"},
  };
  const std::string image = file("panel.img", countingImage());
  for (const Case& c : cases) {
    std::vector<std::string> args = {"dump", "--image", image};
    args.insert(args.end(), c.range.begin(), c.range.end());
    SCOPED_TRACE(testing::PrintToString(c.range));
    ProgramRun run = runOrvellaConfig(args);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    // Banner and hex dump, two empty lines, the log.
    size_t split = run.out.find("\r\n\r\n\r\n");
    ASSERT_NE(split, std::string::npos);
    std::vector<std::string> dump = linesOf(run.out.substr(0, split + 2));
    std::vector<std::string> log = linesOf(run.out.substr(split + 6));
    ASSERT_GE(dump.size(), 2u);
    EXPECT_EQ(dump.front(), kBanner);
    EXPECT_EQ(dump[1].substr(0, 4), c.firstOffset);
    EXPECT_EQ(dump.back().substr(0, 4), c.lastOffset);
    ASSERT_EQ(log.size(), c.traceLines);
    EXPECT_EQ(log.front(), c.firstTrace);
    EXPECT_EQ(log.back(), c.lastTrace);
  }
}

TEST_F(DumpCommandTest, FailuresGiveOneLineAndTheirExitStatus) {
  const std::string image = file("panel.img", countingImage());
  const std::string shortImage = file("short.img", countingImage(8191));
  const std::string longImage = file("long.img", countingImage(8193));
  home_.makeDir("folder.img");
  const std::string usage = "orvella-config: dump reads either --image FILE or --port DEVICE";
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string message;  // first line of stderr
  };
  const Case cases[] = {
      {{"--image", path("missing.img")}, 66,
       "orvella-config: cannot read image file " + path("missing.img") + ": No such file or directory"},
      {{"--image", shortImage}, 66,
       "orvella-config: image file " + shortImage + " holds 8191 bytes; a panel image holds 8192"},
      {{"--image", longImage}, 66,
       "orvella-config: image file " + longImage + " holds 8193 bytes; a panel image holds 8192"},
      {{"--image", path("folder.img")}, 66,
       "orvella-config: cannot read image file " + path("folder.img") + ": not a regular file"},
      {{"--port", "/dev/no-such-panel"}, 74,
       "orvella-config: cannot open serial port /dev/no-such-panel: no such device"},
      {{}, 64, usage},
      {{"--image", image, "--port", "/dev/ttyS0"}, 64, usage},
      {{"--image"}, 64, "orvella-config: --image needs a value"},
      {{"--image", image, "--bogus"}, 64, "orvella-config: dump: unknown argument '--bogus'"},
      {{"--image", image, "--from", "10", "--to", "9"}, 64, "orvella-config: dump: --from lies after --to"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"dump"};
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
    EXPECT_EQ(firstLine(run.err),
              "orvella-config: --from expects an address from 0 to 8191 (decimal or 0x hex), got '" +
                  bad + "'");
  }
}

TEST_F(DumpCommandTest, ReadsThePanelOverTheSerialLine) {
  const std::string image = countingImage();
  SimulatedPanel panel(image, true);
  panel.queueAnswers({Answer::BadChecksum});  // seen only when --mem makes the panel send checksums
  ProgramRun run = runOrvellaConfig(
      {"--mem", "3.9", "dump", "--port", panel.devicePath(), "--from", "0", "--to", "0x7F", "--trace"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(panel.requestedBlocks(), (std::vector<int32_t>{0, 0, 1}));
  EXPECT_NE(run.err.find(" retrieveBlock: ckecksum failed \r\n"), std::string::npos);
  EXPECT_NE(run.err.find(" retrieveBlock: sending request block num 1\r\n"), std::string::npos);

  // The same listing as from the image file.
  ProgramRun fromFile = runOrvellaConfig(
      {"dump", "--image", file("panel.img", image), "--from", "0", "--to", "0x7F"});
  EXPECT_EQ(run.out, fromFile.out);
}

TEST_F(DumpCommandTest, APanelThatDoesNotAnswerGives74) {
  SimulatedPanel panel(countingImage(), false);
  panel.queueAnswers({Answer::Silent, Answer::Silent, Answer::Silent, Answer::Silent});
  ProgramRun run = runOrvellaConfig({"dump", "--port", panel.devicePath(), "--from", "64", "--to", "64"});
  EXPECT_EQ(run.status, 74);
  EXPECT_EQ(run.err, "orvella-config: could not read every block from " + panel.devicePath() + "\n");
  EXPECT_NE(run.out.find("[E]Communications error reading block 1\r\n"), std::string::npos);
  EXPECT_EQ(run.out.find("0040   "), std::string::npos);  // nothing of the block is listed
}

}  // namespace
