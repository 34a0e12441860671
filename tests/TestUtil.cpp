#include "TestUtil.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "input/CommFun.h"

namespace {

// The library's helpers are reached through this global, as in ConvertD.
struct InstallCommFun {
  InstallCommFun() {
    if (CommFun == nullptr) CommFun = new TCommFun();
  }
} installCommFun;

void RemoveTree(const std::string& path) {
  DIR* d = opendir(path.c_str());
  if (d != nullptr) {
    while (dirent* e = readdir(d)) {
      std::string name = e->d_name;
      if (name == "." || name == "..") continue;
      std::string child = path + "/" + name;
      struct stat st;
      if (lstat(child.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        chmod(child.c_str(), 0700);
        RemoveTree(child);
      } else {
        unlink(child.c_str());
      }
    }
    closedir(d);
  }
  rmdir(path.c_str());
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

}  // namespace

namespace testutil {

TempDir::TempDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base ? base : "/tmp") + "/convertd-test-XXXXXX";
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  if (mkdtemp(buf.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = buf.data();
}

TempDir::~TempDir() {
  chmod(path_.c_str(), 0700);
  RemoveTree(path_);
}

void TempDir::Write(const std::string& name, const std::string& content) const {
  std::ofstream out(File(name), std::ios::binary);
  out << content;
}

std::string TempDir::Read(const std::string& name) const { return Slurp(File(name)); }

bool TempDir::Exists(const std::string& name) const {
  struct stat st;
  return ::stat(File(name).c_str(), &st) == 0;
}

std::vector<std::string> TempDir::List() const {
  std::vector<std::string> names;
  DIR* d = opendir(path_.c_str());
  if (d == nullptr) return names;
  while (dirent* e = readdir(d)) {
    std::string name = e->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(d);
  std::sort(names.begin(), names.end());
  return names;
}

RunResult Run(const std::string& program, const std::string& dir,
              const std::vector<std::string>& args, const std::string& input,
              const RunLimits& limits) {
  TempDir io;
  io.Write("stdin", input);
  pid_t pid = fork();
  if (pid == 0) {
    int in = open(io.File("stdin").c_str(), O_RDONLY);
    int out = open(io.File("stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int err = open(io.File("stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0 || chdir(dir.c_str()) != 0) _exit(127);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    if (limits.maxFileSize >= 0) {
      // A write past the limit then fails instead of killing the program.
      std::signal(SIGXFSZ, SIG_IGN);
      struct rlimit rl;
      rl.rlim_cur = rl.rlim_max = static_cast<rlim_t>(limits.maxFileSize);
      if (setrlimit(RLIMIT_FSIZE, &rl) != 0) _exit(127);
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  RunResult result;
  int status = 0;
  waitpid(pid, &status, 0);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = io.Read("stdout");
  result.err = io.Read("stderr");
  return result;
}

RunResult RunConvertD(const std::string& dir, const std::vector<std::string>& args,
                      const std::string& input, const RunLimits& limits) {
  return Run(CONVERTD_BINARY, dir, args, input, limits);
}

RunResult RunReportD(const std::string& dir, const std::vector<std::string>& args) {
  return Run(REPORTD_BINARY, dir, args);
}

Conversion::Conversion(const std::string& pattern, const std::string& vehicle,
                       const std::string& curve) {
  dir.Write("DATA", "pattern.txt\nvehicle.txt\ncurve.txt\n");
  dir.Write("pattern.txt", pattern);
  dir.Write("vehicle.txt", vehicle);
  dir.Write("curve.txt", curve);
}

RunResult Conversion::Run(const std::vector<std::string>& args, const std::string& input) {
  return RunConvertD(dir.path(), args, input);
}

const char kTruckVehicle[] =
    "6500\n7000\n2\n3.20\n2.45\n0.470\n6\n"
    "6.980\n4.060\n2.400\n1.550\n1.000\n0.780\n"
    "4.111\n600\n2500\n2700\n";

const char kTruckCurve[] =
    "Ne,Te\n600,380\n800,520\n1000,650\n1200,700\n1400,700\n1600,690\n1800,660\n"
    "2000,620\n2200,570\n2400,510\n2500,480\n2700,300\n";

void SetUpTruck(TCalculateProc& proc) {
  proc.SetConstants();
  proc.W0 = proc.TestW0 = 6500;
  proc.Payload = 7000;
  proc.TestPayload = 3500;
  proc.Crew = 2;
  proc.Height = 3.20;
  proc.Width = 2.45;
  proc.TireRadius = 0.470;
  proc.GearNum = 6;
  proc.GearRatio = {6.980, 4.060, 2.400, 1.550, 1.000, 0.780};
  proc.FinalRatio = 4.111;
  proc.Nidle = 600;
  proc.Nrate = 2500;
  proc.Nex = 2700;
  proc.MaxNe = proc.GetMaxNe();
  proc.Nec = (proc.MaxNe - proc.Nidle) * proc.NecPercent / 100 + proc.Nidle;
  proc.Nes = (proc.MaxNe - proc.Nidle) * proc.NesPercent / 100 + proc.Nidle;
  std::vector<MAX_TORQUE> curve;
  const double points[][2] = {{600, 380},  {800, 520},  {1000, 650}, {1200, 700},
                              {1400, 700}, {1600, 690}, {1800, 660}, {2000, 620},
                              {2200, 570}, {2400, 510}, {2500, 480}, {2700, 300}};
  for (const auto& p : points) {
    MAX_TORQUE m;
    m.Ne = p[0];
    m.Te = p[1];
    curve.push_back(m);
  }
  proc.MaxTorque.assign(curve);
  proc.GetExceedF();
}

void MakeTrace(TCalculateProc& proc, const std::vector<double>& targets) {
  proc.CalcData.clear();
  for (size_t i = 0; i < targets.size(); ++i) {
    stCalculateData rec;
    rec.Time10 = static_cast<double>(i) * 10;
    rec.PrintMark = 1;
    rec.Vtarget = targets[i];
    rec.StepLength = i + 1 < targets.size() ? 10 : 0;
    if (i + 1 < targets.size()) {
      rec.AccKmhS = targets[i + 1] - targets[i];
      rec.AccMs2 = rec.AccKmhS * 1000 / 3600;
    }
    proc.CalcData.push_back(rec);
  }
}

std::string ReadSourceFile(const std::string& relativePath) {
  return Slurp(std::string(CONVERTD_SOURCE_DIR) + "/" + relativePath);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  std::istringstream in(text);
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  return fields;
}

}  // namespace testutil
