#pragma once
// Shared by the tarvix-relay end-to-end tests: the executable, settings files as the desktop program writes
// them, a folder per test, and checks that bytes go through a relayed port.
#include "ChildProcess.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace tarvix::test {

namespace fs = std::filesystem;

inline const std::string kRelay = std::string(TARVIX_TEST_BIN_DIR) + "/tarvix-relay";
inline const std::string kListening = "écoute sur le port";
inline const std::string kAccepted = "client accepté";
inline const std::string kEnded = "client terminé";

struct Mapping {
    std::string name;
    int localPort;
    int port;
    bool autoStart;
    std::string address = "127.0.0.1";
};

// A settings file as the desktop program writes it (CR LF, one empty line after each section); sections are
// named firstId, firstId + 1, ... in order.
std::string IniText(const std::vector<Mapping>& mappings, int firstId = 4242);
std::string ReadFile(const fs::path& p);

// Every test gets its own folder, and children see French messages (LANG=fr_FR.UTF-8), no stored language
// choice and no journal unless the test says otherwise (each test runs in a process of its own, before any
// thread of it has started).
class RelayCli : public ::testing::Test {
protected:
    void SetUp() override;

    std::string WriteIni(const std::string& text, const std::string& name = "settings.ini");

    TempFolder folder_;
    fs::path dir_;
};

bool Listens(int port);
// Sends a block of random bytes through the port and expects it back unchanged.
void ExpectEchoThrough(int port, size_t size);
// "LOCALPORT:127.0.0.1:PORT"
std::string Argument(int localPort, int port);

} // namespace tarvix::test
