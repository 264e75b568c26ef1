// From process start to the main window's first painted frame: the program
// against a minimal Qt Widgets program with a menu bar, a check box and a
// button. Both run on Qt's offscreen platform, in a scratch folder of their
// own, and report the moment of their first frame on standard output.
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

long long MonotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

std::filesystem::path BenchmarkFolder() { return std::filesystem::read_symlink("/proc/self/exe").parent_path(); }

// Starts the program, reads the moment of its first frame and waits for it
// to end. The time from the start to that moment, or a negative value when
// the program reported none.
double SecondsToFirstFrame(const std::string& program, const std::string& scratch) {
  int output[2];
  if (pipe(output) != 0) {
    return -1;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, output[0]);
  posix_spawn_file_actions_addchdir_np(&actions, scratch.c_str());

  std::vector<std::string> variables = {"QT_QPA_PLATFORM=offscreen", "XDG_CONFIG_HOME=" + scratch};
  for (char** variable = environ; *variable != nullptr; ++variable) {
    variables.emplace_back(*variable);
  }
  std::vector<char*> environment;
  for (std::string& variable : variables) {
    environment.push_back(variable.data());
  }
  environment.push_back(nullptr);
  std::string path = program;
  char* arguments[] = {path.data(), nullptr};

  const long long started = MonotonicNanoseconds();
  pid_t child = 0;
  const int spawned = posix_spawn(&child, path.c_str(), &actions, nullptr, arguments, environment.data());
  posix_spawn_file_actions_destroy(&actions);
  close(output[1]);
  long long painted = 0;
  if (spawned == 0) {
    FILE* lines = fdopen(output[0], "r");
    if (std::fscanf(lines, "%lld", &painted) != 1) {
      painted = 0;
    }
    std::fclose(lines);
    waitpid(child, nullptr, 0);
  } else {
    close(output[0]);
  }
  return painted > started ? static_cast<double>(painted - started) / 1e9 : -1;
}

void MeasureStartup(benchmark::State& state, const char* program) {
  QTemporaryDir scratch;
  const std::string path = (BenchmarkFolder() / program).string();
  for (auto _ : state) {
    const double seconds = SecondsToFirstFrame(path, scratch.path().toStdString());
    if (seconds < 0) {
      state.SkipWithError("the program reported no first frame");
      break;
    }
    state.SetIterationTime(seconds);
  }
}

void BM_App_Startup(benchmark::State& state) { MeasureStartup(state, "bench_app_startup_program"); }
void BM_QtPeer_Startup(benchmark::State& state) { MeasureStartup(state, "bench_qt_peer_startup_program"); }

BENCHMARK(BM_App_Startup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_QtPeer_Startup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

BENCHMARK_MAIN();
