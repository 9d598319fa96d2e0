// text_keys.h - every localised text's key with its English default and where it goes, as data.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>

/// Where an apply operation puts a looked-up text.
enum class TextTarget {
    Control,           ///< the control with id `id`
    Caption,           ///< the window's caption
    MenuBarPosition,   ///< the menu bar's drop-down at position `id`
    MenuCommand,       ///< the menu item with command id `id`, searched through all drop-downs
    FileMenuPosition,  ///< the item at position `id` of the first drop-down (File)
    FileMenuCommand,   ///< the item with command id `id`, searched from the first drop-down
    Stored             ///< kept in a member string (messages, file-dialog filters)
};

/** One row of a window's key table. */
struct TextKey {
    const char* key;
    const char* englishDefault;
    TextTarget target;
    int id;
};

/// Main window (FrmMain), in lookup order: the texts of the controls and menus with the first messages, then
/// the failure and status texts.
std::span<const TextKey> MainWindowKeys();
/// Details window (FrmDetails), in lookup order.
std::span<const TextKey> DetailsWindowKeys();
/// Language dialog (FrmLanguage), in lookup order.
std::span<const TextKey> LanguageDialogKeys();
/// Detail-fields dialog (FrmOptions), in lookup order.
std::span<const TextKey> DetailFieldsKeys();
/// Connection dialog (FrmConnection): the bind name.
std::span<const TextKey> ConnectionDialogKeys();
/// Password dialog (FrmPassword); its label text holds "%s" for the bind name.
std::span<const TextKey> PasswordDialogKeys();

/// Every table above.
inline std::array<std::span<const TextKey>, 6> AllKeyTables()
{
    return {MainWindowKeys(),   DetailsWindowKeys(),    LanguageDialogKeys(),
            DetailFieldsKeys(), ConnectionDialogKeys(), PasswordDialogKeys()};
}

/// The row of table whose text goes to target at id, or nullptr.
const TextKey* KeyAt(std::span<const TextKey> table, TextTarget target, int id);
/// The English default of the row of table whose text goes to target at id; "" when there is none.
const char* EnglishAt(std::span<const TextKey> table, TextTarget target, int id);

/// The English default of a key of any table, or nullptr when the key is unknown.
const char* EnglishDefault(const char* key);
/// The English default of a key as text; an unknown key gives the key itself.
std::string EnglishText(const char* key);

/// The program's version texts.
extern const char* const kVersionText;       // "Version 1.640 (30.04.2018)"
extern const char* const kShortVersionText;  // "1.640"

