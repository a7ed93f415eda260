// The text table of the package's controls: identifier → text. A window fills a table
// (TYMASources, or TYMADefSources, which starts out with the package's own texts) and
// links it through a TYMASourcesReference; every control whose SourceReference names
// that reference takes its captions, hints and messages from the table, and takes them
// again whenever the table or the link changes. An identifier the table lacks falls
// back on the package's own text, so a half-filled table never leaves a control blank.
#pragma once

#include "vcl/Component.h"
#include "vcl/Controls.h"
#include "vcl/WinTypes.h"

#include <map>
#include <string>
#include <vector>

namespace yma {

// The identifiers the package's controls read. Formats ("…Fmt") take the arguments
// their names suggest, in the order of the platform's Format.
enum TYMATextId : int {
    ytxSaveFldrColor = 98,      // colour of the save folder's caption (a decimal colour value)
    ytxSendFldrColor = 99,      // colour of the send folders' captions
    ytxErrorTextFmt = 101,      // %s: the error's text
    ytxFldrNotExsts = 102,
    ytxCreateFldrFmt = 103,     // %s: the folder
    ytxFldrNotExstsFmt = 104,   // %s: the folder
    ytxFldrNotCrtdFmt = 105,    // %s: the folder
    ytxCheckNameIsCorrect = 106,
    ytxValueRangeFmt = 107,     // %d, %d: the bounds
    ytxAutoPrint = 108,
    ytxInCopies = 109,
    ytxPrinter = 110,
    ytxUseCurrentRecord = 111,
    ytxFormUnderNewName = 112,
    ytxSaveUnderNewName = 113,
    ytxFldrSaveReport = 114,
    ytxFldrSendReport = 115,
    ytxFldrSendToChange = 116,  // the question before the send folder changes
    ytxFldrSendChange = 117,    // its caption
    ytxAtFixedAddr = 118,
    ytxAddresseeSubFldr = 119,
    ytxIncorrectSymbols = 121,
    ytxIncorrectSymbolsInTitle = 122,
    ytxOpen = 123,
    ytxCreate = 124,
    ytxMinimize = 125,
    ytxMaximize = 126,
    ytxView = 127,
    ytxSavingInFile = 128,
    ytxSendingEMail = 129,
    ytxFldrOpenCrtd = 130,
    ytxClear = 131,
    ytxChoice = 132,
    ytxSelectOfFldr = 133,
    ytxSelectFldr = 134,
    ytxDeSelectFldr = 135,
    ytxSearch = 136,
    ytxImpossibleFindingFmt = 137,  // %s: the data set
    ytxSearchFieldNotSelected = 138,
    ytxDay = 139,
    ytxMonth = 140,
    ytxYear = 141,
    ytxSubdirSending = 142,
    ytxSubdirAddressee = 143,
    ytxSubdirSave = 144,
    ytxQuarter = 145,
};

// The package's own text for the identifier (Russian, as the package ships); "" for an
// identifier the package does not use.
std::string DefaultText(int id);
// The identifiers that have a text of the package's own, ascending.
std::vector<int> DefaultTextIds();

class TYMASourcesReference;

class TYMASources : public vcl::TComponent {
    RTL_DECLARE_CLASS(TYMASources)
public:
    explicit TYMASources(vcl::TComponent* owner) : vcl::TComponent(owner) {}

    bool HasText(int id) const { return texts_.contains(id); }
    // The table's text, "" when the identifier is not in the table.
    std::string Text(int id) const;
    // Every change (a new text, a different text, a deletion) tells the linked controls,
    // at once or, inside BeginUpdate/EndUpdate, once at the end.
    void SetText(int id, const std::string& text);
    void DeleteText(int id);
    void Clear();
    int Count() const noexcept { return static_cast<int>(texts_.size()); }
    void BeginUpdate() noexcept { ++updateCount_; }
    void EndUpdate();

protected:
    ~TYMASources() override;
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

private:
    friend class TYMASourcesReference;
    void Changed();

    std::map<int, std::string> texts_;
    std::vector<TYMASourcesReference*> references_;
    int updateCount_ = 0;
    bool changedInUpdate_ = false;
};

// A table that starts with every text of the package (DefaultText), for a window to
// overwrite with its own translations.
class TYMADefSources : public TYMASources {
    RTL_DECLARE_CLASS(TYMADefSources)
public:
    explicit TYMADefSources(vcl::TComponent* owner);
};

// What a control of the package does when its texts change: take them again.
class IYMATextClient {
public:
    virtual void SourcesChanged() = 0;

protected:
    ~IYMATextClient() = default;
};

// The link through which controls find their table. A window has one reference and
// points it at its table; the controls follow whatever table the reference names.
class TYMASourcesReference : public vcl::TComponent {
    RTL_DECLARE_CLASS(TYMASourcesReference)
public:
    explicit TYMASourcesReference(vcl::TComponent* owner) : vcl::TComponent(owner) {}

    TYMASources* Sources() const noexcept { return sources_; }
    // Linking another table (or none) tells every client; a freed table unlinks itself.
    void SetSources(TYMASources* sources);
    // The table's text, or the package's own when the table lacks it or there is none.
    std::string Text(int id) const;

    // A control (which must implement IYMATextClient) asks to hear of changes; it is
    // dropped when it is freed.
    void RegisterClient(vcl::TComponent* client);
    void UnRegisterClient(vcl::TComponent* client);
    int ClientCount() const noexcept { return static_cast<int>(clients_.size()); }

protected:
    ~TYMASourcesReference() override;
    void Notification(vcl::TComponent* component, vcl::TOperation operation) override;

private:
    friend class TYMASources;
    void TellClients();

    TYMASources* sources_ = nullptr;
    std::vector<vcl::TComponent*> clients_;
};

// The text a control shows: its reference's, or the package's own without a reference.
std::string SourceText(const TYMASourcesReference* reference, int id);

// One control's end of the link, kept as a member: it registers the control with the
// reference, and forgets the reference when that is freed (the control's Notification
// passes removals on to Removed).
class TSourceLink {
public:
    explicit TSourceLink(vcl::TComponent* client) : client_(client) {}
    TSourceLink(const TSourceLink&) = delete;
    TSourceLink& operator=(const TSourceLink&) = delete;

    TYMASourcesReference* Reference() const noexcept { return reference_; }
    // Links the control and has it take its texts (SourcesChanged) when the link changed.
    void Set(TYMASourcesReference* reference);
    // True when the removed component was the reference; the control then takes the
    // package's own texts, unless it is being freed itself.
    bool Removed(vcl::TComponent* component);
    std::string Text(int id) const { return SourceText(reference_, id); }

private:
    vcl::TComponent* client_;
    TYMASourcesReference* reference_ = nullptr;
};

// A message box of the package's controls, over the application's main window; an
// empty caption is the application's title. Returns the button pressed.
int PackageMessageBox(const std::string& text, const std::string& caption, vcl::UINT flags);

}  // namespace yma
