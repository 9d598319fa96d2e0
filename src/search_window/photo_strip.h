// photo_strip.h - PhotoStrip: the pictures of the details window's entries in a column beside the
// text, each with its entry's name; one of them is chosen for File > Save photo as...
#pragma once

#include <cstddef>
#include <vector>

#include <wx/scrolwin.h>

#include "search/entry_photos.h"

class wxPanel;

/**
 * A column that scrolls, one picture above the other, each scaled to fit a square of
 * kPictureSideDip (a small one enlarged at most four times) with the value of its entry's first RDN below it. Pictures
 * the system cannot read are left out. A click chooses a picture; the first one is chosen at the start.
 */
class PhotoStrip : public wxScrolledWindow {
public:
    /// The side of the square each picture is scaled to fit, in device-independent pixels.
    static constexpr int kPictureSideDip = 96;

    PhotoStrip(wxWindow* parent, const std::vector<EntryPhoto>& photos);

    /// The pictures shown.
    std::size_t Count() const { return m_photos.size(); }
    /// The chosen picture; nullptr when none is shown.
    const EntryPhoto* Chosen() const { return m_photos.empty() ? nullptr : &m_photos[m_chosen]; }
    std::size_t ChosenIndex() const { return m_chosen; }
    /// Chooses the picture at index (ignored beyond Count()) and marks it.
    void Choose(std::size_t index);
    /// The strip's width: a picture, its margins and a scroll bar.
    int StripWidth() const;

private:
    std::vector<EntryPhoto> m_photos;  ///< the pictures shown, in the entries' order
    std::vector<wxPanel*> m_items;     ///< the panel of each picture and its name
    std::size_t m_chosen = 0;
};
