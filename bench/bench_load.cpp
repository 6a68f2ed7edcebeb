// Load benchmark: on the same file, in one run, times pugixml's load_file (the
// reference), the navigator alone (Load plus a walk over every element), the
// configuration root, the model of every protocol and the destruction of it
// all, best of several runs each, every measurement in a fresh process;
// measures the peak RSS of a full load in a child process; and probes the
// shapes that would expose a quadratic path (each read in a fresh process too).
//
//   bench_load [--runs N] [--out results.md] [--no-probes] FILE...
//   bench_load --time-one FILE pugi|navigator|full   (child) one timed run
//   bench_load --time-one FILE warm-pugi|warm-full   (child) the same on a heap
//                                 touched beforehand (first touch taken out)
//   bench_load --callgrind FILE   one full load, instrumented only around it
//   bench_load --callgrind-pugi FILE   pugixml's load_file, the same way
//   bench_load --rss FILE         (child) one full load, as a host does it
//   bench_load --rss-pugi FILE    (child) one pugixml load_file
//   bench_load --time-probe INDEX SIZE   (child) one timed probe read
//   bench_load --callgrind-probe INDEX SIZE   one probe read, instrumented
//   bench_load --probe-sizes      the probes' indexes and sizes

#include <sys/resource.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <memory>
#include <pugixml.hpp>
#include <sstream>
#include <string>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "BenchSupport.h"
#include "eventconfig/EventConfig.h"

#if defined(__has_include)
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define BENCH_HAVE_CALLGRIND 1
#endif
#endif
#ifndef BENCH_HAVE_CALLGRIND
#define CALLGRIND_START_INSTRUMENTATION
#define CALLGRIND_STOP_INSTRUMENTATION
#define CALLGRIND_DUMP_STATS
#endif

