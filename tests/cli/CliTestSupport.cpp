#include "CliTestSupport.h"

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
    dir_ = fs::temp_directory_path() / ("tarvix-cli-" + std::to_string(getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE", "NOTIFY_SOCKET"})
        unsetenv(variable);
    setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
}

void RelayCli::TearDown()
{
    fs::remove_all(dir_);
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

std::vector<int> FreePorts(int count)
{
    std::vector<TestSocket> held;
    std::vector<int> ports;
    for (int i = 0; i < count; ++i) {
        int port = 0;
        held.push_back(ListenLoopback(1, port));
        ports.push_back(port);
    }
    return ports;
}

std::string Argument(int localPort, int port)
{
    return std::to_string(localPort) + ":127.0.0.1:" + std::to_string(port);
}

} // namespace tarvix::test
