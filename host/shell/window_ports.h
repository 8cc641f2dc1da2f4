// What the editor window asks of the windows around it: the preview and
// the dialogs. Each is filled in by the window that answers it; until a
// dialog exists its command stays disabled.
#pragma once

#include <QString>
#include <functional>

namespace quenby::shell {

class EditForm;

class PreviewPort {
public:
    virtual ~PreviewPort() = default;
    // Loads the preview window (nothing when it is loaded already).
    virtual void Load() = 0;
    // Shows file in the preview, with extra request headers.
    virtual void Navigate(const QString& file, const QString& headers) = 0;
    // Shows the loaded window, modeless; without an owner.
    virtual void Show() {}
    // Hides and unloads it.
    virtual void Unload() {}
    // Called whenever the loaded window closes, whoever closed it.
    virtual void SetClosedHook(std::function<void()> hook) { (void)hook; }
};

enum class Dialog {
    TemplateSelect,    // new document from a template
    TemplateProperty,  // the fields of a template being saved
    FontTag,
    LinkTag,
    ImageTag,
    Pictograph,
    MarqueeTag,
    Options,
    About,
};

class DialogPort {
public:
    virtual ~DialogPort() = default;
    virtual bool Available(Dialog d) const = 0;
    // Shows the dialog modally, owned by the editor window.
    virtual void Show(Dialog d, EditForm& owner) = 0;
};

}  // namespace quenby::shell
