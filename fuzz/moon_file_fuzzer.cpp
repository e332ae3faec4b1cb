// SPDX-License-Identifier: GPL-3.0-or-later
// `moon --file`'s line reader, through the almanac's own entry point, over arbitrary file
// contents. The file lives in memory (memfd), named by its /proc/self/fd path. The command
// either refuses the file with a usage error of exactly one line (naming the line of the file
// at fault) or writes a table; nothing else may escape.

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "cli/almanac_commands.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Each Julian Day costs a full Moon position: a few hundred lines are plenty.
    if (size > 4096) return 0;
    const int fd = memfd_create("moon-days", MFD_CLOEXEC);
    FUZZ_CHECK(fd >= 0);
    FUZZ_CHECK(write(fd, data, size) == static_cast<ssize_t>(size));
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    std::ostringstream out, err;
    const int status = RunAlmanac({"moon", "--file", path}, out, err);
    close(fd);
    FUZZ_CHECK(status == 0 || status == 2);
    FUZZ_CHECK((status == 0) == err.str().empty());
    FUZZ_CHECK(status == 2 || out.str().rfind("JD,", 0) == 0);
    const std::string message = err.str();
    FUZZ_CHECK(status == 0 ||
               (std::count(message.begin(), message.end(), '\n') == 1 && message.back() == '\n'));
    FUZZ_CHECK(status == 0 || out.str().empty());
    return 0;
}
