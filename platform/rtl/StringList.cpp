#include "rtl/StringList.h"

#include "rtl/Exceptions.h"
#include "rtl/Strings.h"

#include <algorithm>
#include <fstream>
#include <numeric>
#include <sstream>

namespace rtl {

RTL_DEFINE_CLASS(TStringList, TObject)

TStringList::TStringList(std::initializer_list<std::string> items) {
    for (const auto& s : items) Add(s);
}

TStringList::~TStringList() {
    if (ownsObjects_)
        for (auto& item : items_) delete item.object;
}

void TStringList::CheckIndex(int index) const {
    if (index < 0 || index >= Count())
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TStringList::Changing() {
    if (updateCount_ == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
    if (updateCount_ == 0 && OnChange) OnChange(this);
}

void TStringList::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

void TStringList::FreeObject(TObject* object) {
    if (ownsObjects_) delete object;
}

const std::string& TStringList::Strings(int index) const {
    CheckIndex(index);
    return texts_[static_cast<std::size_t>(index)];
}

void TStringList::SetStrings(int index, std::string value) {
    if (sorted_) throw EStringListError("Operation not allowed on sorted list");
    CheckIndex(index);
    Changing();
    texts_[static_cast<std::size_t>(index)] = std::move(value);
    Changed();
}

TObject* TStringList::Objects(int index) const {
    CheckIndex(index);
    return items_[static_cast<std::size_t>(index)].object;
}

void TStringList::SetObjects(int index, TObject* object) {
    CheckIndex(index);
    Changing();
    auto& slot = items_[static_cast<std::size_t>(index)].object;
    if (slot != object) FreeObject(slot);
    slot = object;
    Changed();
}

int TStringList::CompareStrings(std::string_view a, std::string_view b) const {
    return caseSensitive_ ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

bool TStringList::Find(std::string_view s, int& index) const {
    int lo = 0, hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const int c = CompareStrings(texts_[static_cast<std::size_t>(mid)], s);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                if (duplicates_ != TDuplicates::dupAccept) lo = mid;
            }
        }
    }
    index = lo;
    return found;
}

int TStringList::InsertItem(int index, std::string s, TObject* object, bool) {
    Changing();
    texts_.insert(texts_.begin() + index, std::move(s));
    items_.insert(items_.begin() + index, Item{object, 0});
    Changed();
    return index;
}

std::uintptr_t TStringList::ItemData(int index) const {
    CheckIndex(index);
    return items_[static_cast<std::size_t>(index)].data;
}

void TStringList::SetItemData(int index, std::uintptr_t data) {
    CheckIndex(index);
    items_[static_cast<std::size_t>(index)].data = data;
}

int TStringList::Add(std::string s) { return AddObject(std::move(s), nullptr); }

int TStringList::AddObject(std::string s, TObject* object) {
    int index = Count();
    if (sorted_) {
        if (Find(s, index)) {
            if (duplicates_ == TDuplicates::dupIgnore) {
                // The list keeps its entry; an object it would own is not leaked.
                if (object && object != items_[static_cast<std::size_t>(index)].object) FreeObject(object);
                return index;
            }
            if (duplicates_ == TDuplicates::dupError) {
                if (object) FreeObject(object);
                throw EStringListError("String list does not allow duplicates");
            }
        }
    }
    return InsertItem(index, std::move(s), object, true);
}

void TStringList::AddStrings(const TStringList& other) {
    BeginUpdate();
    try {
        for (int i = 0; i < other.Count(); ++i) AddObject(other.texts_[static_cast<std::size_t>(i)], other.items_[static_cast<std::size_t>(i)].object);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStringList::Assign(const TStringList& other) {
    if (&other == this) return;
    BeginUpdate();
    Clear();
    Delimiter = other.Delimiter;
    QuoteChar = other.QuoteChar;
    StrictDelimiter = other.StrictDelimiter;
    NameValueSeparator = other.NameValueSeparator;
    // The object pointers are shared, not copied: only one of the two lists may own them.
    // The entries come in through InsertItem like any added entry, so a list that mirrors
    // a control sees them; the other list's per-entry words stay behind.
    try {
        for (int i = 0; i < other.Count(); ++i)
            InsertItem(Count(), other.texts_[static_cast<std::size_t>(i)], other.items_[static_cast<std::size_t>(i)].object,
                       true);
    } catch (...) {
        EndUpdate();
        throw;
    }
    if (sorted_) Sort();
    EndUpdate();
}

void TStringList::Insert(int index, std::string s) { InsertObject(index, std::move(s), nullptr); }

void TStringList::InsertObject(int index, std::string s, TObject* object) {
    if (sorted_) throw EStringListError("Operation not allowed on sorted list");
    if (index < 0 || index > Count())
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    InsertItem(index, std::move(s), object, false);
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    Changing();
    TObject* object = items_[static_cast<std::size_t>(index)].object;
    texts_.erase(texts_.begin() + index);
    items_.erase(items_.begin() + index);
    FreeObject(object);
    Changed();
}

void TStringList::Clear() {
    if (texts_.empty()) return;
    Changing();
    std::vector<Item> items;
    items.swap(items_);
    texts_.clear();
    for (auto& item : items) FreeObject(item.object);
    Changed();
}

void TStringList::Exchange(int a, int b) {
    CheckIndex(a);
    CheckIndex(b);
    Changing();
    std::swap(texts_[static_cast<std::size_t>(a)], texts_[static_cast<std::size_t>(b)]);
    std::swap(items_[static_cast<std::size_t>(a)], items_[static_cast<std::size_t>(b)]);
    Changed();
}

void TStringList::Move(int from, int to) {
    if (from == to) return;
    CheckIndex(from);
    CheckIndex(to);
    BeginUpdate();
    std::string s = texts_[static_cast<std::size_t>(from)];
    Item item = items_[static_cast<std::size_t>(from)];
    texts_.erase(texts_.begin() + from);
    items_.erase(items_.begin() + from);
    texts_.insert(texts_.begin() + to, std::move(s));
    items_.insert(items_.begin() + to, item);
    EndUpdate();
}

int TStringList::IndexOf(std::string_view s) const {
    if (sorted_) {
        int index;
        return Find(s, index) ? index : -1;
    }
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(texts_[static_cast<std::size_t>(i)], s) == 0) return i;
    return -1;
}

int TStringList::IndexOfName(std::string_view name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string& t = texts_[static_cast<std::size_t>(i)];
        const auto p = t.find(NameValueSeparator);
        if (p != std::string::npos && CompareStrings(std::string_view(t).substr(0, p), name) == 0) return i;
    }
    return -1;
}

int TStringList::IndexOfObject(const TObject* object) const {
    for (int i = 0; i < Count(); ++i)
        if (items_[static_cast<std::size_t>(i)].object == object) return i;
    return -1;
}

void TStringList::SetSorted(bool sorted) {
    if (sorted_ == sorted) return;
    if (sorted) Sort();
    sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool value) {
    if (caseSensitive_ == value) return;
    caseSensitive_ = value;
    if (sorted_) Sort();
}

void TStringList::Sort() {
    CustomSort([](const TStringList& list, int a, int b) {
        return list.CompareStrings(list.texts_[static_cast<std::size_t>(a)], list.texts_[static_cast<std::size_t>(b)]);
    });
}

void TStringList::CustomSort(const std::function<int(const TStringList&, int, int)>& compare) {
    if (Count() < 2) return;
    Changing();
    std::vector<int> order(texts_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
    std::vector<std::string> texts;
    std::vector<Item> items;
    texts.reserve(order.size());
    items.reserve(order.size());
    for (int i : order) {
        texts.push_back(std::move(texts_[static_cast<std::size_t>(i)]));
        items.push_back(items_[static_cast<std::size_t>(i)]);
    }
    texts_.swap(texts);
    items_.swap(items);
    Changed();
}

std::string TStringList::Text() const {
    std::string out;
    for (const auto& t : texts_) {
        out += t;
        out += sLineBreak;
    }
    return out;
}

void TStringList::SetText(std::string_view text) {
    BeginUpdate();
    Clear();
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t start = i;
        while (i < text.size() && text[i] != '\r' && text[i] != '\n') ++i;
        Add(std::string(text.substr(start, i - start)));
        if (i < text.size() && text[i] == '\r') ++i;
        if (i < text.size() && text[i] == '\n') ++i;
    }
    EndUpdate();
}

std::string TStringList::DelimitedText() const {
    if (Count() == 1 && texts_[0].empty()) return std::string(2, QuoteChar);
    std::string out;
    for (int i = 0; i < Count(); ++i) {
        const std::string& t = texts_[static_cast<std::size_t>(i)];
        const bool quote = std::any_of(t.begin(), t.end(), [&](char c) {
            return c == QuoteChar || c == Delimiter || (!StrictDelimiter && static_cast<unsigned char>(c) <= ' ') || c == '\0';
        });
        if (i > 0) out += Delimiter;
        out += quote ? AnsiQuotedStr(t, QuoteChar) : t;
    }
    return out;
}

std::string TStringList::CommaText() const {
    // Comma text is delimited text with the standard delimiter and quote.
    if (Count() == 1 && texts_[0].empty()) return "\"\"";
    std::string out;
    for (int i = 0; i < Count(); ++i) {
        const std::string& t = texts_[static_cast<std::size_t>(i)];
        const bool quote = std::any_of(t.begin(), t.end(), [](char c) {
            return c == '"' || c == ',' || static_cast<unsigned char>(c) <= ' ';
        });
        if (i > 0) out += ',';
        out += quote ? AnsiQuotedStr(t, '"') : t;
    }
    return out;
}

namespace {

void ParseDelimited(std::string_view v, char delimiter, char quote, bool strict, std::vector<std::string>& out) {
    auto isBlank = [](char c) { return c != '\0' && static_cast<unsigned char>(c) <= ' '; };
    std::size_t p = 0;
    if (!strict)
        while (p < v.size() && isBlank(v[p])) ++p;
    while (p < v.size()) {
        std::string s;
        if (v[p] == quote) {
            ++p;
            while (p < v.size()) {
                if (v[p] == quote) {
                    if (p + 1 < v.size() && v[p + 1] == quote) {
                        s += quote;
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                s += v[p++];
            }
        } else {
            const std::size_t start = p;
            if (strict) {
                while (p < v.size() && v[p] != delimiter) ++p;
            } else {
                while (p < v.size() && static_cast<unsigned char>(v[p]) > ' ' && v[p] != delimiter) ++p;
            }
            s.assign(v.substr(start, p - start));
        }
        out.push_back(std::move(s));
        if (!strict)
            while (p < v.size() && isBlank(v[p])) ++p;
        if (p < v.size() && v[p] == delimiter) {
            if (p + 1 == v.size()) out.emplace_back();
            ++p;
            if (!strict)
                while (p < v.size() && isBlank(v[p])) ++p;
        }
    }
}

}  // namespace

void TStringList::SetDelimitedText(std::string_view text) {
    std::vector<std::string> parts;
    ParseDelimited(text, Delimiter, QuoteChar, StrictDelimiter, parts);
    BeginUpdate();
    Clear();
    for (auto& s : parts) Add(std::move(s));
    EndUpdate();
}

void TStringList::SetCommaText(std::string_view text) {
    std::vector<std::string> parts;
    ParseDelimited(text, ',', '"', false, parts);
    BeginUpdate();
    Clear();
    for (auto& s : parts) Add(std::move(s));
    EndUpdate();
}

std::string TStringList::Names(int index) const {
    const std::string& t = Strings(index);
    const auto p = t.find(NameValueSeparator);
    return p == std::string::npos ? std::string() : t.substr(0, p);
}

std::string TStringList::Values(std::string_view name) const {
    const int i = IndexOfName(name);
    return i < 0 ? std::string() : ValueFromIndex(i);
}

void TStringList::SetValues(std::string_view name, std::string_view value) {
    const int i = IndexOfName(name);
    if (value.empty()) {
        if (i >= 0) Delete(i);
        return;
    }
    std::string entry = std::string(name) + NameValueSeparator + std::string(value);
    if (i < 0) {
        Add(std::move(entry));
    } else {
        Changing();
        texts_[static_cast<std::size_t>(i)] = std::move(entry);
        Changed();
    }
}

std::string TStringList::ValueFromIndex(int index) const {
    const std::string& t = Strings(index);
    const auto p = t.find(NameValueSeparator);
    return p == std::string::npos ? std::string() : t.substr(p + 1);
}

void TStringList::SetValueFromIndex(int index, std::string_view value) {
    const std::string name = Names(index);
    if (value.empty()) {
        Delete(index);
        return;
    }
    Changing();
    texts_[static_cast<std::size_t>(index)] = name + NameValueSeparator + std::string(value);
    Changed();
}

void TStringList::LoadFromFile(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw EInOutError("Cannot open file \"" + fileName + "\"");
    std::ostringstream buf;
    buf << in.rdbuf();
    std::string text = buf.str();
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    SetText(text);
}

void TStringList::SaveToFile(const std::string& fileName) const {
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    if (!out) throw EInOutError("Cannot create file \"" + fileName + "\"");
    out << Text();
    if (!out.flush()) throw EInOutError("Cannot write file \"" + fileName + "\"");
}

}  // namespace rtl
