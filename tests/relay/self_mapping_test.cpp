// A mapping onto its own listening port: judged before it starts, and cut when a connection comes back round
// through the relay's own outbound socket, directly or through another mapping.
#include "ReportLog.h"
#include "support/Loopback.h"
#include "support/ProcessCounters.h"
#include "support/Waiting.h"

#include "relay/Connect.h"
#include "relay/NetMappedPortTCP.h"
#include "relay/NetSelfMapping.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <unistd.h>

using namespace tarvix;
using namespace tarvix::test;

TEST(NetSelfMapping, TheRemoteEndIsItsOwnListeningPortOnlyWhenItReachesThatListener)
{
    char host[256] = {};
    ASSERT_EQ(::gethostname(host, sizeof host - 1), 0);
    struct Case {
        const char* listen;
        const char* remote;
        int remotePort;
        bool self;
    };
    for (const Case c : {
             Case{"", "127.0.0.1", 4090, true},
             Case{"", "127.0.0.1", 4091, false},
             Case{"", "LocalHost", 4090, true},
             Case{"", "0.0.0.0", 4090, true},
             Case{"", "127.0.0.2", 4090, true}, // the whole loopback network is this machine
             Case{"", host, 4090, true},
             Case{"", "192.0.2.1", 4090, false}, // a documentation address: never this machine's
             Case{"", "::1", 4090, false},       // an IPv4 listener takes no IPv6 client
             Case{"::", "::1", 4090, true},
             Case{"::", "127.0.0.1", 4090, true},
             Case{"127.0.0.1", "127.0.0.1", 4090, true},
             Case{"127.0.0.1", "0.0.0.0", 4090, true},
             Case{"127.0.0.1", "127.0.0.2", 4090, false},
             Case{"::1", "::1", 4090, true},
             Case{"::1", "127.0.0.1", 4090, false},
             Case{"", "", 4090, false},
             Case{"", "no-such-host.invalid", 4090, false},
         }) {
        EXPECT_EQ(MapsOntoItself(c.listen, 4090, c.remote, c.remotePort, false), c.self)
            << "listen '" << c.listen << "', remote " << c.remote << ":" << c.remotePort;
    }
    // Looked up, a name of this machine is judged by its addresses.
    EXPECT_TRUE(MapsOntoItself("", 4090, "localhost", 4090, true));
}

TEST(TfConnect, ALoopThroughTheRelaysOwnOutboundSocketsIsCutWithAReset)
{
    // Onto itself, and round two mappings that relay to each other.
    for (const bool ring : {false, true}) {
        SCOPED_TRACE(ring ? "two mappings" : "one mapping");
        const std::vector<int> ports = FreePorts(2);
        const int before = CountOpenDescriptors();
        ReportLog log;
        ReportLog otherLog;
        {
            TfConnect mapping(ports[0], "127.0.0.1", ring ? ports[1] : ports[0], log.Callback());
            std::unique_ptr<TfConnect> other;
            if (ring)
                other = std::make_unique<TfConnect>(ports[1], "127.0.0.1", ports[0], otherLog.Callback());
            TestSocket client = ConnectLoopback(mapping.LocalPort());
            ASSERT_TRUE(client.Valid());
            // The loop collapses whether or not a byte is sent: on a slow machine the reset can come before
            // the send, which is then what learns of it (a read after it would only see the end).
            const bool sent = client.SendAll("x");
            const int sendError = errno;
            std::string got;
            if (sent)
                EXPECT_EQ(client.ReadToEnd(got, 10000), End::Reset);
            else
                EXPECT_EQ(sendError, ECONNRESET);
            ASSERT_TRUE(WaitUntil(
                [&] {
                    return mapping.NetMappedPortTCP().PeerCount() == 0 &&
                           (!other || other->NetMappedPortTCP().PeerCount() == 0);
                },
                10000));
            // A few links before the loop is seen, not a chain through every descriptor. A link grows the chain
            // only while the thread of the one before is kept from recording its connection, so a loaded
            // machine (sanitizers, parallel tests) sees a dozen or two.
            EXPECT_LT(log.Count(true) + otherLog.Count(true), 64);
            EXPECT_EQ(log.Count(true), log.Count(false));
        }
        EXPECT_TRUE(WaitUntil([&] { return CountOpenDescriptors() <= before; }, 5000));
    }
}
