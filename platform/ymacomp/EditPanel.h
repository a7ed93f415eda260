// A choice shown as text: an edit panel is a caption, a choose button, a clear button and
// a text box (TBoundMemo) that shows what was chosen. The window does the choosing — the
// choose button raises the panel's OnClick — and writes the result into the box; the
// clear button raises OnDeleteClick and then empties the box unless the handler said no.
#pragma once

#include "vcl/Buttons.h"
#include "vcl/ExtCtrls.h"
#include "vcl/StdCtrls.h"
#include "ymacomp/TextSources.h"

#include <string>

namespace yma {

class TEditPanel;

// The text box of an edit panel. The operator reads it (it is read-only) and the window
// writes it. Its hint is its text, so a long list can be read in full.
class TBoundMemo : public vcl::TMemo {
    RTL_DECLARE_CLASS(TBoundMemo)
public:
    explicit TBoundMemo(vcl::TComponent* owner);

    // Shows the text. An empty text is ignored and the box keeps what it shows: a result
    // that came out empty does not blank the box by accident. (The platform's SetText and
    // the Text property, reached through vcl::TControl, set any text.)
    void SetText(const std::string& text);
    // Shows the text, an empty one too.
    void SetTextEmpty(const std::string& text);

protected:
    void TextChanged() override;
};

// The clear button's event; `clear` starts true, and a handler that sets it false keeps
// the box as the handler left it.
using TDeleteClickEvent = rtl::TMethod<void(vcl::TObject* sender, bool& clear)>;

// Events: OnClick when the choose button is pressed (by the operator, or by ChooseClick
// from code); OnDeleteClick when the clear button is pressed (or DeleteClick is called),
// then the box is emptied unless the handler cleared `clear`. Setting Caption shows it in
// the caption label. Nothing is raised by writing the box.
class TEditPanel : public vcl::TCustomControl, public IYMATextClient {
    RTL_DECLARE_CLASS(TEditPanel)
public:
    explicit TEditPanel(vcl::TComponent* owner);
    void Construct() override;

    TBoundMemo* GetEditBox() const noexcept { return editBox_; }
    vcl::TLabel* CaptionLabel() const noexcept { return captionLabel_; }
    vcl::TSpeedButton* ChooseButton() const noexcept { return chooseButton_; }
    vcl::TSpeedButton* ClearButton() const noexcept { return clearButton_; }

    // The two buttons' work, for code (and for the buttons themselves).
    void ChooseClick();
    void DeleteClick();

    TYMASourcesReference* SourceReference() const noexcept { return link_.Reference(); }
    void SetSourceReference(TYMASourcesReference* reference) { link_.Set(reference); }
    void SourcesChanged() override;

    TDeleteClickEvent OnDeleteClick;

    void SetBounds(int left, int top, int width, int height) override;

protected:
    void TextChanged() override;
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

private:
    void Arrange();
    void ChooseButtonClick(vcl::TObject* sender);
    void ClearButtonClick(vcl::TObject* sender);

    vcl::TLabel* captionLabel_ = nullptr;
    vcl::TSpeedButton* chooseButton_ = nullptr;
    vcl::TSpeedButton* clearButton_ = nullptr;
    TBoundMemo* editBox_ = nullptr;
    TSourceLink link_{this};
};

}  // namespace yma
