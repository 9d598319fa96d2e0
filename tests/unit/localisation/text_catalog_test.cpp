// text_catalog_test.cpp - lookups with their English fallback, and the English language file's bytes.
#include "localisation/text_catalog.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "temp_folder.h"
#include "localisation/english_file.h"
#include "localisation/text_keys.h"

namespace {

TEST(TextCatalog, LooksUpBySubstringWithTheEnglishFallback)
{
    TempFolder folder;
    const struct {
        const char* file;  // nullptr: no file
        const char* text;  // of FrmMain.m_BTNSearch
    } cases[] = {
        {"FrmMain.m_BTNSearch=\"Suchen\"\r\n", "Suchen"},
        {"[FrmMain]\r\nXYFrmMain.m_BTNSearch=\"Longer key\"\r\n", "Longer key"},
        {"FrmMain.m_BTNSearch=\"\"\r\nFrmMain.m_BTNDetails=\"Details\"\r\n", "Search"},
        {"FrmMain.m_BTNSearch=\"First\"\r\nFrmMain.m_BTNSearch=\"Second\"\r\n", "First"},
        {"FrmMain.m_BTNSearchX=\"Other key\"\r\n", "Search"},
        {"FrmMain.m_BTNSearch=\"Cut \"here\"\r\n", "Cut "},
        {"FrmMain.m_BTNSearch=\"Tab\tF3\"\r\n", "Tab\tF3"},
        {"", "Search"},
        {nullptr, "Search"},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string path = folder / ("lang" + std::to_string(n++) + ".ini");
        if (c.file != nullptr) {
            WriteBytes(path, c.file);
        }
        TextCatalog catalog(path);
        EXPECT_EQ(catalog.LookupText("FrmMain.m_BTNSearch", "Search"), c.text) << (c.file ? c.file : "no file");
    }
    // a folder is no language file
    TextCatalog ofFolder(folder.Path());
    EXPECT_EQ(ofFolder.LookupText("FrmMain.m_BTNSearch", "Search"), "Search");

    // Texts longer than the windows' fields are cut at the field bound, never inside a character.
    const std::string longest(1023, 'a');
    const std::pair<std::string, std::string> long_cases[] = {
        {longest, longest},
        {std::string(10 * 1024 * 1024, 'a'), longest},
        {std::string(1022, 'a') + "\xc3\xa9", std::string(1022, 'a')},
    };
    for (const auto& [text, cut] : long_cases) {
        const std::string path = folder / "long.ini";
        WriteBytes(path, "FrmMain.m_BTNSearch=\"" + text + "\"\r\n");
        EXPECT_EQ(TextCatalog(path).LookupText("FrmMain.m_BTNSearch", "Search"), cut) << text.size();
    }
}

TEST(EnglishFile, HoldsEveryKeyWithItsDefaultAndIsRewritten)
{
    TempFolder folder;
    const std::string path = folder / "LangLDAP_English.ini";
    WriteBytes(path, "left over from an older version\r\n");
    ASSERT_TRUE(WriteEnglishFile(path));
    ASSERT_TRUE(WriteEnglishFile(path));  // a second start rewrites, never appends
    const std::string bytes = ReadBytes(path);

    const std::string head =
        "[LDAP_CLDAPDlg - Version 1.640 (30.04.2018)]\r\nFrmMain.m_LBLLDAPServer=\"LDAP server\"\r\n";
    EXPECT_EQ(bytes.substr(0, head.size()), head);
    const std::string tail =
        "\r\r\n[LDAP_COptionDetailsDlg]\r\n"
        "FrmOptions.m_BTNAdd=\"Add\"\r\nFrmOptions.m_BTNClear=\"Delete\"\r\n"
        "FrmOptions.Caption=\"Fields for detail view\"\r\nFrmOptions.m_BTNCancel=\"Cancel\"\r\n"
        "FrmOptions.m_BTNOk=\"OK\"\r\n"
        "\r\r\n[FLDAP_CDetailsDialog]\r\n"
        "FrmDetails.ID_MEN_DLGFILE=\"File\"\r\nFrmDetails.ID_MEN_DLGSAVE=\"Save as...\"\r\n"
        "FrmDetails.m_BTNOk=\"OK\"\r\nFrmDetails.m_acFileFilter=\"Textfile(*.txt)|*.txt||\"\r\n"
        "FrmDetails.ID_MEN_DLGEDIT=\"Edit\"\r\nFrmDetails.ID_MEN_DLGCOPY=\"Copy\tCtrl+C\"\r\n"
        "FrmDetails.ID_MEN_DLGSAVEPHOTO=\"Save photo as...\"\r\n"
        "FrmDetails.m_acPhotoFilter=\"Pictures (*.jpg;*.png;*.gif)|*.jpg;*.png;*.gif||\"\r\n"
        "\r\r\n[LDAP_CConnectionDlg]\r\n"
        "FrmConnection.Caption=\"Connection\"\r\nFrmConnection.m_LBLBindUser=\"Bind name (empty: anonymous)\"\r\n"
        "FrmConnection.m_BTNOk=\"OK\"\r\nFrmConnection.m_BTNCancel=\"Cancel\"\r\n"
        "FrmConnection.m_CHKStartTls=\"Upgrade ldap:// with StartTLS before the bind\"\r\n"
        "FrmConnection.m_LBLEntryCap=\"Entry cap (1 to 1000000):\"\r\n"
        "FrmConnection.m_RBAnonymous=\"Sign in anonymously\"\r\n"
        "FrmConnection.m_RBPassword=\"Sign in with the bind name and its password\"\r\n"
        "FrmConnection.m_RBKerberos=\"Sign in with my Kerberos ticket\"\r\n"
        "FrmConnection.m_RBWindowsAccount=\"Sign in with my Windows account\"\r\n"
        "\r\r\n[LDAP_CPasswordDlg]\r\n"
        "FrmPassword.Caption=\"Password\"\r\nFrmPassword.m_LBLPassword=\"Password for %s\"\r\n"
        "FrmPassword.m_BTNOk=\"OK\"\r\nFrmPassword.m_BTNCancel=\"Cancel\"\r\n";
    ASSERT_GE(bytes.size(), tail.size());
    EXPECT_EQ(bytes.substr(bytes.size() - tail.size()), tail);

    // between them one line per main-window key, the controls' and menus' first, in table order
    const std::string main = bytes.substr(head.size(), bytes.size() - tail.size() - head.size());
    std::size_t lines = 1;  // the first key line is part of head
    for (char ch : main) {
        lines += ch == '\n';
    }
    EXPECT_EQ(lines, MainWindowKeys().size());
    EXPECT_NE(bytes.find("\r\nFrmMain.ID_MEN_NEW=\"New settings\tCtrl+N\"\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\nFrmMain.m_sMBtnOK=\"OK\"\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("FrmMain.ID_MEN_RECENT="), bytes.rfind("FrmMain.ID_MEN_RECENT="));
    EXPECT_EQ(bytes.find("FrmLanguage"), std::string::npos);
    EXPECT_EQ(bytes.find("older version"), std::string::npos);
}

TEST(EnglishFile, ReportsAFolderItCannotWriteTo)
{
    TempFolder folder;
    EXPECT_FALSE(WriteEnglishFile(folder / "no such folder/LangLDAP_English.ini"));
}

}  // namespace
