// ad_values_test.cpp - the values of Active Directory people as the program writes them: the LDIF
// export holds every value the directory tools read, byte for byte, and GUIDs, SIDs and other
// binary values are shown in readable text.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "ad_search_fixture.h"
#include "program_run.h"

namespace {

using namespace ad_suite;

const Bind kUpn = kBinds[0];
const Transport kStartTls = kTransports[0];

class AdValues : public AdSearch {
protected:
    /// corvane-search below the people, bound as the reader's UPN over StartTLS, for the accounts
    /// matching pattern, with the result attributes and extra options given.
    program_run::ProgramRun Search(const std::string& pattern, const std::string& results,
                                   program_run::Args options = {}) const
    {
        program_run::Args args = {"-ZZ",
                                  "-H",
                                  Url(kStartTls),
                                  "-D",
                                  kUpn.name,
                                  "-y",
                                  m_passwordFile,
                                  "-b",
                                  tad::kPeopleDn,
                                  "--search-attribute",
                                  "sAMAccountName",
                                  "-r",
                                  results,
                                  "-l",
                                  "120"};
        args.insert(args.end(), options.begin(), options.end());
        args.push_back(pattern);
        return program_run::RunProgram(args, m_temp.Path(), {"LDAPTLS_CACERT=" + s_directory->CaFile()});
    }
};

TEST_F(AdValues, LdifHoldsEveryValueTheDirectoryToolsRead)
{
    // m0000 to m0099: photos, thumbnails, certificates, GUIDs, SIDs, several values, "\," in names.
    const std::string exported = m_temp / "people.ldif";
    const program_run::ProgramRun run = Search("m00*", "*", {"--format", "ldif", "--output", exported});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string tools = m_temp / "tools.ldif";
    const auto [searched, searchOutput] =
        Capture(Ldapsearch(kUpn, kStartTls, tad::kPeopleDn, "(sAMAccountName=m00*)", "'*'") + " > " + tools);
    ASSERT_TRUE(searched) << searchOutput;
    const std::string values = std::string("python3 ") + CORVANE_LDIF_VALUES + " ";
    const auto [readExport, ours] = Capture(values + exported);
    const auto [readTools, theirs] = Capture(values + tools);
    ASSERT_TRUE(readExport && readTools);
    EXPECT_EQ(ours, theirs);
    for (const char* name : {"'objectguid'", "'objectsid'", "'jpegphoto'", "'thumbnailphoto'", "'usercertificate'"}) {
        EXPECT_NE(theirs.find(name), std::string::npos) << name;
    }
}

TEST_F(AdValues, GuidsSidsAndPicturesAreShownAsText)
{
    // m0005 has a thumbnailPhoto; one line: the account, its GUID, its SID, its picture's size.
    const program_run::ProgramRun run = Search("m0005", "sAMAccountName,objectGUID,objectSid,thumbnailPhoto");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::regex line(
        "m0005 *;? *[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12} *;? *"
        "S-1-5-21-[0-9]+-[0-9]+-[0-9]+-[0-9]+ *;? *<binary, [0-9]+ bytes> *\r?\n");
    EXPECT_TRUE(std::regex_match(run.out, line)) << run.out;

    // The GUID's text is the one its bytes give in the usual order (the first three groups
    // little-endian), as read from ldapsearch's answer.
    const auto [ok, guid] = Capture(
        Ldapsearch(kUpn, kStartTls, tad::kPeopleDn, "(sAMAccountName=m0005)", "objectGUID") +
        " | python3 -c 'import base64,sys,uuid\n"
        "for l in sys.stdin:\n"
        "    if l.startswith(\"objectGUID:: \"): print(uuid.UUID(bytes_le=base64.b64decode(l[13:])), end=\"\")'");
    ASSERT_TRUE(ok);
    ASSERT_EQ(guid.size(), 36u);
    EXPECT_NE(run.out.find(guid), std::string::npos) << guid;
}

}  // namespace
