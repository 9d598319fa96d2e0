// help_documents_test.cpp - the help file's language from the language file's name, its English fallback, and
// the update address.
#include <gtest/gtest.h>

#include "temp_folder.h"
#include "dialogs/help_documents.h"
#include "maker_addresses.h"

TEST(HelpDocuments, LanguageIsTheTextAfterTheLastUnderscoreBeforeTheFirstDot)
{
    const struct {
        const char *file, *language;
    } rows[] = {
        {"", ""},
        {"LangLDAP_English.ini", "English"},
        {"/usr/lib/corvane-ldap/LangLDAP_Deutsch.ini", "Deutsch"},
        {"C:\\Program Files\\Corvane\\LangLDAP_Greek.ini", "Greek"},
        {"Lang_LDAP_Svenska.ini", "Svenska"},      // the second "_" counts
        {"LangLDAP_Turkce.backup.ini", "Turkce"},  // the first "." ends it
        {"LangLDAPEnglish.ini", ""},               // no "_"
        {"LangLDAP_English", ""},                  // no "."
        {"Lang.LDAP_English.ini", ""},             // the "_" after the first "."
        {"/opt/my_folder/Lang.ini", ""},           // only the file name is looked at
        {"LangLDAP_.ini", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(HelpLanguageName(row.file), row.language) << row.file;
    }
}

TEST(HelpDocuments, HelpFileOfTheLanguageWhenItExistsElseTheEnglishOne)
{
    TempFolder folder;
    WriteBytes(folder / "LDAP_Deutsch.html", "<html/>");
    WriteBytes(folder / "LDAP_.html", "<html/>");
    const std::string english = folder / "LDAP_English.html";  // not there: still the fallback
    const struct {
        const char* languageFile;
        std::string path;
    } rows[] = {
        {"", folder / "LDAP_.html"},  // the built-in English first looks for "LDAP_" + extension
        {"LangLDAP_Deutsch.ini", folder / "LDAP_Deutsch.html"},
        {"LangLDAP_Greek.ini", english},
        {"LangLDAP_English.ini", english},
        {"Sprache.ini", folder / "LDAP_.html"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(HelpFilePath(folder.Path(), row.languageFile, ".html"), row.path) << row.languageFile;
    }

    std::remove((folder / "LDAP_.html").c_str());
    EXPECT_EQ(HelpFilePath(folder.Path(), "", ".html"), english);
    EXPECT_EQ(HelpFilePath(folder.Path(), "LangLDAP_Deutsch.ini", ".chm"), folder / "LDAP_English.chm");
}

TEST(HelpDocuments, UpdateAddressAsksForEnglishAndThisVersionOnTheMakersHost)
{
    EXPECT_EQ(UpdateAddress(), std::string("http://") + kMakerWebHost + "/pages/c_ldap.php?lang=ENG&progvers=1.640");
    EXPECT_EQ(LicenseFilePath("/p/"), "/p/LDAP_License.txt");
    EXPECT_EQ(ReadMeFilePath("/p/"), "/p/LDAP_ReadMe.txt");
}
