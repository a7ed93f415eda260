// TStringList: an ordered list of texts, each with an optional object beside it. Can be
// kept sorted (case-insensitive in the Russian collation unless CaseSensitive), with a
// rule for duplicates; reads and writes comma text, delimited text, "name=value" pairs
// and line text.
#pragma once

#include "rtl/Method.h"
#include "rtl/Object.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rtl {

enum class TDuplicates { dupIgnore, dupAccept, dupError };
using TNotifyEvent = TMethod<void(TObject* sender)>;

class TStringList : public TObject {
public:
    TStringList() = default;
    explicit TStringList(bool ownsObjects) : ownsObjects_(ownsObjects) {}
    TStringList(std::initializer_list<std::string> items);
    TStringList(const TStringList&) = delete;
    TStringList& operator=(const TStringList&) = delete;
    ~TStringList() override;
    RTL_DECLARE_CLASS(TStringList)
public:

    int Count() const noexcept { return static_cast<int>(items_.size()); }
    bool Empty() const noexcept { return items_.empty(); }
    // Index errors raise EStringListError "List index out of bounds (i)".
    const std::string& Strings(int index) const;
    const std::string& operator[](int index) const { return Strings(index); }
    void SetStrings(int index, std::string value);
    TObject* Objects(int index) const;
    void SetObjects(int index, TObject* object);

    // Add returns the index of the new (or, with dupIgnore on a sorted list, the existing)
    // entry; dupError raises "String list does not allow duplicates".
    int Add(std::string s);
    int AddObject(std::string s, TObject* object);
    void AddStrings(const TStringList& other);
    void Assign(const TStringList& other);  // texts and objects (objects are not copied)
    // Insert on a sorted list raises "Operation not allowed on sorted list".
    void Insert(int index, std::string s);
    void InsertObject(int index, std::string s, TObject* object);
    void Delete(int index);
    void Clear();
    void Exchange(int a, int b);
    void Move(int from, int to);

    int IndexOf(std::string_view s) const;
    int IndexOfName(std::string_view name) const;
    int IndexOfObject(const TObject* object) const;
    // Binary search under the list's comparison; index is where s is or would go.
    bool Find(std::string_view s, int& index) const;

    bool Sorted() const noexcept { return sorted_; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const noexcept { return duplicates_; }
    void SetDuplicates(TDuplicates d) noexcept { duplicates_ = d; }
    bool CaseSensitive() const noexcept { return caseSensitive_; }
    void SetCaseSensitive(bool value);
    bool OwnsObjects() const noexcept { return ownsObjects_; }
    void SetOwnsObjects(bool value) noexcept { ownsObjects_ = value; }
    void Sort();
    void CustomSort(const std::function<int(const TStringList&, int, int)>& compare);
    // The list's own comparison of two texts.
    int CompareStrings(std::string_view a, std::string_view b) const;

    // Lines joined by CR LF, each followed by one; the setter splits at CR LF, LF or CR.
    std::string Text() const;
    void SetText(std::string_view text);
    std::string CommaText() const;
    void SetCommaText(std::string_view text);
    std::string DelimitedText() const;
    void SetDelimitedText(std::string_view text);
    char Delimiter = ',';
    char QuoteChar = '"';
    bool StrictDelimiter = false;
    char NameValueSeparator = '=';

    std::string Names(int index) const;
    std::string Values(std::string_view name) const;
    // An empty value deletes the entry.
    void SetValues(std::string_view name, std::string_view value);
    std::string ValueFromIndex(int index) const;
    void SetValueFromIndex(int index, std::string_view value);

    // UTF-8 text files, one entry per line. Failures raise EInOutError naming the file.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

    void BeginUpdate() noexcept { ++updateCount_; }
    void EndUpdate();
    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    auto begin() const noexcept { return texts_.begin(); }
    auto end() const noexcept { return texts_.end(); }

protected:
    // Every new entry passes through here: Add and AddObject (add true; index is where the
    // entry goes), Insert and InsertObject, Assign and the text setters. Returns the index
    // the entry took, or -1 when it was not stored. A descendant that mirrors its entries
    // in a control overrides this to route each entry through the control first; storing
    // is the inherited call.
    virtual int InsertItem(int index, std::string s, TObject* object, bool add);
    // A word kept beside each entry for a descendant's own per-entry state (a list box's
    // selection and check marks). It moves with its entry (Exchange, Move, Sort), goes
    // with it on Delete, and is 0 for an entry that was just inserted.
    std::uintptr_t ItemData(int index) const;
    void SetItemData(int index, std::uintptr_t data);

private:
    struct Item {
        TObject* object = nullptr;
        std::uintptr_t data = 0;
    };
    void CheckIndex(int index) const;
    void Changing();
    void Changed();
    void FreeObject(TObject* object);

    std::vector<std::string> texts_;
    std::vector<Item> items_;
    bool sorted_ = false;
    bool caseSensitive_ = false;
    bool ownsObjects_ = false;
    TDuplicates duplicates_ = TDuplicates::dupIgnore;
    int updateCount_ = 0;
};

}  // namespace rtl
