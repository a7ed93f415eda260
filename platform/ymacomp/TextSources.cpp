#include "ymacomp/TextSources.h"

#include "vcl/Forms.h"
#include "vcl/UserInterface.h"

#include <algorithm>

namespace yma {

RTL_DEFINE_CLASS(TYMASources, vcl::TComponent)
RTL_DEFINE_CLASS(TYMADefSources, TYMASources)
RTL_DEFINE_CLASS(TYMASourcesReference, vcl::TComponent)

namespace {

struct TDefaultText {
    int Id;
    const char* Text;
};

// The texts the package ships with. The folder captions look like links, hence blue.
constexpr TDefaultText kDefaults[] = {
    {ytxSaveFldrColor, "16711680"},
    {ytxSendFldrColor, "16711680"},
    {ytxErrorTextFmt, "Ошибка: %s"},
    {ytxFldrNotExsts, "Папка не существует"},
    {ytxCreateFldrFmt, "Папка «%s» не существует.\r\nСоздать её?"},
    {ytxFldrNotExstsFmt, "Папка «%s» не существует."},
    {ytxFldrNotCrtdFmt, "Не удалось создать папку «%s»."},
    {ytxCheckNameIsCorrect, "Проверьте правильность имени папки."},
    {ytxValueRangeFmt, "Допустимые значения: от %d до %d."},
    {ytxAutoPrint, "Автоматическая печать"},
    {ytxInCopies, "Количество копий"},
    {ytxPrinter, "Принтер"},
    {ytxUseCurrentRecord, "Только по текущей записи"},
    {ytxFormUnderNewName, "Формировать под новым именем"},
    {ytxSaveUnderNewName, "Сохранять под новым именем"},
    {ytxFldrSaveReport, "Папка для сохранения отчётов"},
    {ytxFldrSendReport, "Папка для отправки отчётов"},
    {ytxFldrSendToChange, "Изменить папку для отправки отчётов?"},
    {ytxFldrSendChange, "Смена папки для отправки"},
    {ytxAtFixedAddr, "На постоянный адрес"},
    {ytxAddresseeSubFldr, "Подпапки адресатов"},
    {ytxIncorrectSymbols, "Недопустимые символы"},
    {ytxIncorrectSymbolsInTitle, "Недопустимые символы в имени"},
    {ytxOpen, "Открыть"},
    {ytxCreate, "Создать"},
    {ytxMinimize, "Свернуть"},
    {ytxMaximize, "Развернуть"},
    {ytxView, "Просмотр"},
    {ytxSavingInFile, "Сохранение в файл"},
    {ytxSendingEMail, "Отправка по электронной почте"},
    {ytxFldrOpenCrtd, "Открыть или создать папку"},
    {ytxClear, "Очистить"},
    {ytxChoice, "Выбрать"},
    {ytxSelectOfFldr, "Выбор папки"},
    {ytxSelectFldr, "Выбрать папку"},
    {ytxDeSelectFldr, "Отменить выбор папки"},
    {ytxSearch, "Поиск"},
    {ytxImpossibleFindingFmt, "Поиск в наборе данных «%s» невозможен."},
    {ytxSearchFieldNotSelected, "Не выбрано поле для поиска."},
    {ytxDay, "День"},
    {ytxMonth, "Месяц"},
    {ytxYear, "Год"},
    {ytxSubdirSending, "Отчеты для отправки"},
    {ytxSubdirAddressee, "Адресаты"},
    {ytxSubdirSave, "Сохраненные отчеты"},
    {ytxQuarter, "Квартал"},
};

}  // namespace

std::string DefaultText(int id) {
    for (const TDefaultText& t : kDefaults)
        if (t.Id == id) return t.Text;
    return {};
}

std::vector<int> DefaultTextIds() {
    std::vector<int> ids;
    for (const TDefaultText& t : kDefaults) ids.push_back(t.Id);
    std::sort(ids.begin(), ids.end());
    return ids;
}

// ---------------------------------------------------------------- TYMASources

// The linked references hear of the table's end through free notification.
TYMASources::~TYMASources() = default;

std::string TYMASources::Text(int id) const {
    const auto it = texts_.find(id);
    return it == texts_.end() ? std::string() : it->second;
}

void TYMASources::SetText(int id, const std::string& text) {
    const auto it = texts_.find(id);
    if (it != texts_.end() && it->second == text) return;
    texts_[id] = text;
    Changed();
}

void TYMASources::DeleteText(int id) {
    if (texts_.erase(id) != 0) Changed();
}

void TYMASources::Clear() {
    if (texts_.empty()) return;
    texts_.clear();
    Changed();
}

void TYMASources::EndUpdate() {
    if (updateCount_ > 0) --updateCount_;
    if (updateCount_ == 0 && changedInUpdate_) {
        changedInUpdate_ = false;
        Changed();
    }
}

void TYMASources::Changed() {
    if (updateCount_ > 0) {
        changedInUpdate_ = true;
        return;
    }
    // A copy: a client may unlink while it takes its texts.
    for (TYMASourcesReference* r : std::vector<TYMASourcesReference*>(references_)) r->TellClients();
}

void TYMASources::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TComponent::Notification(component, operation);
    if (operation == vcl::TOperation::opRemove)
        references_.erase(std::remove(references_.begin(), references_.end(), component), references_.end());
}

