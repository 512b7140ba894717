// Times tabulist-list against ls -la on one directory of many files: alternating runs,
// median wall time and peak resident memory of each, and their ratios.
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

    RunOnce(ours);  // warm the caches for both alike
    RunOnce(ls);
    std::vector<double> oursTime, lsTime;
    long oursRss = 0, lsRss = 0;
    for (int i = 0; i < kRuns; ++i) {
        const Sample a = RunOnce(ours);
        const Sample b = RunOnce(ls);
        oursTime.push_back(a.seconds);
        lsTime.push_back(b.seconds);
        oursRss = std::max(oursRss, a.maxRssKb);
        lsRss = std::max(lsRss, b.maxRssKb);
    }
    std::filesystem::remove_all(dir);

    const double oursMedian = Median(oursTime), lsMedian = Median(lsTime);
    const double timeRatio = oursMedian / lsMedian;
    const double rssRatio = double(oursRss) / double(lsRss);
    std::printf("%-14s median %8.3f s   peak RSS %8ld KB\n", "tabulist-list", oursMedian, oursRss);
    std::printf("%-14s median %8.3f s   peak RSS %8ld KB\n", "ls -la", lsMedian, lsRss);
    std::printf("ratio          time %.2fx (target <= 1.0)   memory %.2fx (target <= 2.0)\n",
                timeRatio, rssRatio);
    return timeRatio <= 1.0 && rssRatio <= 2.0 ? 0 : 1;
}
