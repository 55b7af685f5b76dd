// ProcessMessages per call with an empty queue: the throttled call a scan makes per entry,
// against the backend's own dispatch that it skips. Runs on the offscreen platform unless
// QT_QPA_PLATFORM says otherwise.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "platform/Application.h"
#include "platform/Backend.h"

namespace {

void BM_ProcessMessages(benchmark::State& state) {
  platform::Application->Initialize();
  for (auto _ : state) platform::Application->ProcessMessages();
}
BENCHMARK(BM_ProcessMessages);

void BM_BackendProcessEvents(benchmark::State& state) {
  platform::Backend& backend = platform::CurrentBackend();
  for (auto _ : state) backend.ProcessEvents();
}
BENCHMARK(BM_BackendProcessEvents);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
