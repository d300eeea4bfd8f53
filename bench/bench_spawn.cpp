// Runs a command and writes its wall time (ms) and peak resident memory (KiB) to a file.
// A process's peak memory counts what it inherited when it was forked, so the command is
// started from this small program rather than from the benchmark driver itself.
#include <cstdio>
#include <ctime>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_spawn RESULT-FILE COMMAND [ARGUMENT...]\n");
        return 2;
    }
    timespec start{};
    timespec end{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    clock_gettime(CLOCK_MONOTONIC, &end);
    const double milliseconds =
        double(end.tv_sec - start.tv_sec) * 1e3 + double(end.tv_nsec - start.tv_nsec) / 1e6;
    if (FILE* result = std::fopen(argv[1], "w")) {
        std::fprintf(result, "%.3f %ld\n", milliseconds, usage.ru_maxrss);
        std::fclose(result);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}
