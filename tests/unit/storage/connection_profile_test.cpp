// connection_profile_test.cpp - profile files: the written XML form, reading it back, the older
// line-based form and the choice between the two.
#include "storage/connection_profile.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace {

const std::string kHeader = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<InitFile>\r\n";
const std::string kFooter = "</InitFile>\r\n";
using Names = std::vector<std::string>;

ConnectionProfile SampleProfile()
{
    ConnectionProfile p;
    p.server = " ldap.m\xfcller.example ";
    p.port = "636 ";
    p.baseDn = "o=Smith & Sons <Ltd>,c=GB";
    p.preselection = "+49 (89) ";
    p.searchAttribute = "sn";
    p.resultAttribute = "cn,mail";
    p.detailAttributes = SlotsFromList({"cn", " spaced name ", "\xe4\xf6\xfc\xdf", "a<b>&c"});
    p.bindUser = "cn=M\xfcller, Hans,o=Smith & Sons";
    return p;
}

/// The six single fields, in file order of the line-based form.
std::vector<std::string> Fields(const ConnectionProfile& p)
{
    return {p.baseDn, p.preselection, p.server, p.port, p.searchAttribute, p.resultAttribute};
}

TEST(DetailSlots, ListEndsAtTheFirstEmptySlotAndNamesAreCut)
{
    DetailSlots slots{};
    slots[0] = "cn";
    slots[2] = "mail";
    EXPECT_EQ(DetailList(slots), Names{"cn"});
    const DetailSlots cut = SlotsFromList(Names(130, std::string(2000, 'n')));
    EXPECT_EQ(DetailList(cut).size(), 100u);
    EXPECT_EQ(cut[99].size(), kFieldLimit);
    EXPECT_EQ(DetailList(DefaultDetailSlots()), (Names{"cn", "Company", "postalAddress", "postalCode", "l", "st",
                                                       "physicalDeliveryOfficeName", "telephoneNumber"}));
}

TEST(ProfileFile, WrittenInKeyOrderUpToTheFirstEmptySlotAndReadBackByteForByte)
{
    TempFolder folder;
    ConnectionProfile p;
    p.server = "srv";
    p.baseDn = "o=x";
    p.detailAttributes[0] = "cn";
    p.detailAttributes[1] = "mail";
    p.detailAttributes[3] = "after-gap";
    ASSERT_TRUE(WriteProfile(folder / "p.cvl", p));
    EXPECT_EQ(ReadBytes(folder / "p.cvl"),
              kHeader +
                  "  <LDAPServer>srv</LDAPServer>\r\n  <LDAPServerPort>389</LDAPServerPort>\r\n"
                  "  <DN>o=x</DN>\r\n  <Preselect></Preselect>\r\n"
                  "  <SearchAttributes>telephoneNumber</SearchAttributes>\r\n"
                  "  <ResultAttributes>cn</ResultAttributes>\r\n"
                  "  <DetailAttribute0>cn</DetailAttribute0>\r\n"
                  "  <DetailAttribute1>mail</DetailAttribute1>\r\n" +
                  kFooter);

    const ConnectionProfile written = SampleProfile();
    ASSERT_TRUE(WriteProfile(folder / "p.cvl", written));
    // The bind name follows every other key; a reader that knows only those finds them as before.
    const std::string bytes = ReadBytes(folder / "p.cvl");
    EXPECT_TRUE(
        bytes.ends_with("<DetailAttribute3>a<b>&c</DetailAttribute3>\r\n"
                        "  <BindUser>cn=M\xfcller, Hans,o=Smith & Sons</BindUser>\r\n" +
                        kFooter));
    ConnectionProfile read;
    read.detailAttributes = DefaultDetailSlots();
    read.bindUser = "earlier";
    ProfileFields found;
    ASSERT_EQ(ReadProfile(folder / "p.cvl", read, found), ProfileReadResult::Xml);
    EXPECT_EQ(Fields(read), Fields(written));
    EXPECT_EQ(read.detailAttributes, written.detailAttributes);
    EXPECT_EQ(read.bindUser, written.bindUser);
    EXPECT_TRUE(found.server && found.port && found.baseDn && found.preselection && found.searchAttribute &&
                found.resultAttribute && found.detailAttributes && found.bindUser);

    // A profile without a bind name reads as one without: the earlier name does not stay.
    p.bindUser.clear();
    ASSERT_TRUE(WriteProfile(folder / "p.cvl", p));
    ASSERT_EQ(ReadProfile(folder / "p.cvl", read, found), ProfileReadResult::Xml);
    EXPECT_EQ(read.bindUser, "");
}

