// picture_posix.cpp - DecodePicture through the toolkit's own image handlers.
#include "platform/picture.h"

#include <wx/log.h>
#include <wx/mstream.h>

wxImage DecodePicture(std::string_view bytes)
{
    static const bool handlersAdded = [] {
        for (wxImageHandler* handler :
             std::initializer_list<wxImageHandler*>{new wxJPEGHandler, new wxPNGHandler, new wxGIFHandler}) {
            if (wxImage::FindHandler(handler->GetType()) == nullptr) {
                wxImage::AddHandler(handler);
            } else {
                delete handler;
            }
        }
        return true;
    }();
    (void)handlersAdded;
    wxLogNull quiet;  // a damaged picture is simply not shown
    wxMemoryInputStream stream(bytes.data(), bytes.size());
    wxImage image;
    if (!image.LoadFile(stream, wxBITMAP_TYPE_ANY) || image.GetWidth() > kLargestPictureSide ||
        image.GetHeight() > kLargestPictureSide) {
        return wxImage();
    }
    return image;
}
