#include "RelayCliFixture.h"

#include "support/Loopback.h"

#include <QFile>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace tarvix::test {

std::string IniText(const std::vector<Mapping>& mappings, int firstId)
{
    std::ostringstream s;
    int id = firstId;
    for (const auto& m : mappings) {
        s << "[" << id++ << "]\r\nName=" << m.name << "\r\nLocalPort=" << m.localPort << "\r\nAddress=" << m.address
          << "\r\nPort=" << m.port << "\r\nAutoStart=" << (m.autoStart ? 1 : 0) << "\r\n\r\n";
    }
    return s.str();
}

std::string ReadFile(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void RelayCli::SetUp()
{
    ASSERT_TRUE(folder_.Path().size() > 0) << "no temporary folder";
    dir_ = QFile::encodeName(folder_.Path()).toStdString();
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANGUAGE", "NOTIFY_SOCKET", "JOURNAL_STREAM"})
        unsetenv(variable);
    setenv("LANG", "fr_FR.UTF-8", 1); // the built-in language: the texts the tests look for
    setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
}

std::string RelayCli::WriteIni(const std::string& text, const std::string& name)
{
    const fs::path p = dir_ / name;
    std::ofstream(p, std::ios::binary) << text;
    return p.string();
}

bool Listens(int port)
{
    return ConnectLoopback(port).Valid();
}

void ExpectEchoThrough(int port, size_t size)
{
    TestSocket s = ConnectLoopback(port);
    ASSERT_TRUE(s.Valid()) << "port " << port << " refused";
    std::string data(size, '\0');
    std::mt19937 rng(static_cast<unsigned>(size));
    for (auto& c : data)
        c = static_cast<char>(rng());
    std::thread writer([&] { s.SendAll(data); }); // both ways at once: the echo cannot stall on a full pipe
    std::string back;
    s.ReadExactly(back, size);
    writer.join();
    EXPECT_EQ(back.size(), size);
    EXPECT_TRUE(back == data) << "the relayed bytes differ";
}

std::string Argument(int localPort, int port)
{
    return std::to_string(localPort) + ":127.0.0.1:" + std::to_string(port);
}

} // namespace tarvix::test
