#include "win32/Accessibility.h"

#include <utility>

#include "core/Messages.h"
#include "platform/windows/Utf16.h"

// The annotation service and its smart pointer.
#include <oleacc.h>
#include <wrl/client.h>

namespace kelvora::win32 {

namespace {

using Microsoft::WRL::ComPtr;

const MSAAPROPID& PropertyId(Annotations::Property property) {
    return property == Annotations::Property::Name ? PROPID_ACC_NAME : PROPID_ACC_DESCRIPTION;
}

class AnnotationService final : public Annotations {
  public:
    explicit AnnotationService(ComPtr<IAccPropServices> service) : service_(std::move(service)) {}

    void Set(HWND control, Property property, const std::wstring& text) override {
        // The control itself, not one of its parts; a refusal leaves the
        // proxy's own answer, which is all that can be done about it.
        service_->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                 PropertyId(property), text.c_str());
    }

    void Clear(HWND control) override {
        const MSAAPROPID properties[] = {PROPID_ACC_NAME, PROPID_ACC_DESCRIPTION};
        service_->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                 properties, 2);
    }

  private:
    ComPtr<IAccPropServices> service_;
};

// No service: the proxies answer on their own, and a client's next request
// does not try again.
class NoAnnotations final : public Annotations {
  public:
    void Set(HWND, Property, const std::wstring&) override {}
    void Clear(HWND) override {}
};

}  // namespace

void Annotations::Describe(HWND control, const std::wstring& name, const std::string& tooltip) {
    Set(control, Property::Name, name);
    Set(control, Property::Description, platform::Utf8ToWide(tooltip));
}

const wchar_t* AccessibleNameFor(core::ButtonFace face) {
    return face == core::ButtonFace::Go ? L"開始" : L"停止";
}

std::unique_ptr<Annotations> SystemAnnotations() {
    ComPtr<IAccPropServices> service;
    if (FAILED(::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IAccPropServices,
                                  reinterpret_cast<void**>(service.GetAddressOf())))) {
        return std::make_unique<NoAnnotations>();
    }
    return std::make_unique<AnnotationService>(std::move(service));
}

void FieldAnnotations::Attach(HWND minutes, HWND seconds) {
    minutes_ = minutes;
    seconds_ = seconds;
    GiveIfScreenReaderRuns();
}

void FieldAnnotations::GiveIfScreenReaderRuns() {
    BOOL screenReader = FALSE;
    if (::SystemParametersInfoW(SPI_GETSCREENREADER, 0, &screenReader, 0) && screenReader) Give();
}

void FieldAnnotations::Give() {
    if (service_ || minutes_ == nullptr || !factory_) return;
    service_ = factory_();
    if (!service_) return;
    service_->Describe(minutes_, L"分", core::messages::kMinutesTip);
    service_->Describe(seconds_, L"秒", core::messages::kSecondsTip);
}

void FieldAnnotations::Withdraw() {
    if (service_) {
        service_->Clear(minutes_);
        service_->Clear(seconds_);
        service_.reset();
    }
    minutes_ = seconds_ = nullptr;
}

}  // namespace kelvora::win32