TYMADefSources::TYMADefSources(vcl::TComponent* owner) : TYMASources(owner) {
    for (const TDefaultText& t : kDefaults) SetText(t.Id, t.Text);
}

// ---------------------------------------------------------------- TYMASourcesReference

TYMASourcesReference::~TYMASourcesReference() = default;

void TYMASourcesReference::SetSources(TYMASources* sources) {
    if (sources == sources_) return;
    if (sources_) {
        auto& refs = sources_->references_;
        refs.erase(std::remove(refs.begin(), refs.end(), this), refs.end());
        sources_->RemoveFreeNotification(this);
    }
    sources_ = sources;
    if (sources) {
        sources->references_.push_back(this);
        sources->FreeNotification(this);
    }
    TellClients();
}

std::string TYMASourcesReference::Text(int id) const {
    if (sources_ && sources_->HasText(id)) return sources_->Text(id);
    return DefaultText(id);
}

void TYMASourcesReference::RegisterClient(vcl::TComponent* client) {
    if (!client || std::find(clients_.begin(), clients_.end(), client) != clients_.end()) return;
    if (!dynamic_cast<IYMATextClient*>(client))
        throw vcl::EComponentError(std::string(client->ClassName()) + " takes no texts from a text table");
    clients_.push_back(client);
    client->FreeNotification(this);
}

void TYMASourcesReference::UnRegisterClient(vcl::TComponent* client) {
    const auto it = std::find(clients_.begin(), clients_.end(), client);
    if (it == clients_.end()) return;
    clients_.erase(it);
    client->RemoveFreeNotification(this);
}

void TYMASourcesReference::TellClients() {
    if (IsDestroying()) return;
    for (vcl::TComponent* c : std::vector<vcl::TComponent*>(clients_))
        if (std::find(clients_.begin(), clients_.end(), c) != clients_.end() && !c->IsDestroying())
            dynamic_cast<IYMATextClient*>(c)->SourcesChanged();
}

void TYMASourcesReference::Notification(vcl::TComponent* component, vcl::TOperation operation) {
    vcl::TComponent::Notification(component, operation);
    if (operation != vcl::TOperation::opRemove) return;
    clients_.erase(std::remove(clients_.begin(), clients_.end(), component), clients_.end());
    if (component == sources_) {
        sources_ = nullptr;
        TellClients();
    }
}

std::string SourceText(const TYMASourcesReference* reference, int id) {
    return reference ? reference->Text(id) : DefaultText(id);
}

// ---------------------------------------------------------------- TSourceLink

void TSourceLink::Set(TYMASourcesReference* reference) {
    if (reference == reference_) return;
    if (reference_) reference_->UnRegisterClient(client_);
    reference_ = reference;
    if (reference) reference->RegisterClient(client_);
    if (auto* c = dynamic_cast<IYMATextClient*>(client_)) c->SourcesChanged();
}

bool TSourceLink::Removed(vcl::TComponent* component) {
    if (!component || component != reference_) return false;
    reference_ = nullptr;
    if (!client_->IsDestroying())
        if (auto* c = dynamic_cast<IYMATextClient*>(client_)) c->SourcesChanged();
    return true;
}

int PackageMessageBox(const std::string& text, const std::string& caption, vcl::UINT flags) {
    vcl::TApplication* app = vcl::Application();
    const std::string title = !caption.empty() ? caption : !app->Title().empty() ? app->Title() : vcl::ApplicationTitle();
    return app->MessageBox(text, title, flags);
}

}  // namespace yma
