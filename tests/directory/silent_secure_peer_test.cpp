// silent_secure_peer_test.cpp - the secure handshake of the program's own socket against a peer
// that accepts and never answers: it waits for the socket instead of spinning.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <string>

#include "directory/directory_query.h"
#include "result/result_table.h"
#include "unresponsive_listener.h"

namespace {

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

TEST(HostileServer, ASilentSecurePeerEndsAtTheLimitWithoutSpinning)
{
    UnresponsiveListener listener;
    ASSERT_TRUE(listener.Running());
    DirectoryQuery query;
    query.SetServer("ldaps://127.0.0.1:" + std::to_string(listener.Port()), 389, 3);
    query.SetLimits(2, 1000);
    ResultTable table;
    const double cpuBefore = CpuSeconds();
    EXPECT_FALSE(query.SearchForAttribute("dc=corvane,dc=test", "cn", "*", "cn", table));
    const double cpuUsed = CpuSeconds() - cpuBefore;
    EXPECT_EQ(query.FailureReason(), "no answer within 2 seconds");
    // Retrying the handshake without waiting for the socket took the whole 2 s of a processor.
    EXPECT_LT(cpuUsed, 0.5);
}

}  // namespace