namespace {

std::string ReadFirstLine(const char* path, const char* key);

typedef std::chrono::steady_clock Clock;

double Seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// The protocol types the generator writes are small; a host asks for the
// ones it knows, so ask for every small value and keep the non-empty ones.
const int kMaxProtocol = 16;

std::wstring Widen(const std::string& narrow) {
    return std::wstring(narrow.begin(), narrow.end());
}

// ---- One full load, the way a host does it -------------------------------------

struct Loaded {
    std::unique_ptr<CEventConfig> root;
    std::vector<std::unique_ptr<CStateMachineConfig>> models;
};

std::unique_ptr<CEventConfig> LoadRoot(const std::string& path) {
    return std::unique_ptr<CEventConfig>(new CEventConfig(Widen(path)));
}

void BuildModels(Loaded& loaded) {
    for (int p = 0; p < kMaxProtocol; ++p) {
        // The host's copy of the document lives while its model is built.
        const std::wstring doc =
            loaded.root->GetEventConfigByProtocol(static_cast<Protocol_Type_Enum>(p));
        if (!doc.empty()) loaded.models.emplace_back(new CStateMachineConfig(doc));
    }
}

void Destroy(Loaded& loaded) {
    loaded.models.clear();
    loaded.root.reset();
}

struct ModelCount {
    long systemStates = 0, eventStates = 0, rules = 0, operations = 0, actions = 0, nullActions = 0;
};

void CountEventState(CEventStateConfig* eventState, ModelCount& count) {
    ++count.eventStates;
    for (const auto& entry : eventState->GetRuleList()) {
        CRuleConfig* rule = entry.second;
        ++count.rules;
        if (rule->GetOperationType()) ++count.operations;
        for (const std::vector<CActionConfig*>* list :
             {&rule->GetTrueActionList(), &rule->GetFalseActionList()})
            for (CActionConfig* action : *list) ++(action ? count.actions : count.nullActions);
    }
}

ModelCount Count(Loaded& loaded) {
    ModelCount count;
    for (auto& model : loaded.models) {
        for (const auto& state : model->GetSysStateConfigList()) {
            ++count.systemStates;
            for (const auto& eventState : state.second->GetEventStateList())
                CountEventState(eventState.second, count);
        }
        if (CSpecialEventStateListConfig* special = model->GetSpecialEventStateListConfig())
            for (const auto& eventState : special->GetEventStateList())
                CountEventState(eventState.second, count);
    }
    return count;
}

// ---- The navigator alone ----------------------------------------------------------

// Visits every element: into each one found, out when a level is done.
long WalkAll(CMarkup& markup) {
    long elements = 0;
    int depth = 0;
    for (;;) {
        if (markup.FindElem()) {
            ++elements;
            markup.IntoElem();
            ++depth;
        } else if (depth > 0) {
            markup.OutOfElem();
            --depth;
        } else {
            return elements;
        }
    }
}

// ---- Measurements -----------------------------------------------------------------------

struct FileResult {
    std::string path;
    double megabytes = 0;
    long bytes = 0;
    double pugi = 1e99, navigator = 1e99, root = 1e99, models = 1e99, full = 1e99, destroy = 1e99;
    double warmPugi = 1e99, warmFull = 1e99;  // on a heap touched beforehand
    int runs = 0;
    long elements = 0;
    ModelCount count;
    long peakRssKb = 0, pugiPeakRssKb = 0;
};

// Peak RSS (kB) of this program run as a child in the given mode.
long ChildPeakRss(const char* mode, const std::string& path) {
    const pid_t pid = fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        execl("/proc/self/exe", "bench_load", mode, path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    struct rusage usage;
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss;
}

// One run of every measurement, in this process: what a child reports.
struct RunTimes {
    double pugi = 0, navigator = 0, root = 0, models = 0, destroy = 0;
    long elements = 0;
    ModelCount count;
};

// One measurement ("pugi", "navigator" or "full") of one run, in this
// process.
RunTimes TimeOne(const std::string& path, const std::string& what) {
    RunTimes r;
    if (what == "pugi") {
        pugi::xml_document doc;
        const Clock::time_point t = Clock::now();
        const pugi::xml_parse_result ok = doc.load_file(path.c_str());
        r.pugi = Seconds(t);
        if (!ok) std::fprintf(stderr, "pugixml: %s: %s\n", path.c_str(), ok.description());
    } else if (what == "navigator") {
        CMarkup markup;
        const Clock::time_point t = Clock::now();
        if (!markup.Load(Widen(path).c_str()))
            std::fprintf(stderr, "navigator cannot load %s\n", path.c_str());
        r.elements = WalkAll(markup);
        r.navigator = Seconds(t);
    } else {
        Loaded loaded;
        Clock::time_point t = Clock::now();
        loaded.root = LoadRoot(path);
        r.root = Seconds(t);
        t = Clock::now();
        BuildModels(loaded);
        r.models = Seconds(t);
        r.count = Count(loaded);
        t = Clock::now();
        Destroy(loaded);
        r.destroy = Seconds(t);
    }
    return r;
}

// Every measurement of every run in a fresh process of its own, as a host
// loads its configuration once at start: in one long process each reader
// would find the memory the one before it freed (a warm heap for one,
// fresh pages for another), which compares unlike with unlike.
bool TimeInChild(const std::string& path, const char* what, RunTimes& r) {
    const std::string self = bench::SelfPath();
    if (self.empty()) return false;
    const std::string command = "'" + self + "' --time-one '" + path + "' " + what;
    FILE* child = popen(command.c_str(), "r");
    if (!child) return false;
    ModelCount& c = r.count;
    RunTimes got;
    const int fields =
        std::fscanf(child, "%lf %lf %lf %lf %lf %ld %ld %ld %ld %ld %ld %ld", &got.pugi,
                    &got.navigator, &got.root, &got.models, &got.destroy, &got.elements,
                    &got.count.systemStates, &got.count.eventStates, &got.count.rules,
                    &got.count.operations, &got.count.actions, &got.count.nullActions);
    if (pclose(child) != 0 || fields != 12) return false;
    const std::string w = what;
    if (w == "warm-pugi") {
        r.pugi = got.pugi;
    } else if (w == "warm-full") {
        r.root = got.root;
        r.models = got.models;
    } else if (w == "pugi") {
        r.pugi = got.pugi;
    } else if (w == "navigator") {
        r.navigator = got.navigator;
        r.elements = got.elements;
    } else {
        r.root = got.root;
        r.models = got.models;
        r.destroy = got.destroy;
        c = got.count;
    }
    return true;
}

FileResult MeasureFile(const std::string& path, int maxRuns) {
    FileResult r;
    r.path = path;
    r.bytes = bench::FileSize(path);
    r.megabytes = r.bytes / 1e6;
    const Clock::time_point begin = Clock::now();
    // At least three runs; fewer than asked when a file takes long.
    for (int run = 0; run < maxRuns && (run < 3 || Seconds(begin) < 60); ++run) {
        RunTimes t;
        if (!TimeInChild(path, "pugi", t) || !TimeInChild(path, "navigator", t) ||
            !TimeInChild(path, "full", t)) {
            std::fprintf(stderr, "a timing run of %s failed\n", path.c_str());
            break;
        }
        r.pugi = std::min(r.pugi, t.pugi);
        r.navigator = std::min(r.navigator, t.navigator);
        r.root = std::min(r.root, t.root);
        r.models = std::min(r.models, t.models);
        r.full = std::min(r.full, t.root + t.models);
        r.destroy = std::min(r.destroy, t.destroy);
        r.elements = t.elements;
        r.count = t.count;
        if (!TimeInChild(path, "warm-pugi", t) || !TimeInChild(path, "warm-full", t)) {
            std::fprintf(stderr, "a run of %s on a touched heap failed\n", path.c_str());
            break;
        }
        r.warmPugi = std::min(r.warmPugi, t.pugi);
        r.warmFull = std::min(r.warmFull, t.root + t.models);
        r.runs = run + 1;
    }
    r.peakRssKb = ChildPeakRss("--rss", path);
    r.pugiPeakRssKb = ChildPeakRss("--rss-pugi", path);
    return r;
}

// ---- Linear-scaling probes ----------------------------------------------------------

struct Probe {
    std::string name;
    long small = 0, large = 0;          // sizes measured
    double perSmall = 0, perLarge = 0;  // seconds per unit
    double Ratio() const { return perSmall > 0 ? perLarge / perSmall : 0; }
};

// One read of probe `index` at `size`, in a fresh process of its own (as the
// files are measured): repeated in one process, a small probe's read finds
// the memory its last read freed still mapped, while a large one's index
// arrays, above the allocator's mapping threshold, come back as fresh pages
// each time. Seconds, or a negative value when the child failed.
double TimeProbeInChild(std::size_t index, long size) {
    const std::string self = bench::SelfPath();
    if (self.empty()) return -1;
    const std::string command =
        "'" + self + "' --time-probe " + std::to_string(index) + " " + std::to_string(size);
    FILE* child = popen(command.c_str(), "r");
    if (!child) return -1;
    double seconds = -1;
    const int fields = std::fscanf(child, "%lf", &seconds);
    if (pclose(child) != 0 || fields != 1) return -1;
    return seconds;
}

Probe RunProbe(std::size_t index, const std::string& name, long small, long large) {
    Probe p;
    p.name = name;
    p.small = small;
    p.large = large;
    double bestSmall = 1e99, bestLarge = 1e99;
    for (int run = 0; run < 3; ++run) {
        const double a = TimeProbeInChild(index, small);
        const double b = TimeProbeInChild(index, large);
        if (a < 0 || b < 0) {
            std::fprintf(stderr, "a run of the probe \"%s\" failed\n", name.c_str());
            break;
        }
        bestSmall = std::min(bestSmall, a);
        bestLarge = std::min(bestLarge, b);
    }
    p.perSmall = bestSmall / small;
    p.perLarge = bestLarge / large;
    return p;
}

const wchar_t* const kRule =
    L"<Rule ID=\"%ld\" InitialActivated=\"1\"><Operation Type=\"6\" Info=\"x\"><MsgID>1A</MsgID>"
    L"<Field Name=\"Cause\" Length=\"1\" "
    L"StartOffset=\"4\"><Value>Normal</Value></Field></Operation>"
    L"<ActionList><Result Type=\"TRUE\"><Action "
    L"Type=\"5\"><ID>3</ID></Action></Result></ActionList></Rule>";

std::wstring Format(const wchar_t* pattern, long value) {
    wchar_t buf[512];
    std::swprintf(buf, 512, pattern, value);
    return buf;
}

// Each probe: a document of a given size and the read that must stay linear
// in it.
struct ProbeCase {
    const char* name;
    long small, large;
    std::function<std::wstring(long)> make;
    std::function<void(const std::wstring&)> read;
};

const std::vector<ProbeCase>& ProbeCases() {
    static const std::vector<ProbeCase> cases = {
        {"Msg elements in one MsgList", 10000, 100000,
         [](long n) {
             std::wstring doc = L"<SystemState ID=\"1\"><MsgList>";
             for (long i = 0; i < n; ++i)
                 doc += Format(L"<Msg MsgID=\"%lX\" LogCode=\"4125\" Name=\"Setup\"/>", i);
             return doc + L"</MsgList></SystemState>";
         },
         [](const std::wstring& doc) { CSystemStateConfig state(doc); }},
        {"rules in one event state", 10000, 100000,
         [](long n) {
             std::wstring doc = L"<WaitingEventState ID=\"1\">";
             for (long i = 0; i < n; ++i) doc += Format(kRule, i);
             return doc + L"</WaitingEventState>";
         },
         [](const std::wstring& doc) { CEventStateConfig state(doc); }},
        {"bytes of one attribute (through every level)", 100000, 1000000,
         [](long n) {
             return L"<P ProtocolType=\"1\"><StateMachineConfig><SystemState "
                    L"ID=\"1\"><WaitingEventStateList>"
                    L"<WaitingEventState ID=\"1\"><Rule ID=\"1\"><Operation Type=\"0\" Info=\"" +
                    std::wstring(static_cast<std::size_t>(n), L'a') +
                    L"\"/></Rule></WaitingEventState></WaitingEventStateList></SystemState></"
                    L"StateMachineConfig>"
                    L"<EventInfoList/><LogCodeFieldList/></P>";
         },
         [](const std::wstring& doc) { CStateMachineConfig model(doc); }},
        {"siblings before the element searched", 10000, 100000,
         [](long n) {
             std::wstring doc = L"<SystemState ID=\"1\">";
             for (long i = 0; i < n; ++i) doc += L"<Pad Note=\"skip me\"><Inner/></Pad>";
             return doc +
                    L"<MsgList><Msg "
                    L"MsgID=\"1A\"/></MsgList><LogFieldList/><WaitingEventStateList/></"
                    L"SystemState>";
         },
         [](const std::wstring& doc) { CSystemStateConfig state(doc); }},
    };
    return cases;
}

// The registries are built on first use: before a probe's read is measured.
void WarmRegistries() {
    CRuleConfig warm(
        L"<Rule><Operation/><ActionList><Result "
        L"Type='TRUE'><Action/></Result></ActionList></Rule>");
}

std::vector<Probe> RunProbes() {
    std::vector<Probe> probes;
    for (std::size_t i = 0; i < ProbeCases().size(); ++i)
        probes.push_back(
            RunProbe(i, ProbeCases()[i].name, ProbeCases()[i].small, ProbeCases()[i].large));
    return probes;
}

// ---- Report -------------------------------------------------------------------------------

std::string ReadFirstLine(const char* path, const char* key) {
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line))
        if (line.compare(0, std::strlen(key), key) == 0) {
            const std::size_t colon = line.find(':');
            std::string value = colon == std::string::npos ? line : line.substr(colon + 1);
            value.erase(0, value.find_first_not_of(" \t"));
            return value;
        }
    return "?";
}

