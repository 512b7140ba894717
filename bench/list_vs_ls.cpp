// Times tabulist-list against ls -la and against the machine itself (a bare readdir and
// fstatat loop in C, built here with the system's C compiler) on one directory of many
// files: alternating runs, median wall time and peak resident memory of each, and ratios.
//
//   bench_list_vs_ls [FILES] [PATH-TO-tabulist-list]
//
// Exit status 1 when tabulist-list is slower than ls -la or needs more than twice its memory.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Sample {
    double seconds;
    long maxRssKb;
};

// Runs argv with its output thrown away; wall time and the child's own peak memory.
Sample RunOnce(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("fork");
        std::exit(2);
    }
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        execvp(args[0], args.data());
        std::perror(args[0]);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) < 0) {
        std::perror("wait4");
        std::exit(2);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed (status %d)\n", argv[0].c_str(), status);
        std::exit(2);
    }
    return {seconds, usage.ru_maxrss};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string MakeTree(int files) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tabulist-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::exit(2);
    }
    char name[64];
    for (int i = 0; i < files; ++i) {
        // Mixed-case names of varying length, some hidden, sizes from 0 to a few KB.
        std::snprintf(name, sizeof name, "%s%sFile_%06d%s", i % 50 == 0 ? "." : "",
                      i % 3 ? "data_" : "", i, i % 7 ? ".txt" : ".Log");
        const std::string path = pattern + "/" + name;
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0 || ftruncate(fd, (i * 37) % 5000) != 0) {
            std::perror(path.c_str());
            std::exit(2);
        }
        close(fd);
    }
    return pattern;
}

// Reads the directory and asks for each name's metadata, nothing else: the floor a lister
// is measured against.
const char* const BareLoopSource = R"(#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
int main(int argc, char** argv) {
    DIR* dir = opendir(argv[1]);
    if (!dir) return 1;
    long long total = 0;
    struct dirent* e;
    struct stat st;
    while ((e = readdir(dir)) != NULL)
        if (fstatat(dirfd(dir), e->d_name, &st, 0) == 0) total += st.st_size;
    closedir(dir);
    printf("%lld\n", total);
    return 0;
}
)";

std::string BuildBareLoop(const std::string& dir) {
    const std::string source = dir + ".bare.c", program = dir + ".bare";
    FILE* f = std::fopen(source.c_str(), "w");
    if (!f || std::fputs(BareLoopSource, f) == EOF || std::fclose(f) != 0) {
        std::perror(source.c_str());
        std::exit(2);
    }
    RunOnce({"cc", "-O2", "-o", program, source});
    std::filesystem::remove(source);
    return program;
}

}  // namespace

int main(int argc, char** argv) {
    const int files = argc > 1 ? std::atoi(argv[1]) : 100000;
    const std::string lister =
        argc > 2 ? argv[2]
                 : (std::filesystem::canonical("/proc/self/exe").parent_path() / "tabulist-list")
                       .string();
    constexpr int kRuns = 5;

    std::printf("making %d files ...\n", files);
    const std::string dir = MakeTree(files);
    const std::vector<std::string> ours = {lister, "--hidden", dir};
    const std::vector<std::string> ls = {"ls", "-la", dir};
    const std::string bareProgram = BuildBareLoop(dir);
    const std::vector<std::string> bare = {bareProgram, dir};

    RunOnce(ours);  // warm the caches for all alike
    RunOnce(ls);
    RunOnce(bare);
    std::vector<double> oursTime, lsTime, bareTime;
    long oursRss = 0, lsRss = 0, bareRss = 0;
    for (int i = 0; i < kRuns; ++i) {
        const Sample a = RunOnce(ours);
        const Sample b = RunOnce(ls);
        const Sample c = RunOnce(bare);
        oursTime.push_back(a.seconds);
        lsTime.push_back(b.seconds);
        bareTime.push_back(c.seconds);
        oursRss = std::max(oursRss, a.maxRssKb);
        lsRss = std::max(lsRss, b.maxRssKb);
        bareRss = std::max(bareRss, c.maxRssKb);
    }
    std::filesystem::remove_all(dir);
    std::filesystem::remove(bareProgram);

    const double oursMedian = Median(oursTime), lsMedian = Median(lsTime);
    const double bareMedian = Median(bareTime);
    const double timeRatio = oursMedian / lsMedian;
    const double rssRatio = double(oursRss) / double(lsRss);
    std::printf("%-14s median %8.3f s   peak RSS %8ld KB\n", "tabulist-list", oursMedian, oursRss);
    std::printf("%-14s median %8.3f s   peak RSS %8ld KB\n", "ls -la", lsMedian, lsRss);
    std::printf("%-14s median %8.3f s   peak RSS %8ld KB\n", "bare loop", bareMedian, bareRss);
    std::printf("ratio          time %.2fx (target <= 1.0)   memory %.2fx (target <= 2.0)\n",
                timeRatio, rssRatio);
    std::printf("against the bare loop   time %.2fx (target <= 1.0)\n", oursMedian / bareMedian);
    return timeRatio <= 1.0 && rssRatio <= 2.0 ? 0 : 1;
}
