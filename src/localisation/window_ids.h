// window_ids.h - the control and command ids of every window, named once for the windows that
// create them and for the key tables that put texts on them.
#pragma once

/// Buttons every dialog template has; the windows create them with the toolkit's OK and Cancel ids.
namespace btn {
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
}  // namespace btn

/// Control ids of the main window.
namespace ctl {
inline constexpr int kServerLabel = 1000;
inline constexpr int kServer = 1001;
inline constexpr int kPortLabel = 1002;
inline constexpr int kPort = 1003;
inline constexpr int kPreselectionLabel = 1004;
inline constexpr int kPreselection = 1005;
inline constexpr int kSearchAttributeLabel = 1006;
inline constexpr int kResultAttributeLabel = 1007;
inline constexpr int kSearchStringLabel = 1008;
inline constexpr int kSearchString = 1009;
inline constexpr int kSearch = 1010;
inline constexpr int kResultLabel = 1011;
inline constexpr int kDetails = 1014;
inline constexpr int kBaseDnLabel = 1015;
inline constexpr int kBaseDn = 1016;
inline constexpr int kSwap = 1018;
inline constexpr int kBanner = 1019;
inline constexpr int kSearchAttribute = 1020;
inline constexpr int kResultList = 1021;
inline constexpr int kResultAttribute = 1028;
}  // namespace ctl

/// Control ids of the dialogs.
namespace dlg {
inline constexpr int kDetailsEdit = 1012;              ///< details window: the entry's text
inline constexpr int kFieldsList = 1013;               ///< detail-fields dialog: one name per line
inline constexpr int kFieldsName = 1017;               ///< detail-fields dialog: the name to add
inline constexpr int kFieldsAdd = 1038;                ///< detail-fields dialog: Add
inline constexpr int kFieldsClear = 1039;              ///< detail-fields dialog: Delete
inline constexpr int kLanguageLabel = 1040;            ///< language dialog: "Current language:"
inline constexpr int kLanguageList = 1041;             ///< language dialog: the languages
inline constexpr int kConnectionLabel = 1060;          ///< connection dialog: the bind name's label
inline constexpr int kConnectionBindUser = 1061;       ///< connection dialog: the bind name
inline constexpr int kPasswordLabel = 1062;            ///< password dialog: "Password for NAME"
inline constexpr int kPassword = 1063;                 ///< password dialog: the masked edit
inline constexpr int kConnectionStartTls = 1064;       ///< connection dialog: StartTLS before the bind
inline constexpr int kConnectionEntryCapLabel = 1065;  ///< connection dialog: the entry cap's label
inline constexpr int kConnectionEntryCap = 1066;       ///< connection dialog: the entry cap
inline constexpr int kConnectionAnonymous = 1067;      ///< connection dialog: sign in anonymously
inline constexpr int kConnectionPassword = 1068;       ///< connection dialog: sign in with name and password
inline constexpr int kConnectionTicket = 1069;         ///< connection dialog: sign in with the ticket or account
}  // namespace dlg

/// The system's menu command ids. They lie above what the toolkit accepts for menu items: the
/// windows map them (platform/command_ids.h).
namespace cmd {
inline constexpr int kOpen = 32771;
inline constexpr int kSave = 32772;
inline constexpr int kExit = 32773;
inline constexpr int kOptionsDetails = 32774;
inline constexpr int kInfo = 32775;
inline constexpr int kHelp = 32776;
inline constexpr int kDetailsSave = 32777;
inline constexpr int kLicense = 32778;
inline constexpr int kReadMe = 32779;
inline constexpr int kNew = 32780;
inline constexpr int kSaveAs = 32781;
inline constexpr int kExportResult = 32782;
inline constexpr int kShowDetails = 32783;
inline constexpr int kSearch = 32784;
inline constexpr int kClearRecent = 32786;
inline constexpr int kDeactivateRecent = 32787;
inline constexpr int kLanguage = 32788;
inline constexpr int kCheckUpdate = 32789;
inline constexpr int kConnection = 32790;        ///< Options > Connection...: the bind name
inline constexpr int kCopy = 32791;              ///< Edit > Copy: the shown rows as a table
inline constexpr int kExportLdif = 32792;        ///< Edit > Export as LDIF
inline constexpr int kBaseDns = 32793;           ///< Edit > Base DNs from server
inline constexpr int kDetailsCopy = 32794;       ///< the details window's Edit > Copy
inline constexpr int kSortBy = 32795;            ///< Edit > Sort by: the submenu of the shown columns
inline constexpr int kDetailsSavePhoto = 32796;  ///< the details window's File > Save photo as...
inline constexpr int kRecentFirst = 57616;       ///< recent entries are 57617 + position
inline constexpr int kRecentLast = 57631;
}  // namespace cmd

/// Positions in the main window's menu bar and File menu, for the texts placed by position.
namespace menu_pos {
inline constexpr int kFile = 0;
inline constexpr int kEdit = 1;
inline constexpr int kOptions = 2;
inline constexpr int kHelp = 3;
inline constexpr int kRecent = 5;  ///< File > Recent, after New, Open, Save, Save as and a separator
}  // namespace menu_pos
