#include "cli/FirstRun.h"

#include "cli/Console.h"
#include "i18n/Catalogue.h"
#include "i18n/Format.h"
#include "i18n/MessageIds.h"
#include "settings/IniFileEx.h"
#include "settings/MappingRecord.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tarvix::cli {
namespace {

bool CanListenOn(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    const bool free = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return free;
}

// The example should work as pasted: the first port from 8080 on that nothing listens on here and now.
int ExamplePort()
{
    constexpr int kFirst = 8080;
    for (int port = kFirst; port < kFirst + 100; ++port)
        if (CanListenOn(port))
            return port;
    return kFirst;
}

} // namespace

void PrintFirstRunHelp(const QString& file, const TIniFileEx* ini)
{
    const int localPort = ExamplePort();
    const QString address = QStringLiteral("192.168.1.10");
    constexpr int port = 80;
    const TIniFileEx none;
    const QString section = NewSectionId(ini ? *ini : none);

    PrintLine(FormatRes(msg::CliFirstRunIntro, {file.toStdString()}));
    PrintLine(std::string());
    PrintLine("[" + section.toStdString() + "]");
    PrintLine(QString(record::kName).toStdString() + "=" + LoadResString(msg::CliFirstRunName));
    PrintLine(QString(record::kLocalPort).toStdString() + "=" + std::to_string(localPort));
    PrintLine(QString(record::kAddress).toStdString() + "=" + address.toStdString());
    PrintLine(QString(record::kPort).toStdString() + "=" + std::to_string(port));
    PrintLine(QString(record::kAutoStart).toStdString() + "=1");
    // A choice left commented out: the example listens everywhere, as a mapping without the key does.
    PrintLine("; " + LoadResString(msg::CliFirstRunListenHint));
    PrintLine(";" + QString(record::kListenAddress).toStdString() + "=127.0.0.1");
    PrintLine(std::string());
    PrintLine(FormatRes(msg::CliFirstRunCommandLine, {"tarvix-relay " + std::to_string(localPort) + ":" +
                                                      address.toStdString() + ":" + std::to_string(port)}));
}

} // namespace tarvix::cli
