// main_window_startup.cpp - CLDAPDlg's folders at start-up: the program folder, the document menu
// items, the storage folder and the installation record.
#include <ctime>

#include <wx/menu.h>
#include <wx/time.h>

#include "app/main_window.h"
#include "app/storage_location.h"
#include "platform/command_ids.h"
#include "platform/folders.h"
#include "storage/file_utils.h"

void CLDAPDlg::SetUpFolders()
{
    m_programFolder = DirectoryOf(ProgramPath());
    RemoveMissingDocumentItems();

    const SavePathRedirection redirection = ReadSavePath(m_programFolder);
    if (redirection.readable)
        SetCurrentFolder(m_programFolder);  // for the rest of the run, as SavePath.ini asks
    if (!redirection.folder.empty()) {
        m_storageFolder = redirection.folder;
        return;
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    wxLocaltime_r(&now, &local);  // the toolkit's, as the runtimes name it differently
    RecordInstallation(AllUsersDataFolder(), m_programFolder, local);
    m_storageFolder = UserStorageFolder(UserDataFolder(), m_programFolder);
}

void CLDAPDlg::RemoveMissingDocumentItems()
{
    wxMenuBar* bar = GetMenuBar();
    const auto remove = [bar](int command) {
        wxMenu* menu = nullptr;
        if (wxMenuItem* item = bar->FindItem(ToWxId(command), &menu))
            menu->Destroy(item);
    };
    m_licenseFilePath = m_programFolder + "LDAP_License.txt";
    if (!FileExists(m_licenseFilePath))
        remove(cmd::kLicense);
    m_readMeFilePath = m_programFolder + "LDAP_ReadMe.txt";
    if (!FileExists(m_readMeFilePath)) {
        remove(cmd::kReadMe);
        remove(cmd::kCheckUpdate);
    }
}
