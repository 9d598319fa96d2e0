// program_folders.cpp - the program, storage and document paths, found once at start-up.
#include "app/program_folders.h"

#include <ctime>

#include "app/storage_location.h"
#include "platform/folders.h"
#include "storage/file_utils.h"

ProgramFolders ProgramFolders::AtStart()
{
    ProgramFolders folders;
    folders.program = DirectoryOf(ProgramPath());
    folders.licenceFile = folders.program + "LDAP_License.txt";
    folders.changeListFile = folders.program + "LDAP_ReadMe.txt";

    const SavePathRedirection redirection = ReadSavePath(folders.program);
    if (redirection.readable) {
        SetCurrentFolder(folders.program);  // for the rest of the run, as SavePath.ini asks
    }
    if (!redirection.folder.empty()) {
        folders.storage = redirection.folder;
        return folders;
    }
    const std::time_t now = std::time(nullptr);
    // std::localtime, which both C runtimes have: computed once at start-up, before any thread
    const std::tm local = *std::localtime(&now);
    RecordInstallation(AllUsersDataFolder(), folders.program, local);
    folders.storage = UserStorageFolder(UserDataFolder(), folders.program);
    return folders;
}
