#pragma once
#include <functional>
#include <memory>
#include <string>

#include "core/Controls.h"
#include "win32/SystemHeaders.h"

namespace kelvora::win32 {

// What a screen reader calls Command1: what a press will do now. The button
// draws a picture only, so its window text can carry this without showing.
const wchar_t* AccessibleNameFor(core::ButtonFace face);

// What the system's accessibility proxies report for a control, overridden
// where the control has no text of its own to take it from: the fields have
// no label window beside them, so they would have no name.
class Annotations {
  public:
    enum class Property { Name, Description };

    virtual ~Annotations() = default;
    virtual void Set(HWND control, Property property, const std::wstring& text) = 0;
    // Every property set on the control goes; due before the control is
    // destroyed.
    virtual void Clear(HWND control) = 0;

    // A name, and the tooltip's text as the description: the proxies do not
    // all read tooltips, and the annotation makes every one report it.
    void Describe(HWND control, const std::wstring& name, const std::string& tooltip);
};

// The system's annotation service, on the calling thread's COM apartment.
// Where the service is missing or refuses (Wine has it only in name), the
// controls keep what the proxies find on their own and nothing else changes.
std::unique_ptr<Annotations> SystemAnnotations();

using AnnotationsFactory = std::function<std::unique_ptr<Annotations>()>;

// The names and descriptions of the minutes and seconds fields. They are given
// once a screen reader says it runs, as the window is made or later, or else
// when a client first asks the form or either field for its accessible
// object: a reader started after Kelvora, or one that does not announce
// itself, may ask the focused field directly, and hears its name all the
// same. Not before: the service brings a library of its own into the
// process, which a user without assistive technology need not carry.
class FieldAnnotations {
  public:
    explicit FieldAnnotations(AnnotationsFactory factory) : factory_(std::move(factory)) {}

    void Attach(HWND minutes, HWND seconds);
    // Once; later calls find the fields annotated.
    void Give();
    // At the start, and whenever the system's screen reader flag changes.
    void GiveIfScreenReaderRuns();
    // Before the fields are destroyed, and the service before COM goes.
    void Withdraw();

  private:
    AnnotationsFactory factory_;
    std::unique_ptr<Annotations> service_;
    HWND minutes_ = nullptr;
    HWND seconds_ = nullptr;
};

}  // namespace kelvora::win32
