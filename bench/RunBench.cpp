// RunBench: times ConvertD on long 1 Hz truck patterns against the I/O floor
// (IoFloor: reading the same pattern and writing the same rows, nothing
// converted) and prints, per size, records per second, time per record, the
// ratio of the two and the peak memory per record.
//
//   RunBench --convertd PATH --floor PATH --examples DIR --work DIR
//            [--sizes 10000,100000,1000000] [--runs N]
//
// For every size it writes DATA, the pattern and the truck of DIR into a
// folder of its own under the work folder, runs both programs once to warm
// up and to check their output, then runs them in turn, ConvertD and the
// floor alternately, so that a drift of the machine's speed hits both alike.
// Each run is a whole process: wall time from fork to exit, peak resident
// memory from the kernel's accounting of the child (wait4). A child's peak
// starts at its parent's highest resident size, so everything big (making
// the pattern, reading the results) happens in helper processes and this
// one stays small.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TruckCycle.h"

namespace {

struct Options {
  std::string convertd, floor, examples, work;
  std::vector<long> sizes = {10000, 100000, 1000000};
  int runs = 5;
};

struct RunStats {
  double seconds = 0;  // wall
  long maxRssKb = 0;
  int status = -1;
};

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "RunBench: %s\n", what.c_str());
  std::exit(1);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail("cannot read " + path);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  if (!out) Fail("cannot write " + path);
}

std::string Absolute(const std::string& path) {
  char buf[4096];
  if (::realpath(path.c_str(), buf) == nullptr) Fail(path + ": " + std::strerror(errno));
  return buf;
}

double Now() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec + ts.tv_nsec * 1e-9;
}

// Runs argv in dir with standard input from /dev/null and standard output
// and error into the given files (or /dev/null).
RunStats Run(const std::vector<std::string>& argv, const std::string& dir,
             const std::string& outFile, const std::string& errFile) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  RunStats stats;
  double start = Now();
  pid_t pid = fork();
  if (pid < 0) Fail(std::string("fork: ") + std::strerror(errno));
  if (pid == 0) {
    int in = open("/dev/null", O_RDONLY);
    int out = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || err < 0 || chdir(dir.c_str()) != 0) _exit(126);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    execv(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  rusage usage;
  if (wait4(pid, &status, 0, &usage) != pid) Fail(std::string("wait4: ") + std::strerror(errno));
  stats.seconds = Now() - start;
  stats.maxRssKb = usage.ru_maxrss;
  stats.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return stats;
}

// Runs work in a child process and returns its exit status.
template <typename Work>
int InChild(Work work) {
  std::fflush(stdout);
  pid_t pid = fork();
  if (pid < 0) Fail(std::string("fork: ") + std::strerror(errno));
  if (pid == 0) {
    int status = work();
    std::fflush(stdout);
    _exit(status);
  }
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) Fail(std::string("waitpid: ") + std::strerror(errno));
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// FNV-1a, to tell at a glance whether two versions wrote the same bytes.
uint64_t Fnv1a(const std::string& text) {
  uint64_t h = 1469598103934665603ull;
  for (unsigned char c : text) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

std::vector<std::string> Column0(const std::string& text) {
  std::vector<std::string> out;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    out.push_back(line.substr(0, line.find('\t')));
    pos = end + 1;
  }
  return out;
}

Options Parse(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) Fail(a + " needs a value");
      return argv[++i];
    };
    if (a == "--convertd") {
      o.convertd = value();
    } else if (a == "--floor") {
      o.floor = value();
    } else if (a == "--examples") {
      o.examples = value();
    } else if (a == "--work") {
      o.work = value();
    } else if (a == "--runs") {
      o.runs = std::atoi(value().c_str());
    } else if (a == "--sizes") {
      o.sizes.clear();
      std::stringstream ss(value());
      std::string item;
      while (std::getline(ss, item, ',')) o.sizes.push_back(std::atol(item.c_str()));
    } else {
      Fail("unknown argument " + a);
    }
  }
  if (o.convertd.empty() || o.floor.empty() || o.examples.empty() || o.work.empty())
    Fail("usage: RunBench --convertd PATH --floor PATH --examples DIR --work DIR "
         "[--sizes N,N,...] [--runs N]");
  if (o.runs < 1 || o.sizes.empty()) Fail("need at least one run and one size");
  for (long n : o.sizes) {
    if (n < 2) Fail("a size must be at least 2 points");
  }
  return o;
}

struct SizeResult {
  long points = 0;
  long records = 0;
  int runs = 0;
  std::vector<double> conv, floor, ratio;
  long convRssKb = 0, floorRssKb = 0;
};

// Small sizes run shortly and suffer more from noise: they get more runs.
int RunsFor(long points, int runs) {
  if (points <= 10000) return 4 * runs + 1;
  if (points <= 100000) return 2 * runs + 1;
  return runs;
}