TEST(ProfileFile, StartTlsAndTheEntryCapFollowTheBindNameOnlyWhenSet)
{
    const struct {
        bool startTls;
        uint32_t entryCap;
        std::string keys;
    } cases[] = {
        {true, 0, "  <StartTLS>1</StartTLS>\r\n"},
        {false, 100000, "  <EntryCap>100000</EntryCap>\r\n"},
        {true, 1000000, "  <StartTLS>1</StartTLS>\r\n  <EntryCap>1000000</EntryCap>\r\n"},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        ConnectionProfile written = SampleProfile();
        written.startTls = c.startTls;
        written.entryCap = c.entryCap;
        ASSERT_TRUE(WriteProfile(folder / "p.cvl", written));
        EXPECT_TRUE(ReadBytes(folder / "p.cvl").ends_with("</BindUser>\r\n" + c.keys + kFooter));
        ConnectionProfile read;
        ProfileFields found;
        ASSERT_EQ(ReadProfile(folder / "p.cvl", read, found), ProfileReadResult::Xml);
        EXPECT_EQ(read.startTls, c.startTls);
        EXPECT_EQ(read.entryCap, c.entryCap);
    }
    // A cap no user could set reads as none: the default holds.
    for (const char* cap : {"0", "-5", "1000001", "many"}) {
        WriteBytes(folder / "odd.cvl", kHeader + "  <EntryCap>" + cap + "</EntryCap>\r\n" + kFooter);
        ConnectionProfile read;
        read.entryCap = 7;
        ProfileFields found;
        ASSERT_TRUE(ReadXmlProfile(folder / "odd.cvl", read, found));
        EXPECT_EQ(read.entryCap, 0u) << cap;
    }
}

TEST(ProfileFile, SignInIsWrittenOnlyWhereTheBindNameDoesNotSayIt)
{
    const struct {
        const char* bindUser;
        SignIn signIn;
        std::string keys;  // what follows the detail slots
        SignIn read;       // as a search takes it, with the bind name
    } cases[] = {
        {"cn=reader", SignIn::Password, "  <BindUser>cn=reader</BindUser>\r\n", SignIn::Password},
        {"", SignIn::Password, "", SignIn::Anonymous},
        {"", SignIn::Anonymous, "", SignIn::Anonymous},
        {"", SignIn::Kerberos, "  <SignIn>kerberos</SignIn>\r\n", SignIn::Kerberos},
        {"cn=reader", SignIn::Kerberos, "  <BindUser>cn=reader</BindUser>\r\n  <SignIn>kerberos</SignIn>\r\n",
         SignIn::Kerberos},
        {"cn=reader", SignIn::Anonymous, "  <BindUser>cn=reader</BindUser>\r\n  <SignIn>anonymous</SignIn>\r\n",
         SignIn::Anonymous},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        ConnectionProfile written = SampleProfile();
        written.bindUser = c.bindUser;
        written.signIn = c.signIn;
        ASSERT_TRUE(WriteProfile(folder / "p.cvl", written));
        const std::string bytes = ReadBytes(folder / "p.cvl");
        EXPECT_EQ(bytes.find("<SignIn>") == std::string::npos, c.keys.find("<SignIn>") == std::string::npos);
        EXPECT_TRUE(bytes.ends_with(c.keys + kFooter));
        ConnectionProfile read;
        ProfileFields found;
        ASSERT_EQ(ReadProfile(folder / "p.cvl", read, found), ProfileReadResult::Xml);
        EXPECT_EQ(EffectiveSignIn(read.signIn, read.bindUser), c.read);
    }
}

TEST(ProfileFile, XmlReaderRewritesEverySlotFromTheKeysPresent)
{
    const struct {
        const char* name;
        std::string entries;
        Names expectedList;
    } cases[] = {
        {"no-keys", "  <Other>1</Other>\r\n", {}},
        {"gap", "  <DetailAttribute0>cn</DetailAttribute0>\r\n  <DetailAttribute2>mail</DetailAttribute2>\r\n", {"cn"}},
        {"empty-list", "  <LDAPServer>s</LDAPServer>\r\n", {}},
        {"long",
         "  <DetailAttribute0>" + std::string(1500, 'a') + "</DetailAttribute0>\r\n  <DN>" + std::string(1500, 'b') +
             "</DN>\r\n",
         {std::string(kFieldLimit, 'a')}},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(folder / c.name, kHeader + c.entries + kFooter);
        ConnectionProfile p = SampleProfile();
        ProfileFields found;
        ASSERT_TRUE(ReadXmlProfile(folder / c.name, p, found));
        EXPECT_EQ(DetailList(p.detailAttributes), c.expectedList);
        EXPECT_EQ(p.baseDn, c.name == std::string("long") ? std::string(kFieldLimit, 'b') : "");
        EXPECT_EQ(p.port, "");  // a missing key empties the field, no "389"
        EXPECT_TRUE(found.detailAttributes);
    }
}

