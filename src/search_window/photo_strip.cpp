// photo_strip.cpp - PhotoStrip: decoding, scaling and choosing the details window's pictures.
#include "search_window/photo_strip.h"

#include <algorithm>

#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "platform/picture.h"
#include "platform/text.h"
#include "result/readable_text.h"

namespace {

constexpr int kMarginDip = 6;

/// The most a small picture is enlarged to come near the square it is shown in.
constexpr double kLargestEnlargement = 4.0;

/// image scaled to fit a square of side pixels, keeping its proportions; a small one is enlarged at
/// most kLargestEnlargement times.
wxImage FittedImage(const wxImage& image, int side)
{
    const double scale = std::min({kLargestEnlargement, static_cast<double>(side) / image.GetWidth(),
                                   static_cast<double>(side) / image.GetHeight()});
    if (scale == 1.0) {
        return image;
    }
    return image.Scale(std::max(1, static_cast<int>(image.GetWidth() * scale)),
                       std::max(1, static_cast<int>(image.GetHeight() * scale)), wxIMAGE_QUALITY_HIGH);
}

}  // namespace

PhotoStrip::PhotoStrip(wxWindow* parent, const std::vector<EntryPhoto>& photos)
    : wxScrolledWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxVSCROLL | wxBORDER_THEME)
{
    SetFont(parent->GetFont());
    auto* column = new wxBoxSizer(wxVERTICAL);
    const int side = FromDIP(kPictureSideDip);
    const int margin = FromDIP(kMarginDip);
    for (const EntryPhoto& photo : photos) {
        const wxImage image = DecodePicture(photo.bytes);
        if (!image.IsOk()) {
            continue;
        }
        const std::size_t index = m_photos.size();
        m_photos.push_back(photo);
        auto* item = new wxPanel(this, wxID_ANY);
        auto* itemColumn = new wxBoxSizer(wxVERTICAL);
        auto* picture = new wxStaticBitmap(item, wxID_ANY, wxBitmap(FittedImage(image, side)));
        auto* name = new wxStaticText(item, wxID_ANY, ToWx(PhotoCaption(photo.dn)), wxDefaultPosition, wxSize(side, -1),
                                      wxALIGN_CENTRE_HORIZONTAL | wxST_ELLIPSIZE_END);
        name->SetToolTip(ToWx(ReadableText(photo.dn)));
        picture->SetToolTip(ToWx(ReadableText(photo.dn)));
        itemColumn->Add(picture, 0, wxALIGN_CENTRE_HORIZONTAL | wxTOP | wxLEFT | wxRIGHT, margin / 2);
        itemColumn->Add(name, 0, wxALIGN_CENTRE_HORIZONTAL | wxALL, margin / 2);
        item->SetSizer(itemColumn);
        for (wxWindow* target :
             {static_cast<wxWindow*>(item), static_cast<wxWindow*>(picture), static_cast<wxWindow*>(name)}) {
            target->Bind(wxEVT_LEFT_DOWN, [this, index](wxMouseEvent&) { Choose(index); });
        }
        column->Add(item, 0, wxEXPAND | wxALL, margin / 2);
        m_items.push_back(item);
    }
    SetSizer(column);
    SetScrollRate(0, FromDIP(10));
    FitInside();
    Choose(0);
}

void PhotoStrip::Choose(std::size_t index)
{
    if (index >= m_items.size()) {
        return;
    }
    m_chosen = index;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        const bool chosen = i == index;
        const wxColour back = chosen ? wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT) : GetBackgroundColour();
        const wxColour fore = chosen ? wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT) : GetForegroundColour();
        m_items[i]->SetBackgroundColour(back);
        for (wxWindow* child : m_items[i]->GetChildren()) {
            child->SetForegroundColour(fore);
        }
        m_items[i]->Refresh();
    }
}

int PhotoStrip::StripWidth() const
{
    return FromDIP(kPictureSideDip) + 3 * FromDIP(kMarginDip) + wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, this);
}
