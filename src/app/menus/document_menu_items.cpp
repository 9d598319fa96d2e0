// document_menu_items.cpp - removing the document items an installation lacks.
#include "app/menus/document_menu_items.h"

#include <wx/menu.h>

#include "app/program_folders.h"
#include "platform/command_ids.h"
#include "storage/file_utils.h"

void RemoveMissingDocumentItems(wxMenuBar& bar, const ProgramFolders& folders)
{
    const auto remove = [&bar](int command) {
        wxMenu* menu = nullptr;
        if (wxMenuItem* item = bar.FindItem(ToWxId(command), &menu)) {
            menu->Destroy(item);
        }
    };
    if (!FileExists(folders.licenceFile)) {
        remove(cmd::kLicense);
    }
    if (!FileExists(folders.changeListFile)) {
        remove(cmd::kReadMe);
        remove(cmd::kCheckUpdate);
    }
}
