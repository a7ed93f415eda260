// Quick search: a small window in which the operator picks the field to search in and
// types what to look for. The component knows nothing of data; the window that owns it
// lists the fields (Fields) and does the looking (OnSearch), typically by locating the
// record in its grid's data set.
//
// In the search window:
//  - each change of the typed text searches from the start (the first match becomes
//    current as the operator types);
//  - the search button (also Enter) finds the next match;
//  - a search that finds nothing beeps; the search button without a chosen field shows
//    the "no search field" warning (ytxSearchFieldNotSelected);
//  - the close button (also Escape) ends the window.
#pragma once

#include "vcl/Buttons.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"
#include "ymacomp/TextSources.h"

#include <memory>
#include <string>

namespace yma {

// `next`: go on from the current match (false: search from the first record); the
// handler sets `found` when it made a match current.
using TQSearchEvent =
    rtl::TMethod<void(vcl::TObject* sender, int fieldIndex, const std::string& text, bool next, bool& found)>;

class TFrmQSearch : public vcl::TComponent, public IYMATextClient {
    RTL_DECLARE_CLASS(TFrmQSearch)
public:
    explicit TFrmQSearch(vcl::TComponent* owner);

    // The captions of the fields the operator may search in, in the window's order.
    rtl::TStringList* Fields() const noexcept { return fields_.get(); }
    // The field of the last search (-1 none).
    int FieldIndex() const noexcept { return fieldIndex_; }
    void SetFieldIndex(int index) { fieldIndex_ = index; }
    // The text of the last search.
    const std::string& SearchText() const noexcept { return searchText_; }
    void SetSearchText(const std::string& text) { searchText_ = text; }
    // The name of what is searched, for the message shown when nothing can be.
    const std::string& DataSetName() const noexcept { return dataSetName_; }
    void SetDataSetName(const std::string& name) { dataSetName_ = name; }

    // Opens the search window with the given field chosen (-1 or an index outside the
    // fields: the last field searched, or the first). Without fields the window does not
    // open: the warning ytxImpossibleFindingFmt names DataSetName. True when the last
    // search made in the window found something.
    bool Execute(int fieldIndex = -1);
    // Repeats the last search from the current match on, without the window; false
    // when there is nothing to repeat or nothing more was found.
    bool FindNext();

    TYMASourcesReference* SourceReference() const noexcept { return link_.Reference(); }
    void SetSourceReference(TYMASourcesReference* reference) { link_.Set(reference); }
    void SourcesChanged() override {}  // texts are taken each time the window opens
    std::string Text(int id) const { return link_.Text(id); }

    TQSearchEvent OnSearch;

protected:
    ~TFrmQSearch() override;
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

private:
    friend class TQSearchForm;
    rtl::TStringList* FieldsProp() { return fields_.get(); }
    // One search; false (with a beep) when nothing was found.
    bool Search(int fieldIndex, const std::string& text, bool next);

    std::unique_ptr<rtl::TStringList> fields_;
    int fieldIndex_ = -1;
    std::string searchText_;
    std::string dataSetName_;
    bool found_ = false;
    TSourceLink link_{this};
};

// The search window TFrmQSearch opens.
class TQSearchForm : public vcl::TForm {
    RTL_DECLARE_CLASS(TQSearchForm)
public:
    TQSearchForm(vcl::TComponent* owner, TFrmQSearch* search) : vcl::TForm(owner), search_(search) {}

    vcl::TComboBox* FieldBox = nullptr;
    vcl::TEdit* TextEdit = nullptr;
    vcl::TButton* SearchButton = nullptr;
    vcl::TBitBtn* CloseButton = nullptr;

protected:
    void CreateFormComponents() override;

private:
    void TextEditChange(vcl::TObject* sender);
    void SearchButtonClick(vcl::TObject* sender);

    TFrmQSearch* search_;
};

}  // namespace yma
