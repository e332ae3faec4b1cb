// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <map>
#include <sstream>
#include <string>

// What a child process found, as name=value lines.
using TChildReport = std::map<std::string, std::string>;

// From now on this process cannot make any file bigger than that many bytes, nor write
// past that point in a bigger one: a full disk, in effect. For a child process only.
inline bool LimitFileSize(long bytes) {
    std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead
    const rlimit limit{static_cast<rlim_t>(bytes), static_cast<rlim_t>(bytes)};
    return setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

// Runs body in a forked child and returns its report; "exit" holds the child's exit status.
// With unprivileged set and the tests running as root (which ignores file permissions),
// the child first becomes the user "nobody", so the permissions a test sets up are really
// enforced; "uid" then tells the parent that it did.
inline TChildReport RunInChild(const std::function<TChildReport()>& body, bool unprivileged) {
    int channel[2];
    if (pipe(channel) != 0) return {{"exit", "no pipe"}};
    const pid_t pid = fork();
    if (pid < 0) return {{"exit", "no fork"}};
    if (pid == 0) {
        close(channel[0]);
        if (unprivileged && geteuid() == 0) {
            constexpr uid_t Nobody = 65534;
            if (setgroups(0, nullptr) != 0 || setgid(Nobody) != 0 || setuid(Nobody) != 0) _exit(90);
        }
        TChildReport report = body();
        report["uid"] = std::to_string(geteuid());
        std::string text;
        for (const auto& [name, value] : report)
            text += name + "=" + value + "\n";
        (void)!write(channel[1], text.data(), text.size());
        _exit(0);
    }
    close(channel[1]);
    std::string text;
    char buffer[512];
    for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    close(channel[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    TChildReport report;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const auto equals = line.find('=');
        if (equals != std::string::npos) report[line.substr(0, equals)] = line.substr(equals + 1);
    }
    report["exit"] = WIFEXITED(status) ? std::to_string(WEXITSTATUS(status)) : "signal";
    return report;
}
