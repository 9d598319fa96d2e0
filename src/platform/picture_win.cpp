// picture_win.cpp - DecodePicture through the Windows Imaging Component, which reads JPEG, PNG and
// GIF (the toolkit's own handlers for them are not part of the Windows build).
#include "platform/picture.h"

#include <windows.h>
#include <wincodec.h>

#include <cstdint>
#include <vector>

namespace {

/// Releases a COM interface when it goes out of scope.
template <typename T>
struct Released {
    T* p = nullptr;
    ~Released()
    {
        if (p != nullptr) {
            p->Release();
        }
    }
    T** operator&() { return &p; }
    T* operator->() const { return p; }
};

}  // namespace

wxImage DecodePicture(std::string_view bytes)
{
    if (bytes.empty() || bytes.size() > UINT32_MAX) {
        return wxImage();
    }
    // The window's thread has COM set up already; S_FALSE and RPC_E_CHANGED_MODE both leave it usable.
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const bool uninit = SUCCEEDED(init);
    wxImage image;
    {
        Released<IWICImagingFactory> factory;
        Released<IWICStream> stream;
        Released<IWICBitmapDecoder> decoder;
        Released<IWICBitmapFrameDecode> frame;
        Released<IWICBitmapSource> pixels;
        UINT width = 0;
        UINT height = 0;
        if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                       reinterpret_cast<void**>(&factory))) &&
            SUCCEEDED(factory->CreateStream(&stream)) &&
            SUCCEEDED(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                                   static_cast<DWORD>(bytes.size()))) &&
            SUCCEEDED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand, &decoder)) &&
            SUCCEEDED(decoder->GetFrame(0, &frame)) &&
            SUCCEEDED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.p, &pixels)) &&
            SUCCEEDED(pixels->GetSize(&width, &height)) && width > 0 && height > 0 &&
            width <= static_cast<UINT>(kLargestPictureSide) && height <= static_cast<UINT>(kLargestPictureSide)) {
            const UINT stride = width * 4;
            std::vector<BYTE> bgra(static_cast<std::size_t>(stride) * height);
            if (SUCCEEDED(pixels->CopyPixels(nullptr, stride, static_cast<UINT>(bgra.size()), bgra.data()))) {
                image.Create(static_cast<int>(width), static_cast<int>(height), false);
                image.InitAlpha();
                unsigned char* rgb = image.GetData();
                unsigned char* alpha = image.GetAlpha();
                for (std::size_t i = 0, n = static_cast<std::size_t>(width) * height; i < n; ++i) {
                    rgb[3 * i] = bgra[4 * i + 2];
                    rgb[3 * i + 1] = bgra[4 * i + 1];
                    rgb[3 * i + 2] = bgra[4 * i];
                    alpha[i] = bgra[4 * i + 3];
                }
            }
        }
    }
    if (uninit) {
        CoUninitialize();
    }
    return image;
}
