// connection_profile_test.cpp - profile files: the written XML form, reading it back, the older
// line-based form and the choice between the two.
#include "storage/connection_profile.h"

#include <gtest/gtest.h>

#include "storage/settings_file.h"
#include "temp_folder.h"

namespace {

const std::string kHeader = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<InitFile>\r\n";
const std::string kFooter = "</InitFile>\r\n";

ConnectionProfile SampleProfile() {
    ConnectionProfile p;
    p.server = " ldap.m\xfcller.example ";
    p.port = "636 ";
    p.baseDn = "o=Smith & Sons <Ltd>,c=GB";
    p.preselection = "+49 (89) ";
    p.searchAttribute = "sn";
    p.resultAttribute = "cn,mail";
    p.detailAttributes = SlotsFromList({"cn", " spaced name ", "\xe4\xf6\xfc\xdf", "a<b>&c"});
    return p;
}

void ExpectSameFields(const ConnectionProfile& a, const ConnectionProfile& b) {
    EXPECT_EQ(a.server, b.server);
    EXPECT_EQ(a.port, b.port);
    EXPECT_EQ(a.baseDn, b.baseDn);
    EXPECT_EQ(a.preselection, b.preselection);
    EXPECT_EQ(a.searchAttribute, b.searchAttribute);
    EXPECT_EQ(a.resultAttribute, b.resultAttribute);
}

TEST(DetailSlots, ListEndsAtTheFirstEmptySlotAndNamesAreCut) {
    DetailSlots slots{};
    slots[0] = "cn";
    slots[2] = "mail";
    EXPECT_EQ(DetailList(slots), std::vector<std::string>{"cn"});

    std::vector<std::string> many(130, std::string(2000, 'n'));
    const DetailSlots cut = SlotsFromList(many);
    EXPECT_EQ(DetailList(cut).size(), 100u);
    EXPECT_EQ(cut[99].size(), kFieldLimit);

    EXPECT_EQ(DetailList(DefaultDetailSlots()),
              (std::vector<std::string>{"cn", "Company", "postalAddress", "postalCode", "l", "st",
                                        "physicalDeliveryOfficeName", "telephoneNumber"}));
}

TEST(ProfileFile, WrittenInKeyOrderUpToTheFirstEmptySlot) {
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
}

TEST(ProfileFile, SavedProfileReadsBackByteForByte) {
    TempFolder folder;
    const ConnectionProfile written = SampleProfile();
    ASSERT_TRUE(WriteProfile(folder / "p.cvl", written));
    ConnectionProfile read;
    read.detailAttributes = DefaultDetailSlots();
    ProfileFields found;
    ASSERT_EQ(ReadProfile(folder / "p.cvl", read, found), ProfileReadResult::Xml);
    ExpectSameFields(read, written);
    EXPECT_EQ(read.detailAttributes, written.detailAttributes);
    EXPECT_TRUE(found.server && found.port && found.baseDn && found.preselection && found.searchAttribute &&
                found.resultAttribute && found.detailAttributes);
}

TEST(ProfileFile, XmlReaderRewritesEverySlotFromTheKeysPresent) {
    struct Case {
        const char* name;
        std::string entries;
        std::vector<std::string> expectedList;
    };
    const Case cases[] = {
        {"no-keys", "  <Other>1</Other>\r\n", {}},
        {"gap", "  <DetailAttribute0>cn</DetailAttribute0>\r\n  <DetailAttribute2>mail</DetailAttribute2>\r\n",
         {"cn"}},
        {"empty-list", "  <LDAPServer>s</LDAPServer>\r\n", {}},
        {"long", "  <DetailAttribute0>" + std::string(1500, 'a') + "</DetailAttribute0>\r\n",
         {std::string(kFieldLimit, 'a')}},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        WriteBytes(folder / c.name, kHeader + c.entries + kFooter);
        ConnectionProfile p = SampleProfile();
        ProfileFields found;
        ASSERT_TRUE(ReadXmlProfile(folder / c.name, p, found)) << c.name;
        EXPECT_EQ(DetailList(p.detailAttributes), c.expectedList) << c.name;
        EXPECT_EQ(p.baseDn, "") << c.name;
        EXPECT_EQ(p.port, "") << c.name;  // a missing key empties the field, no "389"
        EXPECT_TRUE(found.detailAttributes);
    }
}

TEST(LegacyProfile, FieldsInFileOrderThenDetailLines) {
    ConnectionProfile p;
    ProfileFields found;
    // On disk every line ends with CR CR LF; the bytes after the last separator are ignored.
    ParseLegacyProfile("o=M\xfcller\r\r\n+49\r\r\nsrv\r\r\n389\r\r\nsn\r\r\ncn\r\r\nmail\r\r\n ou \r\r\ntail",
                       p, found);
    EXPECT_EQ(p.baseDn, "o=M\xfcller");
    EXPECT_EQ(p.preselection, "+49");
    EXPECT_EQ(p.server, "srv");
    EXPECT_EQ(p.port, "389");
    EXPECT_EQ(p.searchAttribute, "sn");
    EXPECT_EQ(p.resultAttribute, "cn");
    EXPECT_EQ(DetailList(p.detailAttributes), (std::vector<std::string>{"mail", " ou "}));
    EXPECT_TRUE(found.baseDn && found.resultAttribute && found.detailAttributes);
}

TEST(LegacyProfile, StopsAtTheFirstLineWithoutSeparator) {
    struct Case {
        const char* name;
        std::string bytes;
        int fieldsRead;  // in file order: baseDn, preselection, server, port, search, result
        bool detailsReplaced;
    };
    const Case cases[] = {
        {"empty", "", 0, false},
        {"plain-crlf", "o=x\r\nsrv\r\n389\r\n", 0, false},  // reads as LF only: no separator
        {"three", "o=x\r\r\npre\r\r\nsrv\r\r\n389", 3, false},
        {"six-no-details", "a\r\r\nb\r\r\nc\r\r\nd\r\r\ne\r\r\nf\r\r\n", 6, true},
        {"ctrl-z-ends", "a\r\r\nb\x1a\r\r\nc\r\r\n", 1, false},
    };
    for (const Case& c : cases) {
        ConnectionProfile p;
        p.baseDn = p.preselection = p.server = p.port = p.searchAttribute = p.resultAttribute = "kept";
        p.detailAttributes = DefaultDetailSlots();
        ProfileFields found;
        ParseLegacyProfile(c.bytes, p, found);
        const std::string* values[] = {&p.baseDn, &p.preselection, &p.server, &p.port, &p.searchAttribute,
                                       &p.resultAttribute};
        const bool flags[] = {found.baseDn, found.preselection, found.server, found.port, found.searchAttribute,
                              found.resultAttribute};
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(flags[i], i < c.fieldsRead) << c.name << " field " << i;
            EXPECT_EQ(*values[i] == "kept", i >= c.fieldsRead) << c.name << " field " << i;
        }
        EXPECT_EQ(found.detailAttributes, c.detailsReplaced) << c.name;
        EXPECT_EQ(DetailList(p.detailAttributes).empty(), c.detailsReplaced) << c.name;
    }
}