/// Message and filter keys the windows use by name.
namespace keys {
inline constexpr const char* kFileError = "FrmMain.m_acMFileError";
inline constexpr const char* kFileCreateError = "FrmMain.m_acMFileCreateError";
inline constexpr const char* kError = "FrmMain.m_acMError";
inline constexpr const char* kNoSearchString = "FrmMain.m_acMNoSearchString";
inline constexpr const char* kNoLDAPServer = "FrmMain.m_acMNoLDAPServer";
inline constexpr const char* kNoSearchAttribute = "FrmMain.m_acMNoSearchAttribute";
inline constexpr const char* kNoResultAttribute = "FrmMain.m_acMNoResultAttribute";
inline constexpr const char* kNoDN = "FrmMain.m_acMNoDN";
inline constexpr const char* kLDAPQuery = "FrmMain.m_acMLDAPQuery";
inline constexpr const char* kNoResult = "FrmMain.m_acMNoResult";
inline constexpr const char* kFileFilter = "FrmMain.m_acMFileFilter";
inline constexpr const char* kCSVFilter = "FrmMain.m_acMCSVFilter";
inline constexpr const char* kBtnOK = "FrmMain.m_sMBtnOK";
inline constexpr const char* kSearchFailed = "FrmMain.m_acMSearchFailed";
inline constexpr const char* kStatusEntries = "FrmMain.m_acMStatusEntries";
inline constexpr const char* kStatusCut = "FrmMain.m_acMStatusCut";
inline constexpr const char* kStatusStopped = "FrmMain.m_acMStatusStopped";
inline constexpr const char* kDetailsFileFilter = "FrmDetails.m_acFileFilter";
inline constexpr const char* kDetailsPhotoFilter = "FrmDetails.m_acPhotoFilter";
inline constexpr const char* kPasswordUnencrypted = "FrmMain.m_acMPasswordUnencrypted";
inline constexpr const char* kPasswordFor = "FrmPassword.m_LBLPassword";
inline constexpr const char* kLDIFFilter = "FrmMain.m_acMLDIFFilter";
inline constexpr const char* kBaseDnsCaption = "FrmMain.m_acMBaseDnsCaption";
inline constexpr const char* kBaseDnsPrompt = "FrmMain.m_acMBaseDnsPrompt";
inline constexpr const char* kNoBaseDns = "FrmMain.m_acMNoBaseDns";
inline constexpr const char* kNeedsBind = "FrmMain.m_acMNeedsBind";
inline constexpr const char* kCannotOpen = "FrmMain.m_acMCannotOpen";
inline constexpr const char* kMenuOptions = "FrmMain.ID_MEN_OPTIONS";
inline constexpr const char* kMenuConnection = "FrmMain.ID_MEN_CONNECTION";
inline constexpr const char* kStatusArriving = "FrmMain.m_acMStatusArriving";
inline constexpr const char* kSelectFile = "FrmMain.m_acMSelectFile";
inline constexpr const char* kBtnCancel = "FrmMain.m_acMBtnCancel";
inline constexpr const char* kFrenchBy = "FrmMain.m_acMFrenchBy";
inline constexpr const char* kGreekBy = "FrmMain.m_acMGreekBy";
inline constexpr const char* kTurkishBy = "FrmMain.m_acMTurkishBy";
// the failure reasons of a search, put after "Search failed: "
inline constexpr const char* kCannotConnect = "FrmMain.m_acMCannotConnect";
inline constexpr const char* kSecureFailed = "FrmMain.m_acMSecureFailed";
inline constexpr const char* kStartTlsRefused = "FrmMain.m_acMStartTlsRefused";
inline constexpr const char* kAnonymousBindRefused = "FrmMain.m_acMAnonymousBindRefused";
inline constexpr const char* kBindRefused = "FrmMain.m_acMBindRefused";
inline constexpr const char* kNoAnswerSecond = "FrmMain.m_acMNoAnswerSecond";
inline constexpr const char* kNoAnswer = "FrmMain.m_acMNoAnswer";
inline constexpr const char* kTooLargeForMemory = "FrmMain.m_acMTooLargeForMemory";
inline constexpr const char* kMalformedAnswer = "FrmMain.m_acMMalformedAnswer";
inline constexpr const char* kClosedConnection = "FrmMain.m_acMClosedConnection";
inline constexpr const char* kAnswerOverBound = "FrmMain.m_acMAnswerOverBound";
inline constexpr const char* kMissingPassword = "FrmMain.m_acMMissingPassword";
inline constexpr const char* kBadServer = "FrmMain.m_acMBadServer";
inline constexpr const char* kPortOutOfRange = "FrmMain.m_acMPortOutOfRange";
inline constexpr const char* kMixedSecurity = "FrmMain.m_acMMixedSecurity";
inline constexpr const char* kSubtitle = "FrmMain.m_acSubtitle";
inline constexpr const char* kNoTicket = "FrmMain.m_acMNoTicket";
inline constexpr const char* kTicketExpired = "FrmMain.m_acMTicketExpired";
inline constexpr const char* kNoServicePrincipal = "FrmMain.m_acMNoServicePrincipal";
inline constexpr const char* kClockSkew = "FrmMain.m_acMClockSkew";
inline constexpr const char* kNoTicketModule = "FrmMain.m_acMNoTicketModule";
inline constexpr const char* kTicketFailed = "FrmMain.m_acMTicketFailed";
inline constexpr const char* kNoServiceRecords = "FrmMain.m_acMNoServiceRecords";
inline constexpr const char* kAnsweredBy = "FrmMain.m_acMAnsweredBy";
inline constexpr const char* kValuesIncomplete = "FrmMain.m_acMValuesIncomplete";
inline constexpr const char* kNeedsSecureBind = "FrmMain.m_acMNeedsSecureBind";
inline constexpr const char* kStatusServerLimit = "FrmMain.m_acMStatusServerLimit";
}  // namespace keys
