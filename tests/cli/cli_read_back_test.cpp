// cli_read_back_test.cpp - exports of corvane-search read back by other programs' readers: the
// CSV reader of Python and the directory tools' LDIF reader, run on this machine.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_test_fixture.h"
#include "test_directory.h"

namespace {

namespace fs = std::filesystem;

/// The standard output of a shell command and whether it exited with 0.
std::pair<bool, std::string> Capture(const std::string& command)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return {false, out};
    }
    char buffer[4096];
    for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        out.append(buffer, got);
    }
    return {pclose(pipe) == 0, out};
}

class CliReadBackTest : public CliServerTest<DirectoryServer::Config::Normal> {
protected:
    ProgramRun Search(const Args& args, const char* base = test_directory::kEscapesDn) const
    {
        return RunBelow(base, args);
    }
};

TEST_F(CliReadBackTest, ExportReadsBackCellForCell)
{
    const fs::path file = m_folder / "export.csv";
    ASSERT_EQ(
        Search({"--output", file.string(), "--search-attribute", "sn", "-r", "cn,description", "Schulz"}).exitCode, 0);
    // Every line ends with two blanks, read as part of its last cell.
    const auto [ok, cells] = Capture(
        "python3 -c 'import csv,sys\n"
        "for row in csv.reader(open(sys.argv[1], newline=\"\", encoding=\"utf-8\"), delimiter=\";\"):\n"
        "    print(repr(row))' " +
        file.string());
    EXPECT_TRUE(ok);
    EXPECT_EQ(cells, "['Schulz (IT)', '  ']\n['Schulz IT', 'Line one\\r\\nsays \"hi\"; done\\nend  ']\n");

    const fs::path umlauts = m_folder / "umlauts.csv";
    ASSERT_EQ(
        Search({"--output", umlauts.string(), "--search-attribute", "sn", "-r", "cn,description", "M\xC3\xBCller"},
               test_directory::kFixturesDn)
            .exitCode,
        0);
    EXPECT_EQ(FileBytes(umlauts), "M\xC3\xBCller J\xC3\xBCrgen;\"Zimmer 3; 2. Stock\"  \r\n");
}

TEST_F(CliReadBackTest, LdifReadsBackWithTheDirectoryTools)
{
    const fs::path file = m_folder / "export.ldif";
    const struct {
        const char* base;
        const char* value;  // a value the reader shows
    } cases[] = {{test_directory::kEscapesDn, "\tSchulz (IT)\n"},
                 {test_directory::kFixturesDn, "\tZimmer 3; 2. Stock\n"}};
    for (const auto& c : cases) {
        ASSERT_EQ(Search({"--format", "ldif", "--output", file.string(), "--search-attribute", "cn", "-r",
                          "cn,description,jpegPhoto,mail", "*"},
                         c.base)
                      .exitCode,
                  0);
        const auto [ok, shown] = Capture("ldapadd -n -v -f " + file.string() + " 2>&1");
        EXPECT_TRUE(ok) << shown;
        EXPECT_NE(shown.find(c.value), std::string::npos) << shown;
    }
    EXPECT_NE(FileBytes(file).find("\njpegPhoto:: /9j/AAEC\n"), std::string::npos);
}

TEST_F(CliReadBackTest, LdifHoldsTheValuesTheDirectoryToolsRead)
{
    // Every entry's values as (dn, name, value) rows, read by one LDIF reader from the export and
    // from the directory tools' own search.
    const std::string values = std::string("python3 ") + CORVANE_LDIF_VALUES + " ";
    const fs::path file = m_folder / "values.ldif";
    ASSERT_EQ(Search({"--format", "ldif", "--output", file.string(), "--search-attribute", "sn", "-r", "*", "Values"},
                     test_directory::kValuesDn)
                  .exitCode,
              0);
    const fs::path tools = m_folder / "tools.ldif";
    const auto [searched, searchOutput] =
        Capture("ldapsearch -LLL -x -H ldap://" + DirectoryServer::Host() + ":" + std::to_string(s_server->Port()) +
                " -b " + test_directory::kValuesDn + " \"(sn=Values)\" \"*\" > " + tools.string());
    ASSERT_TRUE(searched) << searchOutput;
    const auto [readExport, exported] = Capture(values + file.string());
    const auto [readTools, expected] = Capture(values + tools.string());
    ASSERT_TRUE(readExport && readTools);
    EXPECT_EQ(exported, expected);
    EXPECT_NE(expected.find("3c62696e6172792c2033206279746573"), std::string::npos) << "the look-alike of a size";
    EXPECT_NE(expected.find("ffd8ff000102"), std::string::npos);
}

}  // namespace
