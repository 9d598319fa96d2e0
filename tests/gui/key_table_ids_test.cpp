// key_table_ids_test.cpp - every control, command and menu position a key table names exists in its window.
#include <memory>
#include <string>

#include <gtest/gtest.h>
#include <wx/menu.h>
#include <wx/toplevel.h>

#include "app/menus/main_menu.h"
#include "app/frame/main_window.h"
#include "dialogs/connection_dialog.h"
#include "dialogs/detail_fields_dialog.h"
#include "dialogs/language_dialog.h"
#include "gui_test_support.h"
#include "localisation/text_catalog.h"
#include "localisation/text_keys.h"
#include "platform/command_ids.h"
#include "search_window/details_dialog.h"
#include "search_window/password_dialog.h"

namespace {

/// The toolkit id of a key table's control id.
int ToolkitControlId(int id)
{
    return id == btn::kOk ? wxID_OK : id == btn::kCancel ? wxID_CANCEL : id;
}

/// Fails for each row of table whose control, command or menu position window lacks.
void ExpectPlacesExist(std::span<const TextKey> table, wxTopLevelWindow& window, wxMenuBar* bar)
{
    wxMenu* file = bar != nullptr && bar->GetMenuCount() > 0 ? bar->GetMenu(0) : nullptr;
    for (const TextKey& row : table) {
        switch (row.target) {
            case TextTarget::Control:
                EXPECT_NE(window.FindWindow(ToolkitControlId(row.id)), nullptr) << row.key;
                break;
            case TextTarget::MenuCommand:
                ASSERT_NE(bar, nullptr) << row.key;
                EXPECT_NE(bar->FindItem(ToWxId(row.id)), nullptr) << row.key;
                break;
            case TextTarget::MenuBarPosition:
                ASSERT_NE(bar, nullptr) << row.key;
                EXPECT_LT(static_cast<size_t>(row.id), bar->GetMenuCount()) << row.key;
                break;
            case TextTarget::FileMenuPosition:
                ASSERT_NE(file, nullptr) << row.key;
                ASSERT_LT(static_cast<size_t>(row.id), file->GetMenuItemCount()) << row.key;
                EXPECT_TRUE(file->FindItemByPosition(static_cast<size_t>(row.id))->IsSubMenu()) << row.key;
                break;
            case TextTarget::FileMenuCommand:
                ASSERT_NE(file, nullptr) << row.key;
                EXPECT_NE(file->FindItem(ToWxId(row.id)), nullptr) << row.key;
                break;
            case TextTarget::Caption:
            case TextTarget::Stored:
                break;
        }
    }
}

TEST(KeyTableIds, EachWindowHasThePlacesItsKeyTableNames)
{
    auto* main = new CLDAPDlg({});
    // the menus as built, before the window takes out the items of missing documents
    std::unique_ptr<wxMenuBar> mainMenus(CreateMainMenuBar());
    ExpectPlacesExist(MainWindowKeys(), *main, mainMenus.get());

    auto* details = new CDetailsDialog(main);
    ExpectPlacesExist(DetailsWindowKeys(), *details, details->GetMenuBar());
    details->Destroy();

    {
        const auto english = std::make_shared<const TextCatalog>();
        const struct {
            std::span<const TextKey> table;
            std::unique_ptr<wxDialog> dialog;
        } dialogs[] = {
            {LanguageDialogKeys(),
             std::make_unique<CLanguageDlg>(main, LanguageSelection{"", "English", english}, "missing.ini", "")},
            {DetailFieldsKeys(), std::make_unique<COptionDetailsDlg>(main, DetailSlots{}, *english)},
            {ConnectionDialogKeys(), std::make_unique<CConnectionDlg>(main, "", ConnectionOptions{}, *english)},
            {PasswordDialogKeys(), std::make_unique<CPasswordDlg>(main, "cn=admin", *english)},
        };
        for (const auto& d : dialogs) {
            ExpectPlacesExist(d.table, *d.dialog, nullptr);
        }
    }

    main->Destroy();
    PumpEvents();
}

}  // namespace
