#include "app/SkinPicture_win.h"

#include <objbase.h>
#include <wincodec.h>

#include <string>
#include <vector>

#include "core/Errors.h"

namespace zv::win {

namespace {

// WIC 1's factory, which every Windows from Vista on has; the newer one of
// Windows 8 decodes no PNG differently.
constexpr GUID kImagingFactory{
    0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
// WIC 1's version, which the exported maker checks.
constexpr UINT kSdkVersion = 0x0236;
// 32-bit: Wine converts a palette PNG to 32-bit BGR but not to 24-bit.
constexpr GUID kPixelFormat32bppBgr{
    0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x0e}};
// Larger than any skin; keeps the pixel count's arithmetic far from overflow.
constexpr UINT kMaxSide = 8192;

// Owns one reference to a COM object.
template <class T>
class ComRef {
  public:
    ComRef() = default;
    ~ComRef() {
        if (p_) p_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T* operator->() const { return p_; }
    T* Get() const { return p_; }
    T** Out() { return &p_; }

  private:
    T* p_ = nullptr;
};

[[noreturn]] void Fail(const char* step, HRESULT hr) {
    throw Exception(std::string("Не удалось прочитать картинку циферблата (") + step + ", ошибка " +
                    HexCode(static_cast<unsigned long>(hr), 8) + "). Скачайте программу заново");
}

void Check(HRESULT hr, const char* step) {
    if (FAILED(hr)) Fail(step, hr);
}

}  // namespace

TSkinPicture::TSkinPicture() {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    // Already in another apartment on this thread: usable as it is, and not
    // ours to end.
    if (hr != RPC_E_CHANGED_MODE) {
        Check(hr, "CoInitializeEx");
        uninitialize_ = true;
    }
    // Every windowscodecs.dll from Vista on exports the factory's maker; COM
    // is the way round for one that would not.
    using MakeFactory = HRESULT(WINAPI*)(UINT, IWICImagingFactory**);
    const auto make = codecs_.Load(L"windowscodecs.dll")
                          ? reinterpret_cast<MakeFactory>(reinterpret_cast<void*>(
                                GetProcAddress(codecs_.Module(), "WICCreateImagingFactory_Proxy")))
                          : nullptr;
    hr = make ? make(kSdkVersion, &factory_)
              : CoCreateInstance(kImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                 __uuidof(IWICImagingFactory), reinterpret_cast<void**>(&factory_));
    if (FAILED(hr)) {
        if (uninitialize_) CoUninitialize();
        Fail("CoCreateInstance(WICImagingFactory)", hr);
    }
}

TSkinPicture::~TSkinPicture() {
    factory_->Release();
    if (uninitialize_) CoUninitialize();
}

Image TSkinPicture::Decode(std::span<const uint8_t> encoded) const {
    if (encoded.empty()) Fail("Decode", E_INVALIDARG);
    ComRef<IWICStream> stream;
    Check(factory_->CreateStream(stream.Out()), "CreateStream");
    // WIC only reads from the memory; the cast is its interface's, not a write.
    Check(stream->InitializeFromMemory(const_cast<BYTE*>(encoded.data()),
                                       static_cast<DWORD>(encoded.size())),
          "InitializeFromMemory");
    ComRef<IWICBitmapDecoder> decoder;
    Check(factory_->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                            decoder.Out()),
          "CreateDecoderFromStream");
    ComRef<IWICBitmapFrameDecode> frame;
    Check(decoder->GetFrame(0, frame.Out()), "GetFrame");
    ComRef<IWICFormatConverter> converter;
    Check(factory_->CreateFormatConverter(converter.Out()), "CreateFormatConverter");
    Check(converter->Initialize(frame.Get(), kPixelFormat32bppBgr, WICBitmapDitherTypeNone, nullptr,
                                0.0, WICBitmapPaletteTypeCustom),
          "IWICFormatConverter::Initialize");
    UINT width = 0, height = 0;
    Check(converter->GetSize(&width, &height), "GetSize");
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide)
        Fail("GetSize", E_UNEXPECTED);

    const UINT stride = width * 4;
    std::vector<BYTE> bgr(static_cast<size_t>(stride) * height);
    Check(converter->CopyPixels(nullptr, stride, static_cast<UINT>(bgr.size()), bgr.data()),
          "CopyPixels");

    Image image(static_cast<int>(width), static_cast<int>(height), 0);
    for (size_t i = 0, o = 0; o < image.pixels.size(); i += 4, ++o) {
        image.pixels[o] = Rgb(bgr[i + 2], bgr[i + 1], bgr[i]);
    }
    return image;
}

Image TSkinPicture::FromResource(int id) const {
    HMODULE self = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(self, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));  // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(self, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        throw Exception(
            "В Zvenoks.exe нет картинки циферблата: файл повреждён. Скачайте программу заново");
    // A resource lives as long as the module: nothing to free.
    return Decode({static_cast<const uint8_t*>(data), SizeofResource(self, found)});
}

}  // namespace zv::win
