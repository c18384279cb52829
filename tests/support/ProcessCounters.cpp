#include "support/ProcessCounters.h"

#include <dirent.h>
#include <sys/resource.h>

namespace tarvix::test {

int CountOpenDescriptors()
{
    int count = 0;
    if (DIR* dir = ::opendir("/proc/self/fd")) {
        while (const dirent* entry = ::readdir(dir))
            if (entry->d_name[0] != '.')
                ++count;
        ::closedir(dir);
        --count; // the directory's own descriptor
    }
    return count;
}

double ProcessCpuMs()
{
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1000.0 + t.tv_usec / 1000.0; };
    return ms(u.ru_utime) + ms(u.ru_stime);
}

} // namespace tarvix::test
