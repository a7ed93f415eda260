// TCollection: an owning, ordered list of items of one class. An item belongs to at most
// one collection; freeing the item takes it out, freeing the collection frees its items.
#pragma once

#include "rtl/Object.h"

#include <functional>
#include <string>
#include <vector>

namespace vcl {

class TCollection;

class TCollectionItem : public rtl::TObject {
    RTL_DECLARE_CLASS(TCollectionItem)
public:
    // An item joins a collection through TCollection::Add (or SetCollection) once it is
    // fully constructed, so the collection can check its class.
    TCollectionItem() = default;
    ~TCollectionItem() override;
    TCollectionItem(const TCollectionItem&) = delete;
    TCollectionItem& operator=(const TCollectionItem&) = delete;

    TCollection* Collection() const noexcept { return collection_; }
    // Moves the item to another collection (nullptr: none).
    void SetCollection(TCollection* collection);
    int Index() const;
    void SetIndex(int index);
    int ID() const noexcept { return id_; }
    virtual std::string DisplayName() const { return ClassName(); }

protected:
    // Called after the item joined (collection set) or before it leaves (nullptr).
    virtual void CollectionChanged() {}

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    int id_ = -1;
};

class TCollection : public rtl::TObject {
    RTL_DECLARE_CLASS(TCollection)
public:
    using TItemFactory = std::function<TCollectionItem*()>;
    // itemClass: the class of the items; factory makes a new, unattached one.
    TCollection(const rtl::TMetaClass& itemClass, TItemFactory factory);
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;

    const rtl::TMetaClass& ItemClass() const noexcept { return itemClass_; }
    int Count() const noexcept { return static_cast<int>(items_.size()); }
    // Index errors raise EListError.
    TCollectionItem* Items(int index) const;
    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);  // frees the item
    void Clear();            // frees every item
    TCollectionItem* FindItemID(int id) const;
    void BeginUpdate() noexcept { ++updateCount_; }
    void EndUpdate();

protected:
    // An item was added, removed or changed (nullptr: many); not called inside an update.
    virtual void Update(TCollectionItem*) {}

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);
    void Changed();

    const rtl::TMetaClass& itemClass_;
    TItemFactory factory_;
    std::vector<TCollectionItem*> items_;
    int nextId_ = 0;
    int updateCount_ = 0;
};

}  // namespace vcl