std::string Machine() {
    struct utsname u;
    uname(&u);
    std::ostringstream os;
    os << ReadFirstLine("/proc/cpuinfo", "model name") << ", " << sysconf(_SC_NPROCESSORS_ONLN)
       << " cores, " << ReadFirstLine("/proc/meminfo", "MemTotal") << " RAM; " << u.sysname << " "
       << u.release << "; "
#if defined(__clang__)
       << "clang " << __clang_version__
#elif defined(__GNUC__)
       << "gcc " << __VERSION__
#endif
       << "; pugixml " << PUGIXML_VERSION / 1000 << "." << PUGIXML_VERSION % 1000 / 10;
    return os.str();
}

std::string Fixed(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

std::string Verdict(bool met) {
    return met ? "met" : "**not met**";
}

std::string Report(const std::vector<FileResult>& files, const std::vector<Probe>& probes) {
    std::ostringstream os;
    char when[64];
    const std::time_t now = std::time(nullptr);
    std::strftime(when, sizeof when, "%Y-%m-%d %H:%M UTC", std::gmtime(&now));
    os << "# Load benchmark\n\n"
       << "Machine: " << Machine() << ". Run " << when
       << ". Times are the best of the runs shown, each "
          "measurement of each run in a fresh process; full load = `CEventConfig(path)` + "
          "`CStateMachineConfig` of every protocol. The touched-heap columns time the same "
          "loads in a process whose heap was touched beforehand and kept: this machine's first "
          "touch of fresh memory is slow at some hours and cheap at others, and these show the "
          "loads without it.\n\n"
       << "| file | rules | MB | runs | pugixml load_file ms (MB/s) | navigator Load+walk ms "
          "(MB/s) "
       << "| CEventConfig ms | models ms | full load ms (MB/s) | full / pugixml | µs per rule | "
          "destroy ms "
       << "| peak RSS MB | RSS / byte | pugixml peak RSS MB | touched heap: pugixml ms | touched "
          "heap: full load ms | touched heap: full / pugixml |\n|---|";
    for (int column = 1; column < 18; ++column) os << "---:|";
    os << "\n";
    for (const FileResult& r : files) {
        const std::size_t slash = r.path.find_last_of('/');
        os << "| " << (slash == std::string::npos ? r.path : r.path.substr(slash + 1)) << " | "
           << r.count.rules << " | " << Fixed(r.megabytes, 1) << " | " << r.runs << " | "
           << Fixed(r.pugi * 1e3, 0) << " (" << Fixed(r.megabytes / r.pugi, 0) << ") | "
           << Fixed(r.navigator * 1e3, 0) << " (" << Fixed(r.megabytes / r.navigator, 0) << ") | "
           << Fixed(r.root * 1e3, 0) << " | " << Fixed(r.models * 1e3, 0) << " | "
           << Fixed(r.full * 1e3, 0) << " (" << Fixed(r.megabytes / r.full, 0) << ") | "
           << Fixed(r.full / r.pugi, 2) << " | "
           << Fixed(r.full * 1e6 / std::max(1L, r.count.rules), 2) << " | "
           << Fixed(r.destroy * 1e3, 0) << " | " << Fixed(r.peakRssKb / 1024.0, 0) << " | "
           << Fixed(r.peakRssKb * 1024.0 / r.bytes, 1) << " | "
           << Fixed(r.pugiPeakRssKb / 1024.0, 0) << " | " << Fixed(r.warmPugi * 1e3, 0) << " | "
           << Fixed(r.warmFull * 1e3, 0) << " | " << Fixed(r.warmFull / r.warmPugi, 2) << " |\n";
    }
    os << "\nModel built: ";
    for (const FileResult& r : files)
        os << r.count.systemStates << " system states, " << r.count.eventStates << " event states, "
           << r.count.rules << " rules, " << r.count.operations << " operations, "
           << r.count.actions << " actions (" << r.count.nullActions << " null); " << r.elements
           << " elements walked. ";
    os << "\n\n## Targets\n\n";
    const FileResult* largest = files.empty() ? nullptr : &files.back();
    const FileResult* middle = nullptr;
    for (const FileResult& r : files)
        if (r.count.rules >= 5000 && r.count.rules < 50000) middle = &r;
    // The goals are set for configurations of real size; a small file's load
    // is mostly the process's fixed costs.
    for (const FileResult& r : files) {
        if (r.count.rules < 10000) continue;
        const double ratio = r.full / r.pugi;
        const double warm = r.warmFull / r.warmPugi;
        os << "- Full load of the " << r.count.rules
           << "-rule file at or below pugixml's parse: " << Fixed(ratio, 2) << "x, "
           << Verdict(ratio <= 1.0) << "; on a heap touched beforehand (the first touch of "
           << "memory taken out, as where it is cheap): " << Fixed(warm, 2) << "x, "
           << Verdict(warm <= 1.0) << ".\n";
    }
    if (largest && middle && middle != largest) {
        const double perLarge = largest->full / largest->count.rules,
                     perMid = middle->full / middle->count.rules;
        // pugixml's own ratio on the same files: how much of the step is
        // the machine's (fresh pages, caches) rather than the library's.
        const double pugiRatio = (largest->pugi / largest->bytes) / (middle->pugi / middle->bytes);
        os << "- Time per rule at " << largest->count.rules << " rules within 1.25x of "
           << middle->count.rules << ": " << Fixed(perLarge / perMid, 2) << "x, "
           << Verdict(perLarge / perMid <= 1.25)
           << " (pugixml's time per byte on the same two files: " << Fixed(pugiRatio, 2) << "x).\n";
    }
    for (const FileResult& r : files) {
        if (r.count.rules < 10000) continue;
        const double rss = r.peakRssKb * 1024.0 / r.bytes;
        os << "- Peak RSS of the full load of the " << r.count.rules
           << "-rule file <= 11 bytes per byte: " << Fixed(rss, 1) << ", " << Verdict(rss <= 11.0)
           << ".\n";
    }
    if (!probes.empty()) {
        os << "\n## Linear-scaling probes\n\n"
           << "| probe | small | large | ns per unit (small) | ns per unit (large) | large / small "
              "|\n"
           << "|---|---:|---:|---:|---:|---:|\n";
        for (const Probe& p : probes)
            os << "| " << p.name << " | " << p.small << " | " << p.large << " | "
               << Fixed(p.perSmall * 1e9, 1) << " | " << Fixed(p.perLarge * 1e9, 1) << " | "
               << Fixed(p.Ratio(), 2) << " |\n";
        bool linear = true;
        for (const Probe& p : probes) linear = linear && p.Ratio() <= 1.25;
        // Wall-clock per unit also carries the caches and fresh pages of the
        // larger text; the instruction counts that follow (bench/run.sh)
        // show the work itself.
        os << "\n- Every probe within 1.25x per unit at ten times the size (wall clock): "
           << Verdict(linear) << ".\n";
    }
    return os.str();
}

int Usage(const char* self) {
    std::fprintf(
        stderr,
        "usage: %s [--runs N] [--out FILE] [--no-probes] FILE...\n       %s --callgrind FILE\n"
        "       %s --callgrind-probe INDEX SIZE\n       %s --probe-sizes\n",
        self, self, self, self);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && !std::strcmp(argv[1], "--rss")) {
        // BENCH_RSS_PHASES=1 shows where the peak is reached.
        const bool phases = std::getenv("BENCH_RSS_PHASES") != nullptr;
        Loaded loaded;
        loaded.root = LoadRoot(argv[2]);
        if (phases)
            std::fprintf(stderr, "peak after the root: %s\n",
                         ReadFirstLine("/proc/self/status", "VmHWM").c_str());
        BuildModels(loaded);
        if (phases)
            std::fprintf(stderr, "peak after the models: %s, now %s\n",
                         ReadFirstLine("/proc/self/status", "VmHWM").c_str(),
                         ReadFirstLine("/proc/self/status", "VmRSS").c_str());
        return Count(loaded).rules > 0 ? 0 : 1;
    }
    if (argc == 4 && !std::strcmp(argv[1], "--time-one")) {
        std::string what = argv[3];
        if (what.compare(0, 5, "warm-") == 0) {
            bench::TouchHeap(bench::TouchedHeapBytes(bench::FileSize(argv[2])));
            what.erase(0, 5);
        }
        const RunTimes t = TimeOne(argv[2], what);
        const ModelCount& c = t.count;
        std::printf("%.9f %.9f %.9f %.9f %.9f %ld %ld %ld %ld %ld %ld %ld\n", t.pugi, t.navigator,
                    t.root, t.models, t.destroy, t.elements, c.systemStates, c.eventStates, c.rules,
                    c.operations, c.actions, c.nullActions);
        return 0;
    }
    if (argc == 3 && !std::strcmp(argv[1], "--rss-pugi")) {
        pugi::xml_document doc;
        return doc.load_file(argv[2]) ? 0 : 1;
    }
    if (argc == 3 && !std::strcmp(argv[1], "--callgrind-pugi")) {
        pugi::xml_document doc;
        CALLGRIND_START_INSTRUMENTATION;
        const bool ok = doc.load_file(argv[2]);
        CALLGRIND_STOP_INSTRUMENTATION;
        return ok ? 0 : 1;
    }
    const bool timeProbe = argc == 4 && !std::strcmp(argv[1], "--time-probe");
    if (timeProbe || (argc == 4 && !std::strcmp(argv[1], "--callgrind-probe"))) {
        // One read of probe INDEX at size N: timed (a child of the probe
        // table), or instrumented only around it.
        const std::size_t index = static_cast<std::size_t>(std::atol(argv[2]));
        if (index >= ProbeCases().size()) return 2;
        const ProbeCase& probe = ProbeCases()[index];
        const std::wstring doc = probe.make(std::atol(argv[3]));
        WarmRegistries();
#if defined(__GLIBC__)
        // Building the text freed its shorter drafts: a small one's stay in
        // the heap, where the read would find them already touched, a large
        // one's go back to the system. A timed read starts from a trimmed heap.
        if (timeProbe) malloc_trim(0);
#endif
        const Clock::time_point t = Clock::now();
        CALLGRIND_START_INSTRUMENTATION;
        probe.read(doc);
        CALLGRIND_STOP_INSTRUMENTATION;
        if (timeProbe) {
            std::printf("%.9f\n", Seconds(t));
        } else {
            std::printf("%s\n", probe.name);
        }
        return 0;
    }
    if (argc == 2 && !std::strcmp(argv[1], "--probe-sizes")) {
        for (std::size_t i = 0; i < ProbeCases().size(); ++i)
            std::printf("%zu %ld %ld\n", i, ProbeCases()[i].small, ProbeCases()[i].large);
        return 0;
    }
    if (argc == 3 && !std::strcmp(argv[1], "--callgrind")) {
        Loaded loaded;
        CALLGRIND_START_INSTRUMENTATION;
        loaded.root = LoadRoot(argv[2]);
        BuildModels(loaded);
        CALLGRIND_STOP_INSTRUMENTATION;
        const ModelCount count = Count(loaded);
        std::printf("%ld rules loaded\n", count.rules);
        Destroy(loaded);
        return count.rules > 0 ? 0 : 1;
    }

    int runs = 8;
    bool probes = true;
    std::string out;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--runs") && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (!std::strcmp(argv[i], "--out") && i + 1 < argc) {
            out = argv[++i];
        } else if (!std::strcmp(argv[i], "--no-probes")) {
            probes = false;
        } else if (argv[i][0] == '-') {
            return Usage(argv[0]);
        } else {
            files.push_back(argv[i]);
        }
    }
    if (files.empty()) return Usage(argv[0]);

    std::vector<FileResult> results;
    for (const std::string& file : files) {
        std::fprintf(stderr, "measuring %s ...\n", file.c_str());
        results.push_back(MeasureFile(file, runs));
    }
    std::vector<Probe> probeResults;
    if (probes) {
        std::fprintf(stderr, "probing linear scaling ...\n");
        probeResults = RunProbes();
    }
    const std::string report = Report(results, probeResults);
    std::fputs(report.c_str(), stdout);
    if (!out.empty()) std::ofstream(out, std::ios::binary) << report;
    return 0;
}
