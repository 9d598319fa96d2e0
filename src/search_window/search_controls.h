// search_controls.h - the main-window controls the search commands read and fill.
#pragma once

class CResultList;
class wxButton;
class wxCheckBox;
class wxComboBox;
class wxStatusBar;
class wxTextCtrl;
class wxWindow;

/// The main-window controls the search commands read and fill (owned by the main window).
struct SearchControls {
    wxWindow* window = nullptr;             ///< parent of message boxes and dialogs
    wxTextCtrl* server = nullptr;           ///< the LDAP server
    wxTextCtrl* port = nullptr;             ///< the LDAP port
    wxTextCtrl* baseDn = nullptr;           ///< the base DN
    wxTextCtrl* preselection = nullptr;     ///< the search preselection
    wxComboBox* searchAttribute = nullptr;  ///< the search attribute
    wxComboBox* resultAttribute = nullptr;  ///< the result attributes
    wxTextCtrl* searchString = nullptr;     ///< the search string
    wxCheckBox* swap = nullptr;             ///< "Swap search and result attributes"
    wxButton* details = nullptr;            ///< Details
    CResultList* list = nullptr;            ///< the result list
    wxStatusBar* status = nullptr;          ///< the window's status line
};
