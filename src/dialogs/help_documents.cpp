// help_documents.cpp - help file naming with its English fallback, document paths, update address.
#include "dialogs/help_documents.h"

#include "localisation/text_keys.h"
#include "maker_addresses.h"
#include "storage/file_utils.h"

std::string HelpLanguageName(const std::string& languageFile)
{
    const std::string name = FileNameOf(languageFile);
    const std::size_t dot = name.find('.');
    if (dot == std::string::npos) {
        return std::string();
    }
    const std::size_t underscore = name.rfind('_', dot);
    if (underscore == std::string::npos) {
        return std::string();
    }
    return name.substr(underscore + 1, dot - underscore - 1);
}

std::string HelpFilePath(const std::string& programFolder, const std::string& languageFile,
                         const std::string& extension)
{
    const std::string path = programFolder + "LDAP_" + HelpLanguageName(languageFile) + extension;
    return FileExists(path) ? path : programFolder + "LDAP_English" + extension;
}

std::string LicenseFilePath(const std::string& programFolder)
{
    return programFolder + "LDAP_License.txt";
}

std::string ReadMeFilePath(const std::string& programFolder)
{
    return programFolder + "LDAP_ReadMe.txt";
}

std::string UpdateAddress()
{
    return std::string("http://") + kMakerWebHost + "/pages/c_ldap.php?lang=ENG&progvers=" + kShortVersionText;
}
