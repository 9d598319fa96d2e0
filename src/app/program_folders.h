// program_folders.h - the folders the program reads and writes, found once at start-up.
#pragma once

#include <string>

/// Where the program lies, where it keeps LDAP.ini, and its licence and change-list documents.
struct ProgramFolders {
    std::string program;         ///< the folder of the program file, ending in a separator
    std::string storage;         ///< SavePath.ini's folder, else the per-user folder
    std::string licenceFile;     ///< LDAP_License.txt in the program folder
    std::string changeListFile;  ///< LDAP_ReadMe.txt in the program folder

    /// Finds the folders of this run. When SavePath.ini is readable the program folder becomes the
    /// current folder for the rest of the run; without a redirection the installation is recorded
    /// in the all-users folder.
    static ProgramFolders AtStart();
};
