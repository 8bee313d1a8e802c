#pragma once
// Where a form lives between its loads. The first touch of the form (or of any of its
// controls, which go through the slot) creates it hidden and runs its Form_Load; unload runs
// Form_Unload and destroys it, and the next touch loads it afresh.
#include <functional>
#include <memory>

#include "platform/RuntimeError.h"
#include "ui/Dispatch.h"
#include "ui/Form.h"

namespace velkor::ui {

// The renderer: told when a form comes into being, when its load has run, and before it goes
// away.
class FormHost {
  public:
    virtual ~FormHost() = default;
    virtual void attach(Form& form) = 0;
    virtual void loaded(Form& form) { (void)form; }
    virtual void detach(Form& form) = 0;
};

template <class T>
class FormSlot {
  public:
    using Factory = std::function<std::unique_ptr<T>()>;

    explicit FormSlot(Factory make, FormHost* host = nullptr)
        : make_(std::move(make)), host_(host) {}
    FormSlot(const FormSlot&) = delete;
    FormSlot& operator=(const FormSlot&) = delete;
    ~FormSlot() { destroy(); }

    void setHost(FormHost* host) { host_ = host; }

    bool loaded() const { return form_ != nullptr; }

    T& get() {
        if (!form_) {
            // A program that has ended loads no form again, whatever handler is still running.
            if (closed_) throw RuntimeError(err::kInvalidCall, "The program has ended.");
            form_ = make_();
            form_->setUnloader([this] { unload(); });
            // The slot holds the form before its load runs, so a touch during Form_Load
            // reaches the same form instead of loading a second one.
            if (host_) host_->attach(*form_);
            T& loading = *form_;
            loading.Form_Load();
            // The load may have unloaded the form again (a program ending at once).
            if (host_ && form_.get() == &loading) host_->loaded(loading);
        }
        return *form_;
    }
    T* operator->() { return &get(); }
    T& operator*() { return get(); }

    // Unloads the form if it is loaded; returns false when its Form_Unload cancelled.
    bool unload() {
        if (!form_) return true;
        int cancel = 0;
        form_->Form_Unload(cancel);
        if (cancel != 0) return false;
        destroy();
        return true;
    }

    // Unloads the form for good: no later touch loads it again.
    void close() {
        closed_ = true;
        destroy();
    }

  private:
    void destroy() {
        if (!form_) return;
        std::unique_ptr<T> gone = std::move(form_);
        gone->hide();
        if (host_) host_->detach(*gone);  // the window goes now; its object is released first
        // A form is often unloaded by one of its own handlers, which is still running.
        Dispatch::Release(std::move(gone));
    }

    Factory make_;
    FormHost* host_;
    std::unique_ptr<T> form_;
    bool closed_ = false;
};

// Shows a dialog that is loaded afresh at each opening, so that it starts from the files as they
// are now: a hidden one (its captions were set while hidden) is unloaded first. One already open
// stays as it is.
template <class Dialog>
Dialog& OpenAfresh(FormSlot<Dialog>& slot) {
    if (slot.loaded() && !slot->visible()) slot.unload();
    Dialog& dialog = slot.get();
    dialog.show();
    return dialog;
}

}  // namespace velkor::ui
