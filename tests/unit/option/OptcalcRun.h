#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <memory>
#include <string>

// krt-optcalc run as a real process by a shell command line.
struct Outcome {
    int exitCode;
    std::string out;  // stdout, and stderr after it when asked for
};

inline Outcome Optcalc(const std::string& arguments, bool withErrors = false) {
    const std::string command =
        std::string(KRT_OPTCALC) + " " + arguments + (withErrors ? " 2>&1" : " 2>/dev/null");
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    Outcome run{-1, {}};
    if (!pipe) {
        return run;
    }
    char buffer[512];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe.get())) {
        run.out.append(buffer, n);
    }
    const int status = pclose(pipe.release());
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}