SizeResult BenchSize(const Options& o, long points) {
  SizeResult r;
  r.points = points;
  std::string dir = o.work + "/n" + std::to_string(points);
  mkdir(dir.c_str(), 0755);
  InChild([&] {
    WriteFile(dir + "/pattern.ptn", TruckCyclePattern(points));
    WriteFile(dir + "/truck.veh", ReadFile(o.examples + "/truck14t.veh"));
    WriteFile(dir + "/truck.trq", ReadFile(o.examples + "/truck14t.trq"));
    WriteFile(dir + "/DATA", "pattern.ptn\ntruck.veh\ntruck.trq\n");
    return 0;
  });

  const std::vector<std::string> conv = {o.convertd, "result.txt"};
  const std::vector<std::string> floor = {o.floor, "pattern.ptn", "floor.txt"};

  // The warm-up runs keep what they print and are checked: ConvertD ran,
  // and the floor wrote the same rows.
  RunStats c = Run(conv, dir, dir + "/stdout.txt", dir + "/stderr.txt");
  RunStats f = Run(floor, dir, "/dev/null", dir + "/floor-stderr.txt");
  if (c.status != 0) Fail("ConvertD failed in " + dir + " (status " + std::to_string(c.status) + ")");
  if (f.status != 0) Fail("IoFloor failed in " + dir);
  // A 1 Hz pattern gives one record per point.
  r.records = points;
  int checked = InChild([&] {
    const std::string result = ReadFile(dir + "/result.txt");
    const std::vector<std::string> times = Column0(result);
    if (times != Column0(ReadFile(dir + "/floor.txt")))
      Fail("the floor's rows differ from ConvertD's in " + dir);
    if (static_cast<long>(times.size()) - 1 != points)
      Fail("ConvertD wrote " + std::to_string(times.size() - 1) + " records for " +
           std::to_string(points) + " points in " + dir);
    const std::string out = ReadFile(dir + "/stdout.txt");
    std::printf("  %ld points: result %zu bytes fnv1a %016llx, stdout %zu bytes fnv1a %016llx\n",
                points, result.size(), static_cast<unsigned long long>(Fnv1a(result)),
                out.size(), static_cast<unsigned long long>(Fnv1a(out)));
    return 0;
  });
  if (checked != 0) std::exit(1);

  r.runs = RunsFor(points, o.runs);
  for (int i = 0; i < r.runs; ++i) {
    c = Run(conv, dir, "/dev/null", "/dev/null");
    f = Run(floor, dir, "/dev/null", "/dev/null");
    if (c.status != 0 || f.status != 0) Fail("a timed run failed in " + dir);
    r.conv.push_back(c.seconds);
    r.floor.push_back(f.seconds);
    r.ratio.push_back(c.seconds / f.seconds);
    r.convRssKb = std::max(r.convRssKb, c.maxRssKb);
    r.floorRssKb = std::max(r.floorRssKb, f.maxRssKb);
  }
  return r;
}

void PrintTimes(const char* what, const std::vector<double>& t, long records) {
  double med = Median(t);
  std::printf("  %-10s median %9.4f s  min %9.4f  max %9.4f   %10.0f records/s  %8.1f ns/record\n",
              what, med, *std::min_element(t.begin(), t.end()),
              *std::max_element(t.begin(), t.end()), records / med, med / records * 1e9);
}

}  // namespace

int main(int argc, char** argv) {
  Options o = Parse(argc, argv);
  mkdir(o.work.c_str(), 0755);
  o.convertd = Absolute(o.convertd);
  o.floor = Absolute(o.floor);
  o.examples = Absolute(o.examples);
  o.work = Absolute(o.work);

  long cpus = sysconf(_SC_NPROCESSORS_ONLN);
  std::printf("ConvertD against the I/O floor, 1 Hz truck cycle (%zu s, repeated); %ld cpus\n",
              TruckCycleSpeeds().size(), cpus);
  std::vector<SizeResult> results;
  for (long n : o.sizes) results.push_back(BenchSize(o, n));

  std::printf("\n");
  for (const SizeResult& r : results) {
    std::printf("%ld points, %ld records, %d runs each\n", r.points, r.records, r.runs);
    PrintTimes("ConvertD", r.conv, r.records);
    PrintTimes("I/O floor", r.floor, r.records);
    std::printf("  ratio ConvertD / floor: median of pairs %.2f (min %.2f, max %.2f), of medians "
                "%.2f\n",
                Median(r.ratio), *std::min_element(r.ratio.begin(), r.ratio.end()),
                *std::max_element(r.ratio.begin(), r.ratio.end()),
                Median(r.conv) / Median(r.floor));
    std::printf("  peak memory: ConvertD %ld KiB = %.0f bytes/record, floor %ld KiB = %.0f "
                "bytes/record\n",
                r.convRssKb, r.convRssKb * 1024.0 / r.records, r.floorRssKb,
                r.floorRssKb * 1024.0 / r.records);
  }

  // The targets, judged on the largest and the smallest size of this run.
  const SizeResult& small = results.front();
  const SizeResult& large = results.back();
  if (results.size() > 1) {
    double ratio = Median(large.ratio);
    double scaling = (Median(large.conv) / large.records) / (Median(small.conv) / small.records);
    double bytes = large.convRssKb * 1024.0 / large.records;
    std::printf("\ntargets at %ld points:\n", large.points);
    std::printf("  ConvertD / floor         %5.2f  (at most 2)    %s\n", ratio,
                ratio <= 2 ? "met" : "NOT met");
    std::printf("  time/record vs %ld   %5.2f  (at most 1.3)  %s\n", small.points, scaling,
                scaling <= 1.3 ? "met" : "NOT met");
    std::printf("  bytes/record            %6.0f  (at most 300)  %s\n", bytes,
                bytes <= 300 ? "met" : "NOT met");
  }
  return 0;
}
