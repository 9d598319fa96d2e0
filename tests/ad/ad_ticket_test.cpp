// ad_ticket_test.cpp - searches of the Active Directory test directory signed in with the reader's
// Kerberos ticket, and its servers found through its own DNS. The test joins the domain
// controller's private network and gives the resolver a configuration of its own that names the
// controller's DNS server (a mount namespace), with a private krb5.conf and credential cache: the
// machine's own settings stay untouched. Needs root, as the directory does.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include "ad_directory.h"
#include "directory/directory_query.h"
#include "program_run.h"
#include "result/result_table.h"
#include "temp_folder.h"
#include "test_ad_directory.h"

namespace {

namespace tad = test_ad_directory;

const char* const kHost = "dc1.corvane.test";
const char* const kReaderPrincipal = "reader@CORVANE.TEST";

std::string Folder()
{
    const char* folder = std::getenv("CORVANE_AD_DIRECTORY");
    return folder != nullptr ? folder : "";
}

/// Trusts the test CA; before main, as the client library reads it once when it starts.
const bool kCaTrusted = [] {
    static std::string setting = "LDAPTLS_CACERT=" + Folder() + "/tls/ca.pem";
    return !Folder().empty() && putenv(setting.data()) == 0;
}();

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

/// Joins the controller's network and mounts a resolver configuration naming its DNS server;
/// "" when done, else why it cannot be.
std::string EnterDomain(const std::string& folder, const std::string& resolverFile)
{
    if (geteuid() != 0) {
        return "joining the domain controller's network needs root";
    }
    std::ifstream pidFile(folder + "/samba.pid");
    std::string pid;
    if (!(pidFile >> pid)) {
        return "the domain controller's process is not known";
    }
    const int network = open(("/proc/" + pid + "/ns/net").c_str(), O_RDONLY | O_CLOEXEC);
    if (network < 0 || setns(network, CLONE_NEWNET) != 0) {
        return "cannot join the domain controller's network";
    }
    close(network);
    WriteFile(resolverFile, "nameserver 127.0.0.1\n");
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount(resolverFile.c_str(), "/etc/resolv.conf", nullptr, MS_BIND, nullptr) != 0) {
        return "cannot give the resolver a configuration of its own (mount namespace)";
    }
    return {};
}

enum class Ticket { Valid, None, Expired };

class AdTicket : public ::testing::Test {
protected:
    void SetUp() override
    {
        const AdDirectory directory;
        if (!directory.SkipReason().empty()) {
            GTEST_SKIP() << directory.SkipReason();
        }
        ASSERT_TRUE(directory.Error().empty()) << directory.Error();
        // once for the process: its resolver configuration stays mounted until it ends
        static TempFolder resolverFolder;
        static const std::string kWhyNot = EnterDomain(Folder(), resolverFolder.Path() + "resolv.conf");
        if (const std::string& why = kWhyNot; !why.empty()) {
            GTEST_SKIP() << why;
        }
        WriteFile(m_temp.Path() + "krb5.conf",
                  "[libdefaults]\n"
                  "\tdefault_realm = CORVANE.TEST\n"
                  "\tdns_lookup_kdc = false\n"
                  "\tdns_canonicalize_hostname = false\n"
                  "\trdns = false\n"
                  "[realms]\n"
                  "\tCORVANE.TEST = {\n\t\tkdc = 127.0.0.1\n\t}\n"
                  "[domain_realm]\n"
                  "\t.corvane.test = CORVANE.TEST\n");
        setenv("KRB5_CONFIG", (m_temp.Path() + "krb5.conf").c_str(), 1);
        setenv("KRB5CCNAME", ("FILE:" + m_temp.Path() + "ccache").c_str(), 1);
    }

    /// Gets the reader's ticket (one of a five-second life that has run out for Expired) or none.
    void Hold(Ticket ticket)
    {
        // no ticket left from before (kdestroy fails when there is none)
        [[maybe_unused]] const int destroyed = std::system("kdestroy -q 2>/dev/null");
        if (ticket == Ticket::None) {
            return;
        }
        const std::string life = ticket == Ticket::Expired ? "-l 5s " : "";
        const std::string command =
            "kinit " + life + kReaderPrincipal + " <'" + Folder() + "/reader-password' >/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        if (ticket == Ticket::Expired) {
            std::this_thread::sleep_for(std::chrono::seconds(7));
        }
    }

    TempFolder m_temp;
};

TEST_F(AdTicket, SearchesSignedInWithTheTicketOrSayWhatIsMissing)
{
    struct Case {
        const char* what;
        std::string server;
        int32_t port;
        bool startTls;
        Ticket ticket;
        const char* failure;     // a part of the failure text, or nullptr for a search that finds people
        const char* answeredBy;  // the server that answered, or nullptr
    };
    const std::string plain = std::string("ldap://") + kHost;
    const Case cases[] = {
        // the controller refuses simple binds on plain ldap://: a search there is signed
        {"ticket over plain ldap://", plain, 389, false, Ticket::Valid, nullptr, ""},
        {"ticket over StartTLS", plain, 389, true, Ticket::Valid, nullptr, nullptr},
        {"ticket over ldaps://", std::string("ldaps://") + kHost, 636, false, Ticket::Valid, nullptr, nullptr},
        {"found by DNS from the base DN", "ldap:///dc=corvane,dc=test", 389, false, Ticket::Valid, nullptr,
         "dc1.corvane.test:389"},
        {"global catalog found by DNS", "dns:corvane.test", 3268, false, Ticket::Valid, nullptr,
         "dc1.corvane.test:3268"},
        {"a domain without records", "dns:nowhere.corvane.test", 389, false, Ticket::Valid,
         "DNS names no directory server under _ldap._tcp.nowhere.corvane.test", nullptr},
        {"an address the realm has no service name for", "ldap://127.0.0.1", 389, false, Ticket::Valid,
         "no directory service by the name '127.0.0.1'", nullptr},
        {"without a ticket", plain, 389, false, Ticket::None, "no Kerberos ticket: sign in with kinit", nullptr},
        {"with an expired ticket", plain, 389, false, Ticket::Expired, "Kerberos ticket has expired", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Hold(c.ticket);
        DirectoryQuery query;
        query.SetServer(c.server, c.port, 3);
        query.SetStartTls(c.startTls);
        query.SetLimits(30, 100);
        query.SetSignIn(SignIn::Kerberos);
        ResultTable table;
        const bool found = query.SearchWithFilter(tad::kBaseDn, "(sAMAccountName=m000*)", {"cn"}, table);
        if (c.failure == nullptr) {
            EXPECT_TRUE(found) << query.FailureReason();
            EXPECT_EQ(table.RowCount(), 10);
        } else {
            EXPECT_FALSE(found);
            EXPECT_NE(query.FailureReason().find(c.failure), std::string::npos) << query.FailureReason();
        }
        if (c.answeredBy != nullptr) {
            EXPECT_EQ(query.AnsweredBy(), c.answeredBy);
        }
    }
}

TEST_F(AdTicket, CommandLineSignsInWithTheTicketAtTheServerDnsNames)
{
    Hold(Ticket::Valid);
    const program_run::ProgramRun run =
        program_run::RunProgram({"-Y", "GSSAPI", "-Q", "-H", "ldap:///dc=corvane,dc=test", "-b", tad::kBaseDn,
                                 "--search-attribute", "sAMAccountName", "-r", "sAMAccountName", "m000*"},
                                m_temp.Path(), {"LDAPTLS_CACERT=" + Folder() + "/tls/ca.pem"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("m0009"), std::string::npos) << run.out;
}

}  // namespace
