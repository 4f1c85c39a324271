// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProcessMeasures.h"

#include <dirent.h>
#include <sys/resource.h>
#include <unistd.h>

#include <fstream>

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

std::map<std::string, double> ThreadCpuByName() {
    std::map<std::string, double> cpu;
    DIR* tasks = opendir("/proc/self/task");
    if (tasks == nullptr) {
        return cpu;
    }
    while (dirent* entry = readdir(tasks)) {
        if (entry->d_name[0] == '.') {
            continue;
        }
        const std::string base = std::string("/proc/self/task/") + entry->d_name;
        std::string name;
        std::ifstream comm(base + "/comm");
        std::getline(comm, name);
        std::ifstream schedstat(base + "/schedstat");
        double nanoseconds = 0;
        if (schedstat >> nanoseconds) {
            cpu[name] += nanoseconds / 1e9;
        }
    }
    closedir(tasks);
    return cpu;
}

long long ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    long long pages = 0;
    long long resident = 0;
    statm >> pages >> resident;
    return resident * ::sysconf(_SC_PAGESIZE);
}