TEST(LegacyProfile, AtMostOneHundredDetailLinesEachCut) {
    std::string bytes;
    for (int i = 0; i < 6; ++i) {
        bytes += std::string(400, 'f') + "\r\r\n";  // field lines are not cut
    }
    bytes += std::string(1100, 'd') + "\r\r\n";
    for (int i = 1; i < 120; ++i) {
        bytes += "attr" + std::to_string(i) + "\r\r\n";
    }
    ConnectionProfile p;
    ProfileFields found;
    ParseLegacyProfile(bytes, p, found);
    EXPECT_EQ(p.baseDn.size(), 400u);
    const std::vector<std::string> list = DetailList(p.detailAttributes);
    ASSERT_EQ(list.size(), 100u);
    EXPECT_EQ(list[0], std::string(kFieldLimit, 'd'));
    EXPECT_EQ(list[99], "attr99");
}

TEST(ReadProfile, ChoosesTheFormAndReportsUnreadableFiles) {
    TempFolder folder;
    WriteBytes(folder / "legacy.cvl", "o=x\r\r\npre\r\r\nsrv\r\r\n389\r\r\nsn\r\r\ncn\r\r\nmail\r\r\n");
    WriteBytes(folder / "broken.cvl", kHeader + "  <LDAPServer>s</LDAPServer>\r\n");
    std::filesystem::permissions(folder / "legacy.cvl", std::filesystem::perms::owner_read);

    ConnectionProfile p;
    ProfileFields found;
    EXPECT_EQ(ReadProfile(folder / "legacy.cvl", p, found), ProfileReadResult::Legacy);
    EXPECT_EQ(p.server, "srv");
    EXPECT_EQ(DetailList(p.detailAttributes), std::vector<std::string>{"mail"});
    EXPECT_EQ(ReadBytes(folder / "legacy.cvl"), "o=x\r\r\npre\r\r\nsrv\r\r\n389\r\r\nsn\r\r\ncn\r\r\nmail\r\r\n");

    // Not in the XML form (no closing root tag): read as a legacy file without separators.
    ConnectionProfile q = SampleProfile();
    ProfileFields none;
    EXPECT_EQ(ReadProfile(folder / "broken.cvl", q, none), ProfileReadResult::Legacy);
    ExpectSameFields(q, SampleProfile());
    EXPECT_FALSE(none.server || none.detailAttributes);

    EXPECT_EQ(ReadProfile(folder / "missing.cvl", q, none), ProfileReadResult::Unreadable);
    EXPECT_EQ(ReadProfile(folder.Path(), q, none), ProfileReadResult::Unreadable);
    ExpectSameFields(q, SampleProfile());
}

}  // namespace
