// TempXdgHome: a temporary folder for one test with HOME, XDG_CONFIG_HOME and XDG_DATA_HOME
// pointing inside it ("home", "config", "data"; only "home" is created). The destructor puts
// the variables back and removes the folder with everything in it. While one lives, the
// program runner gives the program these variables; without one it makes a home of its own.
#pragma once

#include <optional>
#include <string>
#include <vector>

class TempXdgHome {
 public:
  TempXdgHome();
  ~TempXdgHome();
  TempXdgHome(const TempXdgHome&) = delete;
  TempXdgHome& operator=(const TempXdgHome&) = delete;

  // True while some TempXdgHome holds the variables.
  static bool active() { return live_ > 0; }

  const std::string& root() const { return root_; }  // no final "/"
  std::string configHome() const { return root_ + "/config"; }
  std::string dataHome() const { return root_ + "/data"; }

  // Test helpers on paths relative to root(): create a file (and its folders) or a folder.
  void writeFile(const std::string& relative, const std::string& bytes = "") const;
  void makeDir(const std::string& relative) const;

 private:
  static inline int live_ = 0;
  std::string root_;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};
