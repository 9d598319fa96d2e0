// details_dialog.h - CDetailsDialog, the modal window that shows the details text and saves it.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/frame.h>
#include <wx/gdicmn.h>
#include <wx/iconbndl.h>

#include "localisation/window_ids.h"
#include "search/entry_photos.h"

class PhotoStrip;
class TextCatalog;
class wxButton;
class wxGUIEventLoop;
class wxPanel;
class wxTextCtrl;

/// Where the resize rule puts the edit and the OK button for a client size.
struct DetailsLayout {
    wxRect edit;
    wxRect ok;
    wxRect photos;  ///< the pictures' column; empty without pictures
};

/**
 * The details window (caption "Details"): a resizable frame with the menus
 * "File > Save as..." and "Edit > Copy", the multi-line edit holding the details text and the default button
 * OK. Entries with a picture (jpegPhoto, thumbnailPhoto) show it in a column left of the text, and
 * "File > Save photo as..." writes the chosen picture's original bytes. It is a frame because a dialog cannot carry a
 * menu bar; ShowModal runs it modally the way
 * the toolkit's dialogs do (every other window disabled, a nested event loop until it closes).
 * Create it, set the language's texts and the details text, then ShowModal once and Destroy it.
 */
class CDetailsDialog : public wxFrame {
public:
    /// Id of the edit control that shows the text.
    static constexpr int kEditId = dlg::kDetailsEdit;

    /// Builds the window and its controls; the texts are applied by ShowModal.
    explicit CDetailsDialog(wxWindow* parent);
    ~CDetailsDialog() override;

    /// The texts of the language the window shows; English until they are set.
    void SetTexts(std::shared_ptr<const TextCatalog> texts) { m_texts = std::move(texts); }
    /// The text put into the edit when the window is shown.
    void SetDetailsText(const std::string& text) { m_detailsText = text; }
    /// The entries' pictures, shown beside the text (those the system can read); the window widens by their column.
    /// Call once, before ShowModal.
    void SetPhotos(const std::vector<EntryPhoto>& photos);
    /// The pictures' column; nullptr when no picture is shown.
    PhotoStrip* Photos() const { return m_photos; }

    /// Puts the text into the edit, applies the window's texts, shows the window with every other
    /// window disabled and returns once OK, the close box or Escape closed it (wxID_OK for OK,
    /// wxID_CANCEL otherwise). The window is hidden, not destroyed, on return.
    int ShowModal();
    /// Ends the modal loop with retCode; does nothing when the window is not shown modally.
    void EndModal(int retCode);
    bool IsModal() const { return m_loop != nullptr; }

    /// File > Save as...: asks for a path (default extension "txt", the file filter
    /// text) and writes TextToSave() there; "Cannot create file" when that fails.
    void SaveText();
    /// File > Save photo as...: asks for a path (default extension by the picture's format, the picture filter text)
    /// and writes the chosen picture's original bytes there; "Cannot create file" when that fails.
    void SavePhoto();
    /// Edit > Copy (Ctrl+C): the edit's selection, or its whole text when nothing is selected.
    void CopyText();
    /// The bytes Save writes: the text as it was given while the edit still shows it unchanged,
    /// otherwise the edit's text with every bare LF written as CR LF.
    std::string TextToSave() const;

    /// The filter of the Save dialog (text of FrmDetails.m_acFileFilter).
    const std::string& FileFilter() const { return m_fileFilter; }
    wxTextCtrl* Edit() const { return m_edit; }
    wxButton* OkButton() const { return m_ok; }

    /// The resize rule: the edit keeps its left and top and gets width = client width - 2 * left,
    /// height = client height - 40; OK lies at ((cw - 70) / 2, ch - 35) with size 70 x 25. With a pictures' column of
    /// photosWidth, the column takes the left of the edit's rectangle and the edit the rest.
    static DetailsLayout LayoutFor(const wxSize& client, const wxPoint& editOrigin, int photosWidth = 0);
    /// text with every LF that has no CR before it written as CR LF.
    static std::string WithCrLfLineEnds(const std::string& text);

    /// Called once each time a window is shown modally, from inside its loop (tests act through
    /// it: read the text, save, close). An empty function removes the hook.
    static void SetShownHook(std::function<void(CDetailsDialog&)> hook);

private:
    /// The FrmDetails texts of the language: menu, OK button and the Save dialog's filter.
    void ApplyDetailsWindowTexts();
    void OnSize(wxSizeEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnCharHook(wxKeyEvent& event);

    wxPanel* m_panel = nullptr;
    wxTextCtrl* m_edit = nullptr;
    wxButton* m_ok = nullptr;
    PhotoStrip* m_photos = nullptr;                        ///< the pictures' column, when an entry has a picture
    std::shared_ptr<const TextCatalog> m_texts;            ///< the language's texts
    std::string m_detailsText;                             ///< the text as built, written back while unedited
    wxString m_shownText;                                  ///< the edit's value right after the text was put in
    std::string m_fileFilter = "Textfile(*.txt)|*.txt||";  ///< Save dialog filter
    std::string m_photoFilter;                             ///< Save photo dialog filter
    wxGUIEventLoop* m_loop = nullptr;                      ///< the nested loop while shown modally
    int m_retCode = wxID_CANCEL;                           ///< how the modal loop ended
};
