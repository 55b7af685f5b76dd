// A scan through the program against the same scan with no window, on a warm tree.
//   program:  the real main window's ScanFolder run from inside the message loop, with the
//             progress dialog shown, the pump hooked to Application->ProcessMessages and the
//             progress going to the real WaitForm (offscreen unless QT_QPA_PLATFORM says
//             otherwise). The folder dialog is skipped: FolderPath is set directly.
//   headless: the steps of ombrelith-scan in the same process: a fresh root, CountEntries(0),
//             delete, a fresh root, Scan(0), with no pump and no progress hook.
//   tool:     the ombrelith-scan executable itself, its count_ms + scan_ms (when built).
// The tree a run leaves is freed outside the timed part. One warm-up round, then RUNS
// (default 5) interleaved rounds; prints each run (with the process's voluntary context
// switches, i.e. how often the scan waited, and its preemptions), the medians of wall and CPU
// time and their ratios, and the cost of ScanFolder's steps besides the two passes.
//   usage: bench_scan_program [FOLDER...]   (default /usr)
#include <stdlib.h>
#include <sys/resource.h>
#include <time.h>

#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/AboutUnit.h"
#include "dialogs/SelUnit.h"
#include "dialogs/WaitUnit.h"
#include "platform/Application.h"
#include "platform/Paths.h"
#include "shell/DUUnit.h"
#include "shell/SettingsStore.h"
#include "shell/Startup.h"
#include "tree/ScanHooks.h"
#include "tree/SizeTree.h"

namespace {

struct Sample {
  double wallMs;
  double cpuMs;
  int entries;
  long waits = 0;     // voluntary context switches: the process gave up the processor
  long preempts = 0;  // involuntary ones: the scheduler took it away
};

double ProcessCpuMs() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

template <class F>
Sample Timed(F&& run) {
  const auto wall = std::chrono::steady_clock::now();
  const double cpu = ProcessCpuMs();
  rusage before, after;
  getrusage(RUSAGE_SELF, &before);
  run();
  getrusage(RUSAGE_SELF, &after);
  return {
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wall).count(),
      ProcessCpuMs() - cpu, 0, after.ru_nvcsw - before.ru_nvcsw,
      after.ru_nivcsw - before.ru_nivcsw};
}

// Entries below `folder` (itself not counted), to check that every scan saw the same tree.
int CountBelow(DirEnt* folder) {
  if (!folder) return -1;
  int n = 0;
  for (int i = 0; i < folder->GetCount(); ++i) {
    ObjEnt* e = folder->GetEntry(i);
    ++n;
    if (!e->IsFile()) n += CountBelow(static_cast<DirEnt*>(e));
  }
  return n;
}

Sample Program(const std::string& folder) {
  DuForm->Root.reset();
  DuForm->Current = nullptr;
  InstallScanHooks();
  DuForm->FolderPath = folder;
  Sample s = Timed([] { ScanFolder(*DuForm); });
  s.entries = CountBelow(DuForm->Current);
  DuForm->Root.reset();
  DuForm->Current = nullptr;
  return s;
}

Sample Headless(const std::string& folder) {
  SetPumpHook({});
  SetProgressHook({});
  std::unique_ptr<DirEnt> root;
  Sample s = Timed([&] {
    StopRequested = 0;
    EntriesCounted = 0;
    EntriesScanned = 0;
    root = std::make_unique<DirEnt>(folder);
    root->CountEntries(0);
    root.reset();
    root = std::make_unique<DirEnt>(folder);
    root->Scan(0);
  });
  s.entries = CountBelow(root.get());
  root.reset();
  return s;
}

