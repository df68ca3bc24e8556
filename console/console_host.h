#pragma once
// The console program's EngineHost: commands from standard input; the engine
// itself writes replies to standard output, so the notifications are no-ops.

#include <iosfwd>

#include "disk_sync.h"
#include "driver/engine_host.h"

class ConsoleHost : public EngineHost {
 public:
  explicit ConsoleHost(std::istream& input);

  bool takeCommand(std::string& line) override;
  void lineWritten(const std::string&) override {}
  void debugText(const std::string&, int) override {}
  void notifyHost(int, int) override {}
  void searchStats(int, int) override {}
  bool isWindowedProgram() const override { return false; }
  const DiskSync* diskSync() const override { return &sync; }

 private:
  std::istream& input;
  SystemDiskSync sync;
};
