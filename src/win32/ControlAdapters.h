#pragma once
// The adapters, one per kind of control.
#include "win32/ControlAdapter.h"

namespace velkor::ui {
class CheckBox;
class OptionButton;
class CommandButton;
class TextBox;
class ImageCombo;
class Label;
class Picture;
}  // namespace velkor::ui

namespace velkor::win32 {

class CheckBoxAdapter : public ControlAdapter {
  public:
    CheckBoxAdapter(ControlHost& host, ui::CheckBox& box);
    void OnNotify(int code) override;

  protected:
    Look Describe() const override;
    void SyncOwn(ui::Property property) override;
    int CaptionMargin(UINT dpi) const override;

  private:
    ui::CheckBox& box_;
};

class OptionButtonAdapter : public ControlAdapter {
  public:
    OptionButtonAdapter(ControlHost& host, ui::OptionButton& option);
    void OnNotify(int code) override;

  protected:
    Look Describe() const override;
    void SyncOwn(ui::Property property) override;
    int CaptionMargin(UINT dpi) const override;

  private:
    ui::OptionButton& option_;
};

class CommandButtonAdapter : public ControlAdapter {
  public:
    CommandButtonAdapter(ControlHost& host, ui::CommandButton& button);
    void OnNotify(int code) override;

  protected:
    Look Describe() const override;
    int CaptionMargin(UINT dpi) const override;

  private:
    ui::CommandButton& button_;
};

class TextBoxAdapter : public ControlAdapter {
  public:
    TextBoxAdapter(ControlHost& host, ui::TextBox& box);
    void OnNotify(int code) override;

  protected:
    Look Describe() const override;
    void SyncOwn(ui::Property property) override;

  private:
    std::string Shown() const;  // the text the box shows

    ui::TextBox& box_;
    bool writing_ = false;  // the model is writing into the control: its echo is not input
    bool reading_ = false;  // the user's input is going into the model: no echo back
};

class ImageComboAdapter : public ControlAdapter {
  public:
    ImageComboAdapter(ControlHost& host, ui::ImageCombo& combo);
    // The height of a row, entry or selection field, in `window`'s font at its DPI: asked for
    // while the box is being made, before its adapter is known.
    static int RowHeight(HWND window, const DpiResources& resources);
    void OnNotify(int code) override;
    void DrawItem(const DRAWITEMSTRUCT& item) override;
    RECT Wanted(UINT dpi, HDC dc) const override;
    void Place(const RECT& where) override;
    void ApplyResources(const DpiResources& resources) override;

  protected:
    Look Describe() const override;
    void SyncOwn(ui::Property property) override;

  private:
    void Fill();
    ui::ImageCombo& combo_;
    UniqueImageList images_;  // the combo's pictures at the window's DPI
    UINT imagesDpi_ = 96;     // the DPI they were made at
    int rowHeight_ = 0;       // as the box measured it
};

// A text that tells of clicks, and of the mouse over it.
class LabelAdapter : public ControlAdapter {
  public:
    LabelAdapter(ControlHost& host, ui::Label& label);
    void OnNotify(int code) override;

  protected:
    Look Describe() const override;
    int CaptionMargin(UINT dpi) const override;
    void SyncOwn(ui::Property property) override;

  private:
    ui::Label& label_;
};

// A group box: its caption sits in its border.
class FrameAdapter : public ControlAdapter {
  public:
    using ControlAdapter::ControlAdapter;

  protected:
    Look Describe() const override;
    int CaptionMargin(UINT dpi) const override;
};

// A bitmap from the program's resources that tells of clicks.
class PictureAdapter : public ControlAdapter {
  public:
    PictureAdapter(ControlHost& host, ui::Picture& picture);
    void OnNotify(int code) override;

  protected:
    Look Describe() const override;
    void SyncOwn(ui::Property property) override;

  private:
    ui::Picture& picture_;
    UniqueBitmap image_;
};

}  // namespace velkor::win32