TEST(LegacyProfile, OnlyAProfileWithAllSixFieldLinesIsTakenEveryValueCut)
{
    const Names defaults = DetailList(DefaultDetailSlots());
    // At most 100 detail lines; every line cut to what a field holds.
    std::string many;
    Names manyDetails{std::string(kFieldLimit, 'd')};
    for (int i = 0; i < 6; ++i) {
        many += std::string(1100, 'f') + "\r\r\n";
    }
    many += std::string(1100, 'd') + "\r\r\n";
    for (int i = 1; i < 120; ++i) {
        many += "attr" + std::to_string(i) + "\r\r\n";
        if (i < 100) {
            manyDetails.push_back("attr" + std::to_string(i));
        }
    }
    const struct {
        const char* name;
        std::string bytes;
        Names fields;  // the fields read, in file order; none: the file is no profile
        Names details;
    } cases[] = {
        // On disk every line ends with CR CR LF; the bytes after the last separator are ignored.
        {"all",
         "o=M\xfcller\r\r\n+49\r\r\nsrv\r\r\n389\r\r\nsn\r\r\ncn\r\r\nmail\r\r\n ou \r\r\ntail",
         {"o=M\xfcller", "+49", "srv", "389", "sn", "cn"},
         {"mail", " ou "}},
        {"six-no-details", "a\r\r\nb\r\r\nc\r\r\nd\r\r\ne\r\r\nf\r\r\n", {"a", "b", "c", "d", "e", "f"}, {}},
        {"many", many, Names(6, std::string(kFieldLimit, 'f')), manyDetails},
        {"empty", "", {}, defaults},
        {"plain-crlf", "o=x\r\nsrv\r\n389\r\nsn\r\ncn\r\nmail\r\n", {}, defaults},  // reads as LF only
        {"five", "o=x\r\r\npre\r\r\nsrv\r\r\n389\r\r\nsn\r\r\ncn", {}, defaults},
        {"ctrl-z-ends", "a\r\r\nb\x1a\r\r\nc\r\r\nd\r\r\ne\r\r\nf\r\r\n", {}, defaults},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ConnectionProfile p;
        p.baseDn = p.preselection = p.server = p.port = p.searchAttribute = p.resultAttribute = "kept";
        p.bindUser = "kept";
        p.detailAttributes = DefaultDetailSlots();
        ProfileFields found;
        EXPECT_EQ(ParseLegacyProfile(c.bytes, p, found), !c.fields.empty());
        EXPECT_EQ(Fields(p), c.fields.empty() ? Names(6, "kept") : c.fields);
        EXPECT_EQ(p.bindUser, c.fields.empty() ? "kept" : "");  // the older form has no bind name
        EXPECT_EQ(found.server && found.baseDn && found.resultAttribute && found.detailAttributes, !c.fields.empty());
        EXPECT_EQ(DetailList(p.detailAttributes), c.details);
    }
}

TEST(ReadProfile, ChoosesTheFormAndRefusesWhatIsNoProfile)
{
    TempFolder folder;
    const std::string legacy = "o=x\r\r\npre\r\r\nsrv\r\r\n389\r\r\nsn\r\r\ncn\r\r\nmail\r\r\n";
    WriteBytes(folder / "legacy.cvl", legacy);
    std::filesystem::permissions(folder / "legacy.cvl", std::filesystem::perms::owner_read);

    ConnectionProfile p;
    ProfileFields found;
    EXPECT_EQ(ReadProfile(folder / "legacy.cvl", p, found), ProfileReadResult::Legacy);
    EXPECT_EQ(p.server, "srv");
    EXPECT_EQ(DetailList(p.detailAttributes), Names{"mail"});
    EXPECT_EQ(ReadBytes(folder / "legacy.cvl"), legacy);

    // Neither form: no closing root tag, a text file, a missing file, a folder.
    WriteBytes(folder / "broken.cvl", kHeader + "  <LDAPServer>s</LDAPServer>\r\n");
    WriteBytes(folder / "notes.txt", "Call Smith\r\nabout the budget\r\n");
    for (const char* name : {"broken.cvl", "notes.txt", "missing.cvl", ""}) {
        ConnectionProfile q = SampleProfile();
        ProfileFields none;
        EXPECT_EQ(ReadProfile(folder / name, q, none), ProfileReadResult::Unreadable) << name;
        EXPECT_EQ(Fields(q), Fields(SampleProfile())) << name;
        EXPECT_FALSE(none.server || none.detailAttributes) << name;
    }
}

}  // namespace