// The tool's own figures; its CPU time is the child's user + system time.
Sample Tool(const std::string& folder) {
#ifdef OMBRELITH_SCAN_TOOL
  rusage before, after;
  getrusage(RUSAGE_CHILDREN, &before);
  const std::string command = std::string(OMBRELITH_SCAN_TOOL) + " '" + folder + "'";
  Sample s{-1, -1, -1};
  if (FILE* out = popen(command.c_str(), "r")) {
    char line[512] = {};
    double countMs = 0, scanMs = 0;
    if (std::fgets(line, sizeof line, out)) {
      const char* c = std::strstr(line, "count_ms=");
      const char* n = std::strstr(line, "folders=");
      if (c && std::sscanf(c, "count_ms=%lf scan_ms=%lf", &countMs, &scanMs) == 2)
        s.wallMs = countMs + scanMs;
      long long folders = 0, files = 0;
      // The tool counts the root among its folders.
      if (n && std::sscanf(n, "folders=%lld files=%lld", &folders, &files) == 2)
        s.entries = static_cast<int>(folders - 1 + files);
    }
    pclose(out);
  }
  getrusage(RUSAGE_CHILDREN, &after);
  auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
  s.cpuMs = ms(after.ru_utime) - ms(before.ru_utime) + ms(after.ru_stime) - ms(before.ru_stime);
  return s;
#else
  (void)folder;
  return {-1, -1, -1};
#endif
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::string Held(const std::string& arg) {
  std::string path = std::filesystem::absolute(arg).lexically_normal().string();
  while (path.size() > 1 && path.back() == platform::kPathSeparator) path.pop_back();
  return platform::AppendSeparator(path);
}

// The steps of ScanFolder around the passes, timed alone: the store of the folder (a settings
// write, synced to disk) and the progress dialog's show and hide.
void Steps(const std::string& folder) {
  DuForm->FolderPath = folder;
  std::vector<double> store, dialog;
  for (int i = 0; i < 5; ++i) {
    store.push_back(Timed([] { SaveFolderPath(*DuForm); }).wallMs);
    dialog.push_back(Timed([] {
                       WaitForm->ShowFolderName();
                       WaitForm->Show();
                       WaitForm->SetProgress(0);
                       WaitForm->Hide();
                     }).wallMs);
  }
  std::printf(
      "  steps besides the passes, median of 5: folder store %.2f ms, dialog show+hide %.2f ms\n",
      Median(store), Median(dialog));
}

void Bench(const std::string& folder, int runs) {
  std::printf("%s\n", folder.c_str());
  // Warm the cache and the allocator; not counted.
  Headless(folder);
  Program(folder);
  std::vector<Sample> program, headless, tool;
  for (int i = 0; i < runs; ++i) {
    // Alternate which goes first, so neither always follows the other.
    if (i % 2 == 0) {
      program.push_back(Program(folder));
      headless.push_back(Headless(folder));
    } else {
      headless.push_back(Headless(folder));
      program.push_back(Program(folder));
    }
    tool.push_back(Tool(folder));
    std::printf(
        "  run %d: program %.1f ms (cpu %.1f), headless %.1f ms (cpu %.1f), tool %.1f ms "
        "(cpu %.1f); entries %d / %d / %d; waits %ld / %ld, preemptions %ld / %ld\n",
        i + 1, program.back().wallMs, program.back().cpuMs, headless.back().wallMs,
        headless.back().cpuMs, tool.back().wallMs, tool.back().cpuMs, program.back().entries,
        headless.back().entries, tool.back().entries, program.back().waits, headless.back().waits,
        program.back().preempts, headless.back().preempts);
    std::fflush(stdout);
  }
  auto median = [](const std::vector<Sample>& v, double Sample::*field) {
    std::vector<double> x;
    for (const Sample& s : v) x.push_back(s.*field);
    return Median(x);
  };
  const double pw = median(program, &Sample::wallMs), pc = median(program, &Sample::cpuMs);
  const double hw = median(headless, &Sample::wallMs), hc = median(headless, &Sample::cpuMs);
  const double tw = median(tool, &Sample::wallMs), tc = median(tool, &Sample::cpuMs);
  std::printf(
      "  median of %d: program %.1f ms (cpu %.1f), headless %.1f ms (cpu %.1f), "
      "tool %.1f ms (cpu %.1f)\n",
      runs, pw, pc, hw, hc, tw, tc);
  std::printf("  ratio program/headless: wall %.3f, cpu %.3f; program/tool: wall %.3f, cpu %.3f\n",
              pw / hw, pc / hc, pw / tw, pc / tc);
  // Each round's own ratio: the two scans of a round ran a moment apart, under the same load.
  std::vector<double> wallRatios, cpuRatios;
  for (int i = 0; i < runs; ++i) {
    wallRatios.push_back(program[i].wallMs / headless[i].wallMs);
    cpuRatios.push_back(program[i].cpuMs / headless[i].cpuMs);
  }
  std::printf("  median of the rounds' ratios program/headless: wall %.3f, cpu %.3f\n",
              Median(wallRatios), Median(cpuRatios));
  Steps(folder);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  char scratch[] = "/tmp/scan_program_bench_XXXXXX";
  if (!mkdtemp(scratch)) return 1;
  setenv("XDG_CONFIG_HOME", scratch, 1);
  const char* runsText = getenv("RUNS");
  const int runs = runsText ? std::max(1, atoi(runsText)) : 5;
  std::vector<std::string> folders;
  for (int i = 1; i < argc; ++i) folders.push_back(Held(argv[i]));
  if (folders.empty()) folders.push_back("/usr/");

  using platform::Application;
  CreateApplicationWindows();
  // The scans run as the Open command runs them: from a handler inside the message loop.
  QTimer::singleShot(0, [&] {
    for (const std::string& folder : folders) Bench(folder, runs);
    Application->Terminate();
  });
  Application->Run();
  Application->DestroyForms();
  std::error_code ignored;
  std::filesystem::remove_all(scratch, ignored);
  return 0;
}
