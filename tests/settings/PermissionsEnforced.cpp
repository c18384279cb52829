#include "PermissionsEnforced.h"

#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/capability.h>
#include <sys/syscall.h>
#endif

namespace tarvix::test {

PermissionsEnforced::PermissionsEnforced()
{
#ifdef __linux__
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0)
        return;
    saved_[0] = data[0].effective;
    saved_[1] = data[1].effective;
    data[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER));
    dropped_ = syscall(SYS_capset, &header, data) == 0;
#endif
}

PermissionsEnforced::~PermissionsEnforced()
{
#ifdef __linux__
    if (!dropped_)
        return;
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0)
        return;
    data[0].effective = saved_[0];
    data[1].effective = saved_[1];
    syscall(SYS_capset, &header, data);
#endif
}

bool PermissionsEnforced::Enforced() const
{
    QTemporaryDir probe;
    const QByteArray folder = QFile::encodeName(probe.path());
    if (::chmod(folder.constData(), 0555) != 0)
        return false;
    const QByteArray file = folder + "/probe";
    const int fd = ::open(file.constData(), O_WRONLY | O_CREAT, 0644);
    if (fd >= 0)
        ::close(fd);
    ::chmod(folder.constData(), 0755);
    return fd < 0;
}

} // namespace tarvix::test
