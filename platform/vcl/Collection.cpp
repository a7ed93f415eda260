#include "vcl/Collection.h"

#include "rtl/Exceptions.h"

#include <algorithm>

namespace vcl {

RTL_DEFINE_CLASS(TCollectionItem, rtl::TObject)
RTL_DEFINE_CLASS(TCollection, rtl::TObject)

TCollectionItem::~TCollectionItem() {
    if (collection_) collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* collection) {
    if (collection == collection_) return;
    if (collection_) collection_->RemoveItem(this);
    if (collection) collection->InsertItem(this);
}

int TCollectionItem::Index() const {
    if (!collection_) return -1;
    const auto& items = collection_->items_;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index) {
    if (!collection_) return;
    auto& items = collection_->items_;
    const int current = Index();
    if (index < 0) index = 0;
    if (index >= static_cast<int>(items.size())) index = static_cast<int>(items.size()) - 1;
    if (index == current) return;
    items.erase(items.begin() + current);
    items.insert(items.begin() + index, this);
    collection_->Changed();
}

TCollection::TCollection(const rtl::TMetaClass& itemClass, TItemFactory factory)
    : itemClass_(itemClass), factory_(std::move(factory)) {}

TCollection::~TCollection() {
    updateCount_ = 1;  // no change notifications while going away
    Clear();
}

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count()) throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
    return items_[static_cast<std::size_t>(index)];
}

TCollectionItem* TCollection::Add() {
    TCollectionItem* item = factory_();
    try {
        item->SetCollection(this);
    } catch (...) {
        TObject::Free(item);
        throw;
    }
    return item;
}

TCollectionItem* TCollection::Insert(int index) {
    TCollectionItem* item = Add();
    item->SetIndex(index);
    return item;
}

void TCollection::Delete(int index) { TObject::Free(Items(index)); }

void TCollection::Clear() {
    if (items_.empty()) return;
    BeginUpdate();
    while (!items_.empty()) TObject::Free(items_.back());
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const {
    for (TCollectionItem* item : items_)
        if (item->id_ == id) return item;
    return nullptr;
}

void TCollection::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

void TCollection::InsertItem(TCollectionItem* item) {
    if (!item->InheritsFrom(itemClass_))
        throw rtl::EInvalidCast(std::string("Invalid class typecast: ") + item->ClassName() + " is not " + itemClass_.ClassName());
    items_.push_back(item);
    item->collection_ = this;
    item->id_ = nextId_++;
    item->CollectionChanged();
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
    const auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    items_.erase(it);
    item->collection_ = nullptr;
    item->CollectionChanged();
    Changed();
}

void TCollection::Changed() {
    if (updateCount_ == 0) Update(nullptr);
}

}  // namespace vcl
